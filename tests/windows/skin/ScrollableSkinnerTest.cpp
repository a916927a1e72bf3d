// The skinned scroll bars of a scrollable control in-process: what the bar shows for small and
// large ranges, the messages of a thumb drag, the auto-repeat of held arrows and tracks, arrows
// disabled by the program. The panel is a window of the tests' own that the
// host property makes a scrollable control (type 1025); it scrolls as its scroll messages say.
#include "framework/Handles.h"
#include "skin/container/DrawPart.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinProperties.h"
#include "skin/kinds/SkinnedNonClient.h"

#include "../support/Pump.h"
#include "../support/WindowCapture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

// The panel: a 1-pixel border around a client area 200 wide and 216 high, so that the vertical bar
// is 216 long with our skin's 16-pixel arrows and a track of 184 from 16 to 200.
constexpr int ClientWidth = 200, ClientHeight = 216, BarThickness = 16;

SCROLLINFO ScrollInfo(UINT mask, int minimum = 0, int maximum = 0, unsigned page = 0, int position = 0) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    return info;
}

struct ScrollMessage {
    int code;
    int position;       // the message's high word
    int trackPosition;  // what the scroll information said meanwhile
    friend bool operator==(const ScrollMessage&, const ScrollMessage&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ScrollMessage& m) {
        return out << "{" << m.code << ", " << m.position << ", " << m.trackPosition << "}";
    }
};
std::vector<ScrollMessage> heard;

