// Rebars, framework control bars, band windows and framed windows fitted to their bar with our
// skin: each kind's parts where its rules put them, in two states, and the windows still working:
// a band dragged by its gripper, a button of the fitted window's toolbar clicked.
#include "../support/Pump.h"
#include "BarAndDateControls.h"
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/ControlBarLayout.h"
#include "skin/kinds/FrameLayout.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qivyun::skin::test {
namespace {

using enum SkinPart;

Picture Crop(const Picture& picture, const RECT& area) {
    Picture part{area.right - area.left, area.bottom - area.top, {}};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) part.pixels.push_back(picture.At(x, y));
    return part;
}

void Draw(HDC dc, const RECT& rect, SkinPart part) { DrawPart(dc, rect, LoadOurSkin().Part(part), LoadOurSkin()); }

RECT BandRect(HWND rebar, int index) {
    RECT rect{};
    SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// The gripper the rule puts in a band of a horizontal rebar.
RECT GripperOf(HWND rebar, int index) {
    RECT borders{};
    SendMessageW(rebar, RB_GETBANDBORDERS, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&borders));
    return ToRect(BandHeaderLayout(ToSkinRect(BandRect(rebar, index)), borders.left, false, true, 4).gripper);
}

void AddBand(HWND rebar, HWND child, const wchar_t* label, UINT style) {
    RECT size;
    GetWindowRect(child, &size);
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = style;
    band.lpText = const_cast<wchar_t*>(label);
    band.hwndChild = child;
    band.cyMinChild = static_cast<UINT>(size.bottom - size.top);
    band.cxMinChild = 60;
    band.cx = 200;
    SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

// A window class of a framework control bar and one of a band window: plain windows.
void RegisterPlainClass(const char* name) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

class ControlBarSkinnerTest : public testing::Test {
protected:
    void SetUp() override {
        LoadOurSkin();
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        ListenToChildren(host.Get(), heard);
    }
    HostWindow host{480, 240};
    HeardFromChildren heard;
};

TEST_F(ControlBarSkinnerTest, ARebarDrawsItsBandsAndGrippersAndItsBandsStillMoveByTheirGripper) {
    HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS | CCS_NODIVIDER, 0, 0,
                                 480, 0, host.Get(), reinterpret_cast<HMENU>(400), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(WindowSkinner::Of(rebar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(rebar)->skinType, 1022);
    EXPECT_NE(GetPropA(rebar, SkinnerProperty), nullptr);
    HWND toolbar = MakeToolbar(host.Get(), TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN);
    HWND edit = host.Child("Edit", "", WS_BORDER, 0, 0, 120, 22);
    AddBand(rebar, toolbar, L"工具", RBBS_GRIPPERALWAYS);
    AddBand(rebar, edit, L"地址", 0);
    UpdateWindow(rebar);
    qivyun::test::PumpFor(100);

    const auto expectGripper = [&](int index, bool shown) {
        SCOPED_TRACE(index);
        const RECT band = BandRect(rebar, index), grip = GripperOf(rebar, index);
        RECT client;
        GetClientRect(rebar, &client);
        const Picture drawn = Drawn(client.right, client.bottom, [&](HDC dc) {
            Draw(dc, band, RebarBand);
            if (shown) Draw(dc, grip, BarGripper);
        });
        EXPECT_TRUE(SamePicture(Crop(Capture(rebar), grip), Crop(drawn, grip)));
    };
    expectGripper(0, true);
    expectGripper(1, true);

    // A band without a gripper shows its face before its label, where the gripper's dots stood.
    const RECT before = BandRect(rebar, 1);
    REBARBANDINFOW style{};
    style.cbSize = sizeof style;
    style.fMask = RBBIM_STYLE;
    style.fStyle = RBBS_NOGRIPPER;
    SendMessageW(rebar, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&style));
    UpdateWindow(rebar);
    const RECT band = BandRect(rebar, 0);
    const RECT strip{band.left, band.top, band.left + 4, band.bottom};
    const Picture face = Drawn(band.right, band.bottom, [&](HDC dc) { Draw(dc, band, RebarBand); });
    EXPECT_TRUE(SamePicture(Crop(Capture(rebar), strip), Crop(face, strip)));

    // The second band dragged left by its gripper: the rebar moves it, tells its parent, and the
    // gripper is drawn where the band now starts.
    const RECT grip = GripperOf(rebar, 1);
    const POINT from{grip.left + 1, (grip.top + grip.bottom) / 2};
    SendMessageW(rebar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (int step = 1; step <= 4; ++step)
        SendMessageW(rebar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x - 15 * step, from.y));
    SendMessageW(rebar, WM_LBUTTONUP, 0, MAKELPARAM(from.x - 60, from.y));
    UpdateWindow(rebar);
    qivyun::test::PumpFor(100);
    EXPECT_LT(BandRect(rebar, 1).left, before.left);
    EXPECT_TRUE(heard.Heard(RBN_BEGINDRAG));
    EXPECT_TRUE(heard.Heard(RBN_ENDDRAG));
    expectGripper(1, true);

    // A band too short for what it would show gets the skin's chevron at its end, and loses it
    // when it no longer asks for one.
    const auto inkAtEnd = [&] {  // the glyph's dark pixels; the band, its lines and the empty edit box are light
        UpdateWindow(rebar);
        const RECT band = BandRect(rebar, 1);
        const Picture shown = Capture(rebar);
        int dark = 0;
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.right - 32; x < band.right; ++x) {
                const uint32_t pixel = shown.At(x, y);
                dark += (pixel >> 16) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 360;
            }
        return dark;
    };
    REBARBANDINFOW chevron{};
    chevron.cbSize = sizeof chevron;
    chevron.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
    chevron.fStyle = RBBS_USECHEVRON;
    chevron.cxIdeal = 900;
    SendMessageW(rebar, RB_SETBANDINFOW, 1, reinterpret_cast<LPARAM>(&chevron));
    EXPECT_GT(inkAtEnd(), 0);
    chevron.fStyle = 0;
    SendMessageW(rebar, RB_SETBANDINFOW, 1, reinterpret_cast<LPARAM>(&chevron));
    EXPECT_EQ(inkAtEnd(), 0);
    DestroyWindow(rebar);
}

