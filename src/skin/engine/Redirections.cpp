#include "skin/engine/Redirections.h"

#include "skin/engine/WindowSkinner.h"
#include "skin/patching/Unpatched.h"

#include <array>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace qivyun::skin {
namespace {

// What the replacements know beyond the windows' skinners: the DC whose black text is recoloured,
// and the DCs handed out for windows, which WindowFromDC asks about from any thread.
std::atomic<HDC> recolouredDc{nullptr};
std::atomic<COLORREF> recolouredColour{0};

std::mutex dcOwnersLock;
std::vector<std::pair<HDC, HWND>>& DcOwners() {
    static std::vector<std::pair<HDC, HWND>> owners;
    return owners;
}

template <typename Draw>
BOOL DrawRecoloured(HDC dc, Draw draw) {
    if (!dc || dc != recolouredDc.load(std::memory_order_relaxed)) return draw();
    COLORREF previous = GetTextColor(dc);
    if (previous != 0) return draw();
    SetTextColor(dc, recolouredColour.load(std::memory_order_relaxed));
    BOOL drawn = draw();
    SetTextColor(dc, previous);
    return drawn;
}

BOOL WINAPI ExtTextOutAReplacement(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                                   const INT* dx) {
    return DrawRecoloured(dc, [&] { return unpatched::ExtTextOutA(dc, x, y, options, rect, text, count, dx); });
}

BOOL WINAPI ExtTextOutWReplacement(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                                   const INT* dx) {
    return DrawRecoloured(dc, [&] { return unpatched::ExtTextOutW(dc, x, y, options, rect, text, count, dx); });
}

// A skinned window whose engine procedure is on top, when the call is about the window
// procedure: the caller is to deal with the procedure beneath the engine's.
WindowSkinner* EngineOnTop(HWND window, int index) {
    if (index != GWLP_WNDPROC) return nullptr;
    WindowSkinner* skinner = WindowSkinner::Of(window);
    if (!skinner || unpatched::WindowProcedure(window) != skinner->procedure) return nullptr;
    return skinner;
}

// The procedure-keeping reads and writes, for the functions that carry the procedure: the
// window-long functions in 32-bit code, their pointer-sized exports in 64-bit code.
using WindowLongRead = LONG_PTR(WINAPI*)(HWND, int);
using WindowLongWrite = LONG_PTR(WINAPI*)(HWND, int, LONG_PTR);

// The engine's procedure is taken out for the read, so the caller sees the one beneath in the
// caller's own character set.
template <WindowLongRead& read>
LONG_PTR WINAPI ReadWindowLong(HWND window, int index) {
    WindowSkinner* skinner = EngineOnTop(window, index);
    if (!skinner) return read(window, index);
    unpatched::SetWindowProcedure(window, skinner->previousProcedure);
    LONG_PTR beneath = read(window, index);
    unpatched::SetWindowProcedure(window, skinner->procedure);
    return beneath;
}

// The caller's procedure goes in beneath the engine's, which stays outermost.
template <WindowLongWrite& write>
LONG_PTR WINAPI WriteWindowLong(HWND window, int index, LONG_PTR value) {
    WindowSkinner* skinner = EngineOnTop(window, index);
    if (!skinner) return write(window, index, value);
    unpatched::SetWindowProcedure(window, skinner->previousProcedure);
    LONG_PTR replaced = write(window, index, value);
    skinner->previousProcedure = unpatched::SetWindowProcedure(window, skinner->procedure);
    return replaced;
}

#ifdef _WIN64
// In 64-bit code the system refuses the procedure through these; they pass straight on.
LONG WINAPI GetWindowLongAReplacement(HWND window, int index) { return unpatched::GetWindowLongA(window, index); }
LONG WINAPI GetWindowLongWReplacement(HWND window, int index) { return unpatched::GetWindowLongW(window, index); }
LONG WINAPI SetWindowLongAReplacement(HWND window, int index, LONG value) {
    return unpatched::SetWindowLongA(window, index, value);
}
LONG WINAPI SetWindowLongWReplacement(HWND window, int index, LONG value) {
    return unpatched::SetWindowLongW(window, index, value);
}
#endif

HDC WINAPI BeginPaintReplacement(HWND window, PAINTSTRUCT* paint) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    PaintRedirect* record = skinner ? skinner->PaintRedirection() : nullptr;
    if (record && record->beginPaint) return record->beginPaint(window, paint);
    return unpatched::BeginPaint(window, paint);
}

