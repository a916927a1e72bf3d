// Dialogs and framed windows in the skin: the frame's hit test at the skin's pixels, the close
// button, dragging by the caption (not when the host made it inert), the window's shape, the
// control colours with the host's properties over the skin, and message boxes.
#include "framework/Handles.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinProperties.h"

#include "../support/Pump.h"
#include "../support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int StaticId = 100;
const char* const SkinResource = MAKEINTRESOURCEA(146);

// A dialog template in memory: a caption, the given style bits, one static text.
class DialogTemplate {
public:
    explicit DialogTemplate(DWORD style) {
        Dword(style | DS_SETFONT | WS_POPUP | WS_CAPTION), Dword(0), Word(1);
        Word(0), Word(0), Word(200), Word(120);
        Word(0), Word(0), Text(L"Qiv云播 边框测试");
        Word(9), Text(L"宋体");
        Align();
        Dword(WS_CHILD | WS_VISIBLE | SS_LEFT), Dword(0);
        Word(10), Word(10), Word(120), Word(12), Word(StaticId);
        Word(0xFFFF), Word(0x0082), Text(L"静态文字"), Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    int Word(WORD value) { words_.push_back(value); return 0; }
    int Dword(DWORD value) { Word(LOWORD(value)), Word(HIWORD(value)); return 0; }
    int Text(const wchar_t* text) {
        do words_.push_back(static_cast<WORD>(*text)); while (*text++);
        return 0;
    }
    void Align() {
        if (words_.size() % 2) words_.push_back(0);
    }
    std::vector<WORD> words_;
};

INT_PTR CALLBACK CloseOnCancel(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
        return TRUE;
    }
    return FALSE;
}

POINT WindowPoint(HWND window, int x, int y) {
    RECT rect;
    GetWindowRect(window, &rect);
    return POINT{rect.left + x, rect.top + y};
}

LRESULT HitAt(HWND window, int x, int y) {
    POINT at = WindowPoint(window, x, y);
    return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
}

void Mouse(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
}

class FramedWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SkinEngine* engine = SkinEngine::Current();
        ASSERT_TRUE(engine);
        if (!engine->SkinLoaded()) {
            ASSERT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
        }
    }
    void SetUp() override { skin = &SkinEngine::Current()->Skin(); }
    void TearDown() override {
        if (IsWindow(dialog)) DestroyWindow(dialog);
    }

    // The dialog at (100, 100), 300 x 200 pixels, shown and active.
    HWND Show(DWORD style) {
        DialogTemplate made(style);
        dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), made.Get(), nullptr, CloseOnCancel, 0);
        SetWindowPos(dialog, HWND_TOP, 100, 100, 300, 200, SWP_SHOWWINDOW);
        SetForegroundWindow(dialog);
        test::PumpFor(100);
        return dialog;
    }
    int Metric(SkinMetric metric) const { return skin->Metric(metric); }

    const SkinData* skin = nullptr;
    HWND dialog = nullptr;
};

TEST_F(FramedWindowTest, CaptionedDialogAnswersTheHitTestAtTheSkinsPixelsAndShapesItself) {
    Show(WS_SYSMENU | DS_MODALFRAME);
    ASSERT_TRUE(WindowSkinner::Of(dialog));
    EXPECT_EQ(WindowSkinner::Of(dialog)->skinType, 1034);

    // The client area lies inside the skin's frame.
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(origin.x, 100 + Metric(SkinMetric::FrameSideWidth));
    EXPECT_EQ(origin.y, 100 + Metric(SkinMetric::TitleBarHeight));
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 300 - 2 * Metric(SkinMetric::FrameSideWidth));
    EXPECT_EQ(client.bottom, 200 - Metric(SkinMetric::TitleBarHeight) - Metric(SkinMetric::FrameBottomHeight));

    // Close button by its pair from the right edge; no maximise or minimise box, no icon.
    const POINT close = skin->Pair(SkinPair::CloseButtonPosition);
    const int closeLeft = 300 + close.x, buttonRight = closeLeft + Metric(SkinMetric::CaptionButtonWidth);
    EXPECT_EQ(HitAt(dialog, closeLeft, close.y), HTCLOSE);
    EXPECT_EQ(HitAt(dialog, buttonRight - 1, close.y + Metric(SkinMetric::CaptionButtonHeight) - 1), HTCLOSE);
    EXPECT_EQ(HitAt(dialog, closeLeft - 1, close.y), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 300 + skin->Pair(SkinPair::MaximiseButtonPosition).x + 2, close.y + 2), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 12, 12), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 1, 100), HTBORDER);
    EXPECT_EQ(HitAt(dialog, 298, 100), HTBORDER);
    EXPECT_EQ(HitAt(dialog, 150, 198), HTBORDER);
    EXPECT_EQ(HitAt(dialog, 150, 100), HTCLIENT);

    // The rounded corners are cut off, and SetWindowRgn leaves the skinned frame alone.
    UniqueGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(dialog, region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 299, 199));
    EXPECT_TRUE(PtInRegion(region.Get(), 150, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 100));
    EXPECT_TRUE(SetWindowRgn(dialog, CreateRectRgn(0, 0, 10, 10), TRUE));
    ASSERT_NE(GetWindowRgn(dialog, region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 150, 100));

    // The host's "ZOR_J" makes the caption inert; the close button still answers.
    SetPropA(dialog, InertCaptionProperty, reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(HitAt(dialog, 150, 12), HTBORDER);
    EXPECT_EQ(HitAt(dialog, closeLeft + 2, close.y + 2), HTCLOSE);
    RemovePropA(dialog, InertCaptionProperty);
}

