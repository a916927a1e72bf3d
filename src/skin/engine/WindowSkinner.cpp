#include "skin/engine/WindowSkinner.h"

#include "skin/engine/SkinProperties.h"
#include "skin/patching/Unpatched.h"

#include <array>
#include <atomic>
#include <utility>
#include <unordered_map>

namespace qivyun::skin {
namespace {

// "ZOR" mirrored inside the process. The redirected functions ask for a window's skinner on
// every call, from any thread; under Wine a window property read is a round trip to the window
// server, some hundred times the cost of the calls it would guard. A bit per hash of the handle
// answers most questions about unskinned windows without taking the lock.
class SkinnerIndex {
public:
    WindowSkinner* Find(HWND window) {
        auto [word, bit] = MarkOf(window);
        if (!(marks_[word].load(std::memory_order_acquire) & bit)) return nullptr;
        AcquireSRWLockShared(&lock_);
        auto found = skinners_.find(window);
        WindowSkinner* skinner = found == skinners_.end() ? nullptr : found->second;
        ReleaseSRWLockShared(&lock_);
        return skinner;
    }
    void Put(HWND window, WindowSkinner* skinner) {
        AcquireSRWLockExclusive(&lock_);
        skinners_[window] = skinner;
        auto [word, bit] = MarkOf(window);
        marks_[word].fetch_or(bit, std::memory_order_release);
        ReleaseSRWLockExclusive(&lock_);
    }
    void Remove(HWND window, const WindowSkinner* skinner) {
        AcquireSRWLockExclusive(&lock_);
        auto found = skinners_.find(window);
        if (found != skinners_.end() && found->second == skinner) skinners_.erase(found);
        // The marks of the windows still skinned, word by word: a word only ever loses the bits
        // of windows that are gone.
        std::array<uint64_t, Words> marks{};
        for (const auto& entry : skinners_) {
            auto [word, bit] = MarkOf(entry.first);
            marks[word] |= bit;
        }
        for (size_t word = 0; word < Words; ++word) marks_[word].store(marks[word], std::memory_order_release);
        ReleaseSRWLockExclusive(&lock_);
    }

private:
    static constexpr size_t Words = 64;
    static std::pair<size_t, uint64_t> MarkOf(HWND window) {
        auto hash = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window) * 0x9E3779B1u) >> 20;  // 12 bits
        return {hash / 64, uint64_t{1} << (hash % 64)};
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, WindowSkinner*> skinners_;
    std::array<std::atomic<uint64_t>, Words> marks_{};
};

SkinnerIndex& Index() {
    static SkinnerIndex index;
    return index;
}

}  // namespace

WindowSkinner::~WindowSkinner() {
    if (window) {
        if (procedure) unpatched::SetWindowProcedure(window, previousProcedure);
        RemovePropA(window, SkinnerProperty);
        if (paintRedirect_) RemovePropA(window, PaintRedirectProperty);
        if (dcRedirect_) RemovePropA(window, DcRedirectProperty);
        Index().Remove(window, this);
    }
    if (roster_) roster_->Leave(*this);
}

WindowSkinner* WindowSkinner::Of(HWND window) { return window ? Index().Find(window) : nullptr; }

void WindowSkinner::Attach(HWND target) {
    window = target;
    SetPropA(window, SkinnerProperty, this);
    Index().Put(window, this);
    procedure = &WindowSkinner::Procedure;
    previousProcedure = unpatched::SetWindowProcedure(window, procedure);
    OnAttach();
}

LRESULT WindowSkinner::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(previousProcedure, window, message, wParam, lParam);
}

void WindowSkinner::StartTimer(UINT_PTR id, UINT periodMs) const {
    SetTimer(window, id, periodMs, &WindowSkinner::TimerProcedure);
}

void CALLBACK WindowSkinner::TimerProcedure(HWND window, UINT, UINT_PTR id, DWORD) {
    if (WindowSkinner* skinner = Of(window)) skinner->OnTimer(id);
}

void WindowSkinner::SetPaintRedirect(PaintRedirect* record) {
    paintRedirect_ = record;
    if (record) {
        SetPropA(window, PaintRedirectProperty, record);
    } else {
        RemovePropA(window, PaintRedirectProperty);
    }
}

void WindowSkinner::SetDcRedirect(DcRedirect* record) {
    dcRedirect_ = record;
    if (record) {
        SetPropA(window, DcRedirectProperty, record);
    } else {
        RemovePropA(window, DcRedirectProperty);
    }
}

LRESULT CALLBACK WindowSkinner::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowSkinner* skinner = Of(window);
    if (!skinner) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = skinner->CallPrevious(message, wParam, lParam);
        delete skinner;
        return result;
    }
    return skinner->WindowProc(message, wParam, lParam);
}

}  // namespace qivyun::skin