BOOL WINAPI EndPaintReplacement(HWND window, const PAINTSTRUCT* paint) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    PaintRedirect* record = skinner ? skinner->PaintRedirection() : nullptr;
    if (record && record->endPaint) return record->endPaint(window, paint);
    return unpatched::EndPaint(window, paint);
}

DcRedirect* ActiveDcRedirect(HWND window) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    DcRedirect* record = skinner ? skinner->DcRedirection() : nullptr;
    return record && record->active ? record : nullptr;
}

HDC WINAPI GetDCReplacement(HWND window) {
    DcRedirect* record = ActiveDcRedirect(window);
    if (record && record->getDc) return record->getDc(window);
    return unpatched::GetDC(window);
}

HDC WINAPI GetWindowDCReplacement(HWND window) {
    DcRedirect* record = ActiveDcRedirect(window);
    if (record && record->getWindowDc) return record->getWindowDc(window);
    return unpatched::GetWindowDC(window);
}

int WINAPI ReleaseDCReplacement(HWND window, HDC dc) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    DcRedirect* record = skinner ? skinner->DcRedirection() : nullptr;
    if (record && record->releaseDc && record->HandedOut(dc)) return record->releaseDc(window, dc);
    return unpatched::ReleaseDC(window, dc);
}

HWND WINAPI WindowFromDCReplacement(HDC dc) {
    if (HWND window = unpatched::WindowFromDC(dc)) return window;
    if (!dc) return nullptr;
    std::lock_guard lock(dcOwnersLock);
    for (const auto& [owned, window] : DcOwners()) {
        if (owned == dc) return window;
    }
    return nullptr;
}

int WINAPI SetWindowRgnReplacement(HWND window, HRGN region, BOOL redraw) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    if (!skinner || !skinner->ShapesWindow()) return unpatched::SetWindowRgn(window, region, redraw);
    // A region given to SetWindowRgn belongs to the system from then on; the caller will not free it.
    if (region) DeleteObject(region);
    return 1;
}

struct OwnBar {
    WindowSkinner* skinner = nullptr;
    ScrollState* state = nullptr;
};

OwnBar OwnScrollBar(HWND window, int bar) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    ScrollState* state = skinner ? skinner->OwnScrollBar(bar) : nullptr;
    return state ? OwnBar{skinner, state} : OwnBar{};
}

BOOL WINAPI GetScrollInfoReplacement(HWND window, int bar, LPSCROLLINFO info) {
    OwnBar own = OwnScrollBar(window, bar);
    if (!own.state || !info) return unpatched::GetScrollInfo(window, bar, info);
    ScrollValues values{info->nMin, info->nMax, info->nPage, info->nPos, info->nTrackPos};
    BOOL known = own.state->Get(info->fMask, values);
    info->nMin = values.minimum;
    info->nMax = values.maximum;
    info->nPage = values.page;
    info->nPos = values.position;
    info->nTrackPos = values.trackPosition;
    return known;
}

int WINAPI GetScrollPosReplacement(HWND window, int bar) {
    OwnBar own = OwnScrollBar(window, bar);
    return own.state ? own.state->values.position : unpatched::GetScrollPos(window, bar);
}

BOOL WINAPI GetScrollRangeReplacement(HWND window, int bar, LPINT minimum, LPINT maximum) {
    OwnBar own = OwnScrollBar(window, bar);
    if (!own.state || !minimum || !maximum) return unpatched::GetScrollRange(window, bar, minimum, maximum);
    *minimum = own.state->values.minimum;
    *maximum = own.state->values.maximum;
    return TRUE;
}

// The enabled state of a system bar's arrows and track.
std::array<DWORD, 3> SystemArrowStates(HWND window, int bar) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!unpatched::GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info)) return {};
    return {info.rgstate[0], info.rgstate[1], info.rgstate[5]};
}