TEST_F(FramedWindowTest, ActivationAndThePointerChangeTheFramesLook) {
    Show(WS_SYSMENU | DS_MODALFRAME);
    auto pixel = [&](int x, int y) {
        HDC dc = GetWindowDC(dialog);
        COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(dialog, dc);
        return colour;
    };
    // Left of the close button's glyph: the title bar, or the button's face under the pointer.
    const POINT close = skin->Pair(SkinPair::CloseButtonPosition);
    const int x = 300 + close.x + 4, y = close.y + Metric(SkinMetric::CaptionButtonHeight) / 2;
    SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
    const COLORREF activeTitle = pixel(150, 15), idleButton = pixel(x, y);
    const POINT at = WindowPoint(dialog, x, y);
    SendMessageA(dialog, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(at.x, at.y));
    const COLORREF hotButton = pixel(x, y);
    EXPECT_NE(hotButton, idleButton);
    SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(at.x, at.y));
    EXPECT_NE(pixel(x, y), hotButton);  // held
    SendMessageA(dialog, WM_CAPTURECHANGED, 0, 0);  // the press is taken away: nothing is chosen
    SendMessageA(dialog, WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(pixel(x, y), idleButton);
    SendMessageA(dialog, WM_NCACTIVATE, FALSE, 0);
    EXPECT_NE(pixel(150, 15), activeTitle);
    test::PumpFor(50);
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(FramedWindowTest, ButtonsFollowTheStylesAndMinimiseTakesTheNextPlaceWithoutAMaximiseBox) {
    Show(WS_SYSMENU | WS_MINIMIZEBOX);
    const POINT second = skin->Pair(SkinPair::MaximiseButtonPosition);
    EXPECT_EQ(HitAt(dialog, 300 + second.x + 2, second.y + 2), HTMINBUTTON);
    DestroyWindow(dialog);
    Show(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    const POINT third = skin->Pair(SkinPair::MinimiseButtonPosition);
    EXPECT_EQ(HitAt(dialog, 300 + second.x + 2, second.y + 2), HTMAXBUTTON);
    EXPECT_EQ(HitAt(dialog, 300 + third.x + 2, third.y + 2), HTMINBUTTON);
    DestroyWindow(dialog);
    // No system menu: no buttons at all.
    Show(0);
    const POINT close = skin->Pair(SkinPair::CloseButtonPosition);
    EXPECT_EQ(HitAt(dialog, 300 + close.x + 2, close.y + 2), HTCAPTION);
}

TEST_F(FramedWindowTest, ClickingTheSkinnedCloseButtonClosesTheDialog) {
    Show(WS_SYSMENU | DS_MODALFRAME);
    const POINT close = skin->Pair(SkinPair::CloseButtonPosition);
    const POINT at = WindowPoint(dialog, 300 + close.x + Metric(SkinMetric::CaptionButtonWidth) / 2,
                                 close.y + Metric(SkinMetric::CaptionButtonHeight) / 2);
    Mouse(MOUSEEVENTF_MOVE, at);
    test::PumpFor(50);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    test::PumpFor(50);
    EXPECT_TRUE(IsWindow(dialog)) << "a press alone closes nothing";
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindow(dialog); }, 2000));
}