// Scrolls as a control does: lines and pages from the message, the thumb from the tracked position.
LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetPropA(window, SkinTypeProperty, reinterpret_cast<HANDLE>(1025));
        break;
    case WM_VSCROLL: {
        SCROLLINFO info = ScrollInfo(SIF_ALL);
        GetScrollInfo(window, SB_VERT, &info);
        const int code = LOWORD(wParam);
        heard.push_back({code, static_cast<int>(HIWORD(wParam)), info.nTrackPos});
        const int page = static_cast<int>(info.nPage);
        const int moves[] = {-1, 1, -page, page};
        if (code <= SB_PAGEDOWN) {
            SetScrollPos(window, SB_VERT, info.nPos + moves[code], TRUE);
        }
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) SetScrollPos(window, SB_VERT, info.nTrackPos, TRUE);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ScrollableSkinnerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SkinEngine* engine = SkinEngine::Current();
        ASSERT_TRUE(engine);
        if (!engine->SkinLoaded()) {
            ASSERT_EQ(LoadSkinFromResource(MAKEINTRESOURCEA(146), "ZOR", "", 0, 0, 0), 0);
        }
        WNDCLASSA panelClass{};
        panelClass.lpfnWndProc = &PanelProcedure;
        panelClass.hInstance = GetModuleHandleA(nullptr);
        panelClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        panelClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        panelClass.lpszClassName = "QivYunScrollPanel";
        RegisterClassA(&panelClass);
        // The pointer waits far from the panels, so that no move of the real pointer reaches a drag.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    void SetUp() override {
        heard.clear();
        panel = CreateWindowExA(0, "QivYunScrollPanel", "", WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 20, 20,
                                ClientWidth + BarThickness + 2, ClientHeight + 2, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(panel);
        ASSERT_TRUE(WindowSkinner::Of(panel)) << "the host property makes the panel a scrollable control";
        test::PumpFor(50);
    }
    void TearDown() override { DestroyWindow(panel); }

    void SetRange(int minimum, int maximum, unsigned page, int position, UINT extra = 0) {
        SCROLLINFO info = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS | extra, minimum, maximum, page, position);
        SetScrollInfo(panel, SB_VERT, &info, TRUE);
        test::PumpFor(20);
    }
    int Position() const { return GetScrollPos(panel, SB_VERT); }

    // The vertical bar on the screen, and a point on it (along from its top, across from its left).
    RECT Bar() const {
        RECT client;
        GetClientRect(panel, &client);
        MapWindowPoints(panel, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return {client.right, client.top, client.right + BarThickness, client.bottom};
    }
    LPARAM ScreenPoint(int along, int across = BarThickness / 2) const {
        return MAKELPARAM(Bar().left + across, Bar().top + along);
    }
    LPARAM ClientPoint(int along, int across = BarThickness / 2) const {
        POINT point{Bar().left + across, Bar().top + along};
        ScreenToClient(panel, &point);
        return MAKELPARAM(point.x, point.y);
    }
    void Press(int along) { SendMessageA(panel, WM_NCLBUTTONDOWN, HitVerticalBar, ScreenPoint(along)); }
    void Release(int along) { SendMessageA(panel, WM_LBUTTONUP, 0, ClientPoint(along)); }

    // The bar's pixels on the screen against the skin's parts drawn at the rule's places.
    std::vector<uint32_t> ShownBar() const {
        HDC dc = GetWindowDC(panel);
        RECT window;
        GetWindowRect(panel, &window);
        const RECT bar = Bar();
        std::vector<uint32_t> pixels = Pixels(dc, bar.left - window.left, bar.top - window.top);
        ReleaseDC(panel, dc);
        return pixels;
    }
    // How many colours the window's right edge shows.
    size_t RightBorderColours() const {
        HDC dc = GetWindowDC(panel);
        RECT window;
        GetWindowRect(panel, &window);
        std::set<COLORREF> colours;
        for (int y = 0; y < window.bottom - window.top; ++y) colours.insert(GetPixel(dc, window.right - window.left - 1, y));
        ReleaseDC(panel, dc);
        return colours.size();
    }
    // The first row where two pictures of the bar differ, or -1.
    static int FirstDifferentRow(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& expected) {
        for (size_t i = 0; i < shown.size() && i < expected.size(); ++i) {
            if ((shown[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF)) return static_cast<int>(i / BarThickness);
        }
        return shown.size() == expected.size() ? -1 : 0;
    }
    static std::vector<uint32_t> ExpectedBar(bool disabled, int thumbStart, int thumbLength) {
        const SkinData& skin = SkinEngine::Current()->Skin();
        HDC screen = GetDC(nullptr);
        UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, BarThickness, ClientHeight));
        std::vector<uint32_t> pixels;
        {
            MemoryDc dc(screen, bitmap.Get());
            const RECT all{0, 0, BarThickness, ClientHeight};
            FillRect(dc.Get(), &all, skin.BackgroundBrush());
            auto draw = [&](int start, int length, SkinPart part) {
                DrawPart(dc.Get(), RECT{0, start, BarThickness, start + length}, skin.Part(part), skin);
            };
            draw(16, 184, disabled ? SkinPart::ScrollTrackVerticalDisabled : SkinPart::ScrollTrackVertical);
            if (thumbLength) draw(thumbStart, thumbLength, SkinPart::ScrollThumbVertical);
            draw(0, 16, disabled ? SkinPart::ScrollUpDisabled : SkinPart::ScrollUpNormal);
            draw(200, 16, disabled ? SkinPart::ScrollDownDisabled : SkinPart::ScrollDownNormal);
            pixels = Pixels(dc.Get(), 0, 0);
        }
        ReleaseDC(nullptr, screen);
        return pixels;
    }
    static std::vector<uint32_t> Pixels(HDC source, int x, int y) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = BarThickness;
        info.bmiHeader.biHeight = -ClientHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        UniqueGdiObject<HBITMAP> copy(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDc dc(source, copy.Get());
        BitBlt(dc.Get(), 0, 0, BarThickness, ClientHeight, source, x, y, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        return std::vector<uint32_t>(first, first + BarThickness * ClientHeight);
    }

    HWND panel = nullptr;
};