// A skinner's bar takes the write; the system's takes it too, without drawing, so that it still
// shows or hides the bar as the range asks (the window's scroll style and frame follow), which is
// how controls such as the list view bring their bars up. Where the write enables or disables the
// system's arrows the system draws them whatever the redraw flag says; the skin's non-client
// area then goes over them at once.
template <typename Write>
void WriteSystemBar(HWND window, int bar, Write write) {
    const std::array<DWORD, 3> before = SystemArrowStates(window, bar);
    write();
    if (SystemArrowStates(window, bar) != before && IsWindowVisible(window)) SendMessageA(window, WM_NCPAINT, 1, 0);
}

int WINAPI SetScrollInfoReplacement(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    OwnBar own = OwnScrollBar(window, bar);
    if (!own.state || !info) return unpatched::SetScrollInfo(window, bar, info, redraw);
    int position = own.state->Set(info->fMask, {info->nMin, info->nMax, info->nPage, info->nPos, info->nTrackPos});
    WriteSystemBar(window, bar, [&] { unpatched::SetScrollInfo(window, bar, info, FALSE); });
    if (redraw) own.skinner->RedrawOwnScrollBars();
    return position;
}

int WINAPI SetScrollPosReplacement(HWND window, int bar, int position, BOOL redraw) {
    OwnBar own = OwnScrollBar(window, bar);
    if (!own.state) return unpatched::SetScrollPos(window, bar, position, redraw);
    int previous = own.state->values.position;
    ScrollValues given;
    given.position = position;
    own.state->Set(scrollPosition, given);
    WriteSystemBar(window, bar, [&] { unpatched::SetScrollPos(window, bar, position, FALSE); });
    if (redraw) own.skinner->RedrawOwnScrollBars();
    return previous;
}

BOOL WINAPI SetScrollRangeReplacement(HWND window, int bar, int minimum, int maximum, BOOL redraw) {
    OwnBar own = OwnScrollBar(window, bar);
    if (!own.state) return unpatched::SetScrollRange(window, bar, minimum, maximum, redraw);
    ScrollValues given;
    given.minimum = minimum;
    given.maximum = maximum;
    own.state->Set(scrollRange, given);
    WriteSystemBar(window, bar, [&] { unpatched::SetScrollRange(window, bar, minimum, maximum, FALSE); });
    if (redraw) own.skinner->RedrawOwnScrollBars();
    return TRUE;
}

BOOL WINAPI GetScrollBarInfoReplacement(HWND window, LONG object, PSCROLLBARINFO info) {
    BOOL answered = unpatched::GetScrollBarInfo(window, object, info);
    int bar = object == OBJID_HSCROLL ? SB_HORZ : object == OBJID_VSCROLL ? SB_VERT : SB_CTL;
    if (answered && info && OwnScrollBar(window, bar).state) SetRectEmpty(&info->rcScrollBar);
    return answered;
}

BOOL WINAPI EnableScrollBarReplacement(HWND window, UINT bars, UINT arrows) {
    WindowSkinner* skinner = WindowSkinner::Of(window);
    bool own = false;
    for (int bar : {SB_HORZ, SB_VERT, SB_CTL}) {
        bool named = static_cast<UINT>(bar) == bars || (bars == SB_BOTH && bar != SB_CTL);
        ScrollState* state = skinner && named ? skinner->OwnScrollBar(bar) : nullptr;
        if (!state) continue;
        state->disabledArrows = arrows;
        own = true;
    }
    if (!own) return unpatched::EnableScrollBar(window, bars, arrows);
    skinner->RedrawOwnScrollBars();
    return TRUE;
}

template <typename Function>
RedirectedFunction Redirect(const char* module, const char* name, Function& original, Function replacement) {
    return {module, name, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(&original), {}};
}

#define QIVYUN_USER(function, replacement) Redirect("user32.dll", #function, unpatched::function, replacement)