TEST_F(FramedWindowTest, DraggingTheSkinnedCaptionMovesTheWindowUnlessTheCaptionIsInert) {
    for (bool inert : {false, true}) {
        SCOPED_TRACE(inert ? "inert" : "draggable");
        Show(WS_SYSMENU | DS_MODALFRAME);
        if (inert) SetPropA(dialog, InertCaptionProperty, reinterpret_cast<HANDLE>(1));
        const POINT start = WindowPoint(dialog, 150, 12);
        // The whole drag is queued before the window sees its start, as a quick hand makes it.
        Mouse(MOUSEEVENTF_MOVE, start);
        test::PumpFor(50);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        Mouse(MOUSEEVENTF_MOVE, POINT{start.x + 20, start.y + 10});
        Mouse(MOUSEEVENTF_MOVE, POINT{start.x + 60, start.y + 40});
        Mouse(MOUSEEVENTF_LEFTUP);
        test::PumpFor(300);
        RECT rect;
        GetWindowRect(dialog, &rect);
        EXPECT_EQ(rect.left, inert ? 100 : 160);
        EXPECT_EQ(rect.top, inert ? 100 : 140);
        DestroyWindow(dialog);
    }
}

TEST_F(FramedWindowTest, TextColourBackgroundAndFontPropertiesOverrideTheSkin) {
    Show(WS_SYSMENU | DS_MODALFRAME);
    HWND label = GetDlgItem(dialog, StaticId);
    HDC dc = CreateCompatibleDC(nullptr);
    auto ask = [&](UINT message, HWND control) {
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<HBRUSH>(
            SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    };
    auto colourOf = [](HBRUSH brush) {
        LOGBRUSH described{};
        GetObjectA(brush, sizeof(described), &described);
        return described.lbColor;
    };

    // The skin's look: its background brush, its static text colour on a transparent background.
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, label), skin->BackgroundBrush());
    EXPECT_EQ(GetTextColor(dc), skin->Colour(SkinColour::StaticText));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(ask(WM_CTLCOLORDLG, dialog), skin->BackgroundBrush());

    // The host's colours and font for the static.
    UniqueGdiObject<HFONT> font(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体"));
    SetPropA(label, TextColourProperty, reinterpret_cast<HANDLE>(UINT_PTR(RGB(200, 10, 20))));
    SetPropA(label, BackgroundColourProperty, reinterpret_cast<HANDLE>(UINT_PTR(RGB(10, 200, 30))));
    SetPropA(label, FontProperty, font.Get());
    EXPECT_EQ(colourOf(ask(WM_CTLCOLORSTATIC, label)), RGB(10, 200, 30));
    EXPECT_EQ(GetTextColor(dc), RGB(200, 10, 20));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.Get());

    // The dialog's own background colour, as it is painted.
    SetPropA(dialog, BackgroundColourProperty, reinterpret_cast<HANDLE>(UINT_PTR(RGB(250, 240, 10))));
    EXPECT_EQ(colourOf(ask(WM_CTLCOLORDLG, dialog)), RGB(250, 240, 10));
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    test::PumpFor(50);
    HDC window = GetDC(dialog);
    EXPECT_EQ(GetPixel(window, 250, 120), RGB(250, 240, 10));
    ReleaseDC(dialog, window);
    for (HWND each : {label, dialog})
        for (const char* property : {TextColourProperty, BackgroundColourProperty, FontProperty}) RemovePropA(each, property);
    DeleteDC(dc);
}

// What the timer saw of the message box while it showed.
struct MessageBoxSeen {
    bool skinned = false;
    POINT clientOrigin{};
    LRESULT closeHit = 0;
} boxSeen;

// Runs inside the message box's own loop: looks at the box, saves its screenshot and answers it.
VOID CALLBACK LookAtMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", "Qiv云播提示");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, timer);
    WindowSkinner* skinner = WindowSkinner::Of(box);
    boxSeen.skinned = skinner && skinner->skinType == 1034;
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    RECT rect;
    GetWindowRect(box, &rect);
    boxSeen.clientOrigin = POINT{origin.x - rect.left, origin.y - rect.top};
    const POINT close = SkinEngine::Current()->Skin().Pair(SkinPair::CloseButtonPosition);
    boxSeen.closeHit = SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(rect.right + close.x + 4, rect.top + close.y + 4));
    test::SaveWindowPng(box, test::ScreensFolder() + "/message-box.png");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
}

TEST_F(FramedWindowTest, MessageBoxesOfTheThreadComeOutSkinned) {
    SetTimer(nullptr, 0, 200, LookAtMessageBox);
    // The main window's close question: an icon, two answers, and no close command (no cancel answer).
    EXPECT_EQ(MessageBoxA(nullptr, "Qiv云播提示:是否最小化到托盘?", "Qiv云播提示", MB_YESNO | MB_ICONWARNING), IDYES);
    EXPECT_TRUE(boxSeen.skinned);
    EXPECT_EQ(boxSeen.clientOrigin.x, Metric(SkinMetric::FrameSideWidth));
    EXPECT_EQ(boxSeen.clientOrigin.y, Metric(SkinMetric::TitleBarHeight));
    EXPECT_EQ(boxSeen.closeHit, HTCLOSE);
}

}  // namespace
}  // namespace qivyun::skin
