#include "skin/engine/Redirections.h"
#include "skin/patching/Unpatched.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

using Entry = std::array<uint8_t, MaximumCoveredLength>;

void* SystemFunction(const RedirectedFunction& redirected) {
    return reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(redirected.module), redirected.name));
}

Entry EntryOf(void* function) {
    Entry entry;
    std::memcpy(entry.data(), function, entry.size());
    return entry;
}

// Read when the test program starts, before anything patches the functions.
const std::vector<Entry> originalEntries = [] {
    std::vector<Entry> entries;
    for (const RedirectedFunction& redirected : RedirectedFunctions()) entries.push_back(EntryOf(SystemFunction(redirected)));
    return entries;
}();

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window the engine knows nothing about, with scroll bars and two extra window longs.
HWND CreatePlainWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PlainProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.cbWndExtra = 8;
    windowClass.lpszClassName = "QivYunRedirectionProbe";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "probe", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 10,
                           200, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
}

TEST(RedirectionTest, EveryFunctionIsRedirectedAndAnswersForAWindowTheEngineDoesNotSkin) {
    InstallRedirections();
    size_t expected = sizeof(void*) == 8 ? 25 : 21;
    ASSERT_EQ(RedirectedFunctions().size(), expected);
    for (RedirectedFunction& redirected : RedirectedFunctions()) {
        SCOPED_TRACE(redirected.name);
        EXPECT_TRUE(redirected.patch.Installed());
        EXPECT_EQ(*static_cast<uint8_t*>(SystemFunction(redirected)), 0xe9);
        EXPECT_EQ(*redirected.unpatched, redirected.patch.Trampoline());
    }

    HWND window = CreatePlainWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(SetWindowLongA(window, 0, 1234), 0);
    EXPECT_EQ(SetWindowLongW(window, 0, 5678), 1234);
    EXPECT_EQ(GetWindowLongA(window, 0), 5678);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &PlainProcedure);
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, 77), 0);
    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 78), 77);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 78);

    InvalidateRect(window, nullptr, TRUE);
    PAINTSTRUCT paint{};
    EXPECT_TRUE(BeginPaint(window, &paint));
    EXPECT_TRUE(EndPaint(window, &paint));
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));

    HDC dc = GetDC(window);
    EXPECT_EQ(WindowFromDC(dc), window);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    HDC windowDc = GetWindowDC(window);
    EXPECT_EQ(WindowFromDC(windowDc), window);
    EXPECT_EQ(ReleaseDC(window, windowDc), 1);

    EXPECT_TRUE(SetWindowRgn(window, CreateRectRgn(0, 0, 50, 40), FALSE));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    DeleteObject(region);

    EXPECT_TRUE(SetScrollRange(window, SB_VERT, 0, 100, FALSE));
    int minimum = -1, maximum = -1;
    EXPECT_TRUE(GetScrollRange(window, SB_VERT, &minimum, &maximum));
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 100);
    EXPECT_EQ(SetScrollPos(window, SB_VERT, 30, FALSE), 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 30);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE | SIF_POS;
    info.nPage = 10;
    info.nPos = 95;
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, FALSE), 91);  // the last page starts at 91
    SCROLLINFO read{};
    read.cbSize = sizeof(read);
    read.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(window, SB_VERT, &read));
    EXPECT_EQ(read.nPage, 10u);
    EXPECT_EQ(read.nPos, 91);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    EXPECT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &bar));
    EXPECT_FALSE(IsRectEmpty(&bar.rcScrollBar));
    EXPECT_TRUE(EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &bar));
    EXPECT_TRUE(bar.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);  // both arrows
    EXPECT_TRUE(bar.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
    DestroyWindow(window);

    // Text lands in a white bitmap through both character sets.
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    auto inked = [&] {
        auto* pixels = static_cast<uint32_t*>(bits);
        GdiFlush();
        size_t count = 0;
        for (int i = 0; i < 64 * 32; ++i) count += (pixels[i] & 0xffffff) != 0xffffff;
        std::memset(bits, 0xff, 64 * 32 * 4);
        return count;
    };
    std::memset(bits, 0xff, 64 * 32 * 4);
    EXPECT_TRUE(ExtTextOutA(memory, 2, 2, 0, nullptr, "Ag", 2, nullptr));
    EXPECT_GT(inked(), 0u);
    EXPECT_TRUE(ExtTextOutW(memory, 2, 2, 0, nullptr, L"Ag", 2, nullptr));
    EXPECT_GT(inked(), 0u);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

int chainedCalls = 0;
decltype(&::GetScrollPos) chainedTrampoline = nullptr;
int WINAPI CountingGetScrollPos(HWND window, int bar) {
    ++chainedCalls;
    return chainedTrampoline(window, bar);
}

TEST(RedirectionTest, RemovingAPatchRestoresTheOriginalBytesExactlyAndRefusesWhenTheEntryChanged) {
    InstallRedirections();
    auto functions = RedirectedFunctions();
    for (size_t i = 0; i < functions.size(); ++i) {
        SCOPED_TRACE(functions[i].name);
        void* function = SystemFunction(functions[i]);
        EXPECT_NE(EntryOf(function), originalEntries[i]);
        ASSERT_TRUE(functions[i].patch.Remove());
        EXPECT_EQ(EntryOf(function), originalEntries[i]);
        SetLastError(0);
        EXPECT_FALSE(functions[i].patch.Remove());
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    InstallRedirections();

    // A second patch over an engine patch chains through it; while it is there the engine's
    // patch is not the one at the entry and stays in place.
    RedirectedFunction* scrollPos = nullptr;
    for (RedirectedFunction& redirected : functions) {
        if (std::string(redirected.name) == "GetScrollPos") scrollPos = &redirected;
    }
    ASSERT_TRUE(scrollPos && scrollPos->patch.Installed());
    void* function = SystemFunction(*scrollPos);
    Entry patchedByEngine = EntryOf(function);
    CodeArena arena;
    FunctionPatch chained;
    ASSERT_TRUE(chained.Install(function, reinterpret_cast<void*>(&CountingGetScrollPos), arena));
    chainedTrampoline = reinterpret_cast<decltype(chainedTrampoline)>(chained.Trampoline());
    HWND window = CreatePlainWindow();
    SetScrollRange(window, SB_HORZ, 0, 50, FALSE);
    SetScrollPos(window, SB_HORZ, 12, FALSE);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 12);
    EXPECT_EQ(chainedCalls, 1);

    Entry patchedTwice = EntryOf(function);
    SetLastError(0);
    EXPECT_FALSE(scrollPos->patch.Remove());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(EntryOf(function), patchedTwice);

    // A damaged record in the trampoline leaves the code alone too.
    uint8_t* lengthByte = static_cast<uint8_t*>(chained.Trampoline()) + TrampolineSize - 1;
    uint8_t recorded = *lengthByte, damaged = 0x40;
    ASSERT_TRUE(CodeArena::WriteCode(lengthByte, &damaged, 1));
    SetLastError(0);
    EXPECT_FALSE(chained.Remove());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_BLOCK));
    ASSERT_TRUE(CodeArena::WriteCode(lengthByte, &recorded, 1));

    ASSERT_TRUE(chained.Remove());
    EXPECT_EQ(EntryOf(function), patchedByEngine);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 12);
    EXPECT_EQ(chainedCalls, 1);
    DestroyWindow(window);
}

}  // namespace
}  // namespace qivyun::skin