TEST_F(ScrollableSkinnerTest, TheBarShowsTheThumbOfTheRangeThePageAndThePosition) {
    struct Case {
        const char* what;
        int minimum, maximum, page, position;
        UINT extra;
        bool disabled;
        int thumbStart, thumbLength;
    } cases[] = {
        {"ten rows, five shown, at the top", 0, 9, 5, 0, 0, false, 16, 82},
        {"ten rows, five shown, at the end", 0, 9, 5, 5, 0, false, 118, 82},
        {"10,000 rows, 20 shown, in the middle", 0, 9999, 20, 5000, 0, false, 88, 20},
        {"10,000 rows, 20 shown, at the end", 0, 9999, 20, 9980, 0, false, 180, 20},
        {"everything fits, kept shown disabled", 0, 9, 10, 0, SIF_DISABLENOSCROLL, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetRange(c.minimum, c.maximum, c.page, c.position, c.extra);
        SCROLLINFO info = ScrollInfo(SIF_ALL);
        ASSERT_TRUE(GetScrollInfo(panel, SB_VERT, &info));
        EXPECT_EQ(info.nMax, c.maximum);
        EXPECT_EQ(info.nPage, static_cast<UINT>(c.page));
        EXPECT_EQ(info.nPos, c.position);
        EXPECT_TRUE(GetWindowLongA(panel, GWL_STYLE) & WS_VSCROLL);
        EXPECT_EQ(FirstDifferentRow(ShownBar(), ExpectedBar(c.disabled, c.thumbStart, c.thumbLength)), -1);
        EXPECT_EQ(RightBorderColours(), 1u) << "nothing but the border beside the bar";
    }
    test::SaveWindowPng(panel, test::ScreensFolder() + "/scrollable-panel.png");
}

TEST_F(ScrollableSkinnerTest, DraggingTheThumbReportsEachNewPositionThenTheLastOneAndTheEnd) {
    // 100 rows, 10 shown: a thumb of 20 at 16 that travels 164 pixels over positions 0 to 90.
    SetRange(0, 99, 10, 0);
    const int along[] = {21, 22, 102, 102, 150, 199, 260};
    for (int a : along) PostMessageA(panel, WM_MOUSEMOVE, 0, ClientPoint(a));
    // Far to the side the thumb stays where it was.
    PostMessageA(panel, WM_MOUSEMOVE, 0, ClientPoint(120, BarThickness + 96));
    PostMessageA(panel, WM_MOUSEMOVE, 0, ClientPoint(150));
    PostMessageA(panel, WM_LBUTTONUP, 0, ClientPoint(150));
    Press(20);  // returns when the drag is over

    const std::vector<ScrollMessage> expected = {
        {SB_THUMBTRACK, 1, 1},   {SB_THUMBTRACK, 45, 45}, {SB_THUMBTRACK, 71, 71}, {SB_THUMBTRACK, 90, 90},
        {SB_THUMBTRACK, 71, 71}, {SB_THUMBPOSITION, 71, 71}, {SB_ENDSCROLL, 0, 71},
    };
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(Position(), 71);
    EXPECT_EQ(GetCapture(), nullptr);
    // Released over the thumb with the real pointer elsewhere: the thumb of position 71 in its
    // normal look once the hover has ended.
    test::PumpFor(400);
    EXPECT_EQ(FirstDifferentRow(ShownBar(), ExpectedBar(false, 145, 20)), -1);
}

TEST_F(ScrollableSkinnerTest, AHeldArrowScrollsAtOnceThenRepeatsUntilReleased) {
    SetRange(0, 99, 10, 0);
    Press(208);
    EXPECT_EQ(heard.size(), 1u);
    test::PumpFor(250);
    EXPECT_EQ(heard.size(), 1u) << "the repeats start after half a second";
    ASSERT_TRUE(test::PumpUntil([] { return heard.size() >= 4; }, 5000));
    Release(208);
    const size_t atRelease = heard.size();
    test::PumpFor(300);
    EXPECT_EQ(heard.size(), atRelease);
    for (const ScrollMessage& m : heard) EXPECT_EQ(m.code, SB_LINEDOWN);
    EXPECT_EQ(Position(), static_cast<int>(atRelease));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollableSkinnerTest, AHeldTrackPagesUntilTheThumbReachesThePointer) {
    SetRange(0, 99, 10, 0);
    // At 150 the thumb arrives with position 70, after seven pages.
    Press(150);
    ASSERT_TRUE(test::PumpUntil([] { return heard.size() >= 7; }, 5000));
    test::PumpFor(400);
    EXPECT_EQ(heard.size(), 7u);
    EXPECT_EQ(Position(), 70);
    Release(150);
    for (const ScrollMessage& m : heard) EXPECT_EQ(m.code, SB_PAGEDOWN);
}

TEST_F(ScrollableSkinnerTest, AnArrowThatTheProgramDisabledTakesNoPress) {
    SetRange(0, 99, 10, 40);
    EnableScrollBar(panel, SB_VERT, ESB_DISABLE_DOWN);
    EXPECT_EQ(SendMessageA(panel, WM_NCHITTEST, 0, ScreenPoint(208)), HitVerticalBar);
    Press(208);
    test::PumpFor(50);
    EXPECT_TRUE(heard.empty());
    Press(8);
    Release(8);
    EXPECT_EQ(heard, (std::vector<ScrollMessage>{{SB_LINEUP, 0, 40}}));
}

}  // namespace
}  // namespace qivyun::skin