// Made on first use, so that it is ready whenever it is first asked for.
std::span<RedirectedFunction> Table() {
    static RedirectedFunction table[] = {
        Redirect("gdi32.dll", "ExtTextOutA", unpatched::ExtTextOutA, &ExtTextOutAReplacement),
        Redirect("gdi32.dll", "ExtTextOutW", unpatched::ExtTextOutW, &ExtTextOutWReplacement),
#ifdef _WIN64
        QIVYUN_USER(GetWindowLongA, &GetWindowLongAReplacement),
        QIVYUN_USER(GetWindowLongW, &GetWindowLongWReplacement),
        QIVYUN_USER(SetWindowLongA, &SetWindowLongAReplacement),
        QIVYUN_USER(SetWindowLongW, &SetWindowLongWReplacement),
        QIVYUN_USER(GetWindowLongPtrA, &ReadWindowLong<unpatched::GetWindowLongPtrA>),
        QIVYUN_USER(GetWindowLongPtrW, &ReadWindowLong<unpatched::GetWindowLongPtrW>),
        QIVYUN_USER(SetWindowLongPtrA, &WriteWindowLong<unpatched::SetWindowLongPtrA>),
        QIVYUN_USER(SetWindowLongPtrW, &WriteWindowLong<unpatched::SetWindowLongPtrW>),
#else
        QIVYUN_USER(GetWindowLongA, &ReadWindowLong<unpatched::GetWindowLongA>),
        QIVYUN_USER(GetWindowLongW, &ReadWindowLong<unpatched::GetWindowLongW>),
        QIVYUN_USER(SetWindowLongA, &WriteWindowLong<unpatched::SetWindowLongA>),
        QIVYUN_USER(SetWindowLongW, &WriteWindowLong<unpatched::SetWindowLongW>),
#endif
        QIVYUN_USER(BeginPaint, &BeginPaintReplacement),
        QIVYUN_USER(EndPaint, &EndPaintReplacement),
        QIVYUN_USER(GetDC, &GetDCReplacement),
        QIVYUN_USER(GetWindowDC, &GetWindowDCReplacement),
        QIVYUN_USER(ReleaseDC, &ReleaseDCReplacement),
        QIVYUN_USER(WindowFromDC, &WindowFromDCReplacement),
        QIVYUN_USER(SetWindowRgn, &SetWindowRgnReplacement),
        QIVYUN_USER(GetScrollInfo, &GetScrollInfoReplacement),
        QIVYUN_USER(GetScrollPos, &GetScrollPosReplacement),
        QIVYUN_USER(GetScrollRange, &GetScrollRangeReplacement),
        QIVYUN_USER(SetScrollInfo, &SetScrollInfoReplacement),
        QIVYUN_USER(SetScrollPos, &SetScrollPosReplacement),
        QIVYUN_USER(SetScrollRange, &SetScrollRangeReplacement),
        QIVYUN_USER(GetScrollBarInfo, &GetScrollBarInfoReplacement),
        QIVYUN_USER(EnableScrollBar, &EnableScrollBarReplacement),
    };
    return table;
}

#undef QIVYUN_USER

}  // namespace

void InstallRedirections() {
    static CodeArena arena;
    for (RedirectedFunction& redirected : Table()) {
        if (redirected.patch.Installed()) continue;
        HMODULE module = GetModuleHandleA(redirected.module);
        if (!module) module = LoadLibraryA(redirected.module);
        void* function = module ? reinterpret_cast<void*>(GetProcAddress(module, redirected.name)) : nullptr;
        if (!function) continue;
        // The system's own entry, not this program's import stub, until the trampoline takes over.
        *redirected.unpatched = function;
        if (redirected.patch.Install(function, redirected.replacement, arena)) {
            *redirected.unpatched = redirected.patch.Trampoline();
        }
    }
}

std::span<RedirectedFunction> RedirectedFunctions() { return Table(); }

void RecolourBlackText(HDC dc, COLORREF colour) {
    recolouredColour.store(colour, std::memory_order_relaxed);
    recolouredDc.store(dc, std::memory_order_relaxed);
}

void RememberDcOwner(HDC dc, HWND window) {
    std::lock_guard lock(dcOwnersLock);
    DcOwners().emplace_back(dc, window);
}

void ForgetDcOwner(HDC dc) {
    std::lock_guard lock(dcOwnersLock);
    std::erase_if(DcOwners(), [dc](const auto& owner) { return owner.first == dc; });
}

}  // namespace qivyun::skin
