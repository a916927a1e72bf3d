#pragma once
// Owning wrappers: every kernel handle, GDI object and menu has exactly one owner that releases it.
#include <windows.h>

#include <utility>

namespace qivyun {

// Owns one value of a handle type and releases it with Release when it is replaced or goes.
template <class T, class Release>
class UniqueOwner {
public:
    UniqueOwner() = default;
    explicit UniqueOwner(T value) : value_(value) {}
    UniqueOwner(UniqueOwner&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.value_, nullptr));
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { Reset(); }

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }
    void Reset(T value = nullptr) {
        if (value_) Release{}(value_);
        value_ = value;
    }

private:
    T value_ = nullptr;
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DeleteDcHandle {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A kernel handle; the invalid value some calls return for failure is held as none.
class UniqueHandle : public UniqueOwner<HANDLE, CloseKernelHandle> {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : UniqueOwner(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};

template <class T>
using UniqueGdiObject = UniqueOwner<T, DeleteGdiObject>;

// A menu loaded from a resource (the pop-up menus are shown from its first pop-up).
using UniqueMenu = UniqueOwner<HMENU, DestroyMenuHandle>;

// A DC the program made (CreateDC, CreateCompatibleDC), deleted with DeleteDC.
using UniqueDc = UniqueOwner<HDC, DeleteDcHandle>;

// A memory device context with one bitmap selected into it; the bitmap is selected back out
// before the context is deleted.
class MemoryDc {
public:
    MemoryDc(HDC compatibleWith, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatibleWith)), previous_(SelectObject(dc_, bitmap)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace qivyun