TEST_F(ControlBarSkinnerTest, AFrameworkBarKeepsItsGripperAtItsLeadingEdgeHorizontallyAndVertically) {
    RegisterPlainClass("AfxControlBar42u");
    HWND bar = host.Child("AfxControlBar42u", "", 0, 10, 10, 300, 34);
    ASSERT_NE(WindowSkinner::Of(bar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(bar)->skinType, 1005);
    HWND button = CreateWindowExA(0, "Button", "播放", WS_CHILD | WS_VISIBLE, 4, 2, 60, 24, bar,
                                  reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);

    const auto expectFrame = [&](int width, int height, bool horizontal) {
        SCOPED_TRACE(horizontal);
        SetWindowPos(bar, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        const SkinRect insets = ControlBarInsets(horizontal, 2, 8);
        const RECT client = ClientRectInWindow(bar);
        EXPECT_EQ(client.left, insets.left);
        EXPECT_EQ(client.top, insets.top);
        EXPECT_EQ(width - client.right, insets.right);
        const RECT all{0, 0, width, height};
        const Picture drawn = Drawn(width, height, [&](HDC dc) {
            Draw(dc, all, ControlBarBackground);
            Draw(dc, all, ControlBarBorder);
            Draw(dc, ToRect(ControlBarGripperRect(ToSkinRect(all), horizontal, 2, 8, 4)),
                 horizontal ? BarGripper : BarGripperVertical);
        });
        // The leading strip with the gripper, and the border along the far edge.
        const RECT lead = horizontal ? RECT{0, 0, insets.left, height} : RECT{0, 0, width, insets.top};
        const RECT farEdge = horizontal ? RECT{width - 2, 0, width, height} : RECT{0, height - 2, width, height};
        EXPECT_TRUE(SamePicture(Crop(Capture(bar), lead), Crop(drawn, lead)));
        EXPECT_TRUE(SamePicture(Crop(Capture(bar), farEdge), Crop(drawn, farEdge)));
    };
    expectFrame(300, 34, true);
    expectFrame(40, 200, false);

    // The controls it holds still work.
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_TRUE(IsWindowVisible(button));
    DestroyWindow(bar);
}

TEST_F(ControlBarSkinnerTest, ABandWindowTakesTheSkinsFaceEnabledAndDisabled) {
    RegisterPlainClass("TravelBand");
    HWND band = host.Child("TravelBand", "", WS_BORDER, 20, 20, 200, 40);
    ASSERT_NE(WindowSkinner::Of(band), nullptr);
    EXPECT_EQ(WindowSkinner::Of(band)->skinType, 1033);
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        EnableWindow(band, enabled);
        UpdateWindow(band);
        EXPECT_TRUE(SamePicture(Capture(band), Drawn(200, 40, [&](HDC dc) {
            Draw(dc, RECT{0, 0, 200, 40}, enabled ? TravelBandBackground : TravelBandBackgroundDisabled);
        })));
    }
    DestroyWindow(band);
}

// A framed window whose host chose the fitted-frame type before it was made.
struct FittedFrame {
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) SetPropA(window, SkinTypeProperty, reinterpret_cast<HANDLE>(1030));
        if (message == WM_COMMAND) lastCommand = LOWORD(wParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static inline UINT lastCommand = 0;
};

TEST_F(ControlBarSkinnerTest, AFramedWindowFitsItsToolbarInsideTheSkinsFrameAndFollowsItsHeight) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &FittedFrame::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QivYunFittedBarTest";
    RegisterClassW(&windowClass);
    HWND frame = CreateWindowExW(WS_EX_TOOLWINDOW, L"QivYunFittedBarTest", L"", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 60, 300, 260, 120, host.Get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(WindowSkinner::Of(frame), nullptr);
    EXPECT_EQ(WindowSkinner::Of(frame)->skinType, 1030);
    HWND toolbar = MakeToolbar(frame);
    ShowWindow(frame, SW_SHOW);
    qivyun::test::PumpFor(100);

    // The toolbar fills the client area, which lies where the skin's frame leaves it.
    const auto expectFitted = [&] {
        RECT client, bar;
        GetClientRect(frame, &client);
        GetWindowRect(toolbar, &bar);
        MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(bar.left, 0);
        EXPECT_EQ(bar.top, 0);
        EXPECT_EQ(bar.right, client.right);
        EXPECT_EQ(bar.bottom, client.bottom);
    };
    expectFitted();
    RECT outer;
    GetWindowRect(frame, &outer);
    const FrameLayout layout = LayOutFrame(FrameMetrics::Of(LoadOurSkin().Tables()), FrameStyle{.systemMenu = true},
                                           outer.right - outer.left, outer.bottom - outer.top, 16);
    const RECT client = ClientRectInWindow(frame);
    EXPECT_EQ(client.left, layout.client.x);
    EXPECT_EQ(client.top, layout.client.y);
    EXPECT_EQ(layout.buttonCount, 1u);

    // The title bar, active and inactive, left of the close button (a tool window shows no icon).
    const RECT title{0, 0, layout.buttons[0].rect.x, layout.titleBar.height};
    const RECT titleBar{layout.titleBar.x, layout.titleBar.y, layout.titleBar.x + layout.titleBar.width,
                        layout.titleBar.y + layout.titleBar.height};
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active);
        SendMessageW(frame, WM_NCACTIVATE, active, 0);
        const Picture drawn = Drawn(outer.right - outer.left, layout.titleBar.height,
                                    [&](HDC dc) { Draw(dc, titleBar, active ? TitleBarActive : TitleBarInactive); });
        const RECT inner{title.left + 6, title.top + 6, title.right, title.bottom - 2};  // clear of the rounded corner
        EXPECT_TRUE(SamePicture(Crop(Capture(frame), inner), Crop(drawn, inner)));
    }

    // Bigger buttons make a higher toolbar: the window follows.
    const int heightBefore = outer.bottom - outer.top;
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(60, 44));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    qivyun::test::PumpFor(100);
    GetWindowRect(frame, &outer);
    EXPECT_GT(outer.bottom - outer.top, heightBefore);
    expectFitted();

    // A toolbar button's command reaches the window.
    RECT button{};
    SendMessageW(toolbar, TB_GETRECT, 201, reinterpret_cast<LPARAM>(&button));
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(FittedFrame::lastCommand, 201u);
    DestroyWindow(frame);
}

}  // namespace
}  // namespace qivyun::skin::test
