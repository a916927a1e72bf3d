#pragma once
// Owns one reference to a COM object and releases it when it is replaced or goes.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace qivyun {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller holds (a new object's first one, say).
    explicit ComPtr(T* pointer) : pointer_(pointer) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset(T* pointer = nullptr) {
        if (pointer_) pointer_->Release();
        pointer_ = pointer;
    }
    // Where a call that hands out a reference puts it; the reference held so far is released.
    T** Receive() {
        Reset();
        return &pointer_;
    }

    // The object's interface `iid` as a pointer of type U; empty when the object has none.
    template <class U>
    ComPtr<U> Query(REFIID iid) const {
        ComPtr<U> other;
        if (pointer_) pointer_->QueryInterface(iid, reinterpret_cast<void**>(other.Receive()));  // a refusal leaves it empty
        return other;
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace qivyun
