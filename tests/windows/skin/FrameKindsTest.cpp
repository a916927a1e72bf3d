// Framework-style windows with our skin: the menu bar of a framed window drawn from the skin and
// worked by mouse, by Alt and the arrows and by mnemonics; the MDI client's workspace and edge with
// its children still activated and tiled; and the child panel's border and control colours.
#include "../support/Pump.h"
#include "../support/WindowCapture.h"
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/WindowSkinner.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qivyun::skin::test {
namespace {

enum : UINT { OpenId = 101, ExitId = 102, CopyId = 201, PasteId = 202, RefreshId = 301, TileChildId = 4000 };

std::vector<UINT> commands;       // what the frame's WM_COMMAND heard
std::vector<HMENU> openedPopups;  // WM_INITMENUPOPUP

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND client = GetDlgItem(window, 1);
    if (message == WM_COMMAND && LOWORD(wParam) < 1000) commands.push_back(LOWORD(wParam));
    if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) openedPopups.push_back(reinterpret_cast<HMENU>(wParam));
    return DefFrameProcW(window, client, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr) {
    WNDCLASSW type{};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    type.hbrBackground = background;
    type.lpszClassName = name;
    RegisterClassW(&type);
}

// 文件 (打开, 退出), 编辑 (复制, 粘贴), 刷新 (a command on the bar), 帮助 (disabled).
HMENU MakeMenu() {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), edit = CreatePopupMenu(), help = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, OpenId, L"打开(&O)");
    AppendMenuW(file, MF_STRING, ExitId, L"退出(&X)");
    AppendMenuW(edit, MF_STRING, CopyId, L"复制(&C)\tCtrl+C");
    AppendMenuW(edit, MF_STRING, PasteId, L"粘贴(&P)");
    AppendMenuW(help, MF_STRING, 401, L"关于(&A)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"编辑(&E)");
    AppendMenuW(bar, MF_STRING, RefreshId, L"刷新(&R)");
    AppendMenuW(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(help), L"帮助(&H)");
    return bar;
}

void Input(INPUT input) { SendInput(1, &input, sizeof(input)); }

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    Input(input);
}

// Each key pressed and let go; a key given with Alt is pressed while Alt is held.
void Press(std::initializer_list<WORD> keys) {
    for (WORD key : keys) Key(key, false), Key(key, true);
}
void AltWith(WORD key) { Key(VK_MENU, false), Press({key}), Key(VK_MENU, true); }

void ClickAt(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Input(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Input(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Input(input);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::vector<std::function<void()>>* runningSteps = nullptr;
size_t nextStep = 0;

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (runningSteps && nextStep < runningSteps->size()) (*runningSteps)[nextStep++]();
}

// Runs the steps one after another on a thread timer, so that they go on inside the menu loops
// that hold the thread; then waits a little for what they posted.
void RunSteps(std::vector<std::function<void()>> steps) {
    runningSteps = &steps;
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &RunNextStep);
    qivyun::test::PumpUntil([&] { return nextStep >= steps.size(); }, 10000);
    qivyun::test::PumpFor(300);
    KillTimer(nullptr, timer);
    runningSteps = nullptr;
}

class FrameKindsTest : public testing::Test {
protected:
    void SetUp() override {
        skin = &LoadOurSkin();
        Register(L"Afx:QivYunFrameTest", &FrameProcedure);
        commands.clear();
        openedPopups.clear();
        menu = MakeMenu();
        frame = CreateWindowExW(0, L"Afx:QivYunFrameTest", L"框架窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480, 320,
                                nullptr, menu, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(frame);
        qivyun::test::PumpFor(100);
    }
    void TearDown() override { DestroyWindow(frame); }

    // The menu bar in window coordinates, and a point of it on the screen.
    RECT Bar() const {
        RECT window;
        GetWindowRect(frame, &window);
        const int side = skin->Metric(SkinMetric::FrameSideWidth), top = skin->Metric(SkinMetric::TitleBarHeight);
        return RECT{side, top, window.right - window.left - side, top + skin->Metric(SkinMetric::MenuBarHeight)};
    }
    POINT OnScreen(int x, int y) const {
        RECT window;
        GetWindowRect(frame, &window);
        return POINT{window.left + x, window.top + y};
    }
    // The first item, 文件, starts at the bar's left end.
    POINT FirstItem() const { return OnScreen(Bar().left + 12, Bar().top + 11); }
    // The top edge colour of the hot or open item's part.
    COLORREF EdgeOf(SkinPart part) const {
        const uint32_t pixel = PartOnBackground(24, 22, part).At(12, 2);
        return RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int EdgePixels(SkinPart part) {
        const RECT bar = Bar();
        return Capture(frame, bar).Count(EdgeOf(part), RECT{0, 0, 60, bar.bottom - bar.top});
    }
    HMENU Submenu(int position) const { return GetSubMenu(menu, position); }
    RECT PopupItem(int position, int item) const {
        RECT rect{};
        GetMenuItemRect(nullptr, Submenu(position), UINT(item), &rect);
        return rect;
    }

    const SkinData* skin = nullptr;
    HMENU menu = nullptr;
    HWND frame = nullptr;
};

TEST_F(FrameKindsTest, AFrameworkFrameDrawsItsMenuBarFromTheSkinIdleHotOpenAndDisabled) {
    ASSERT_NE(WindowSkinner::Of(frame), nullptr);
    EXPECT_EQ(WindowSkinner::Of(frame)->skinType, 1035);
    // The client area starts below the bar's row.
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(origin.y, OnScreen(0, Bar().bottom).y);
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(FirstItem().x, FirstItem().y)), HTMENU);

    // Idle: the bar's part where no item lies, no item lit.
    const RECT bar = Bar();
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    const RECT empty{width - 40, 0, width, height};
    const Picture plain = Drawn(width, height, [&](HDC dc) {
        DrawPart(dc, RECT{0, 0, width, height}, skin->Part(SkinPart::MenuBarBackground), *skin);
    });
    const auto crop = [](const Picture& p, const RECT& r) {
        Picture out;
        out.width = r.right - r.left, out.height = r.bottom - r.top;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.pixels.push_back(p.At(x, y));
        return out;
    };
    EXPECT_TRUE(SamePicture(crop(Capture(frame, bar), empty), crop(plain, empty)));
    EXPECT_EQ(EdgePixels(SkinPart::MenuBarItemHot), 0);

    // Hot under the pointer, and idle again when it leaves.
    SetCursorPos(FirstItem().x, FirstItem().y);
    qivyun::test::PumpFor(200);
    EXPECT_GT(EdgePixels(SkinPart::MenuBarItemHot), 20);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(frame, qivyun::test::ScreensFolder() + "/frame-kinds-menu-hot.png"));
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    qivyun::test::PumpFor(200);
    EXPECT_EQ(EdgePixels(SkinPart::MenuBarItemHot), 0);

    // Open while its drop-down shows.
    int openEdges = -1;
    RunSteps({[&] { ClickAt(FirstItem()); },
              [&] {
                  openEdges = EdgePixels(SkinPart::MenuBarItemOpen);
                  qivyun::test::SaveWindowPng(frame, qivyun::test::ScreensFolder() + "/frame-kinds-menu-open.png");
              },
              [&] { Press({VK_ESCAPE, VK_ESCAPE}); }});
    EXPECT_GT(openEdges, 20);
    EXPECT_EQ(EdgePixels(SkinPart::MenuBarItemOpen), 0);

    // Esc closes the drop-down and leaves its item lit for the keyboard; a second Esc leaves the bar.
    int litAfterEsc = -1;
    RunSteps({[&] { AltWith('F'); }, [&] { Press({VK_ESCAPE}); },
              [&] { litAfterEsc = EdgePixels(SkinPart::MenuBarItemHot); }, [&] { Press({VK_ESCAPE}); }});
    EXPECT_GT(litAfterEsc, 20);
    EXPECT_EQ(EdgePixels(SkinPart::MenuBarItemHot), 0);
    const HWND dropDown = FindWindowW(L"#32768", nullptr);
    EXPECT_FALSE(dropDown && IsWindowVisible(dropDown));

    // A narrow window wraps its bar to more rows, and its client area starts below them all.
    SetWindowPos(frame, nullptr, 0, 0, 160, 200, SWP_NOMOVE | SWP_NOZORDER);
    POINT below{0, 0};
    ClientToScreen(frame, &below);
    EXPECT_GE(below.y - OnScreen(0, Bar().top).y, 2 * skin->Metric(SkinMetric::MenuBarHeight));
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(below.x + 2, below.y - 2)), HTMENU);
    SetWindowPos(frame, nullptr, 0, 0, 480, 320, SWP_NOMOVE | SWP_NOZORDER);

    // The disabled item is written in the disabled colour and opens nothing by mouse or mnemonic.
    const Picture shown = Capture(frame, bar);
    EXPECT_GT(shown.Count(skin->Colour(SkinColour::MenuTextDisabled), RECT{0, 0, width, height}), 10);
    openedPopups.clear();
    RunSteps({[&] { AltWith('H'); }, [&] { Press({VK_RETURN, VK_ESCAPE}); }});
    EXPECT_TRUE(openedPopups.empty());
    EXPECT_TRUE(commands.empty());
}

TEST_F(FrameKindsTest, CommandsAreChosenFromTheBarByMouseAndByKeyboard) {
    // Mouse: the item, then the command in its drop-down; a command on the bar itself at once.
    RunSteps({[&] { ClickAt(FirstItem()); }, [&] { ClickAt(Centre(PopupItem(0, 1))); }});
    EXPECT_EQ(commands, (std::vector<UINT>{ExitId}));
    ASSERT_FALSE(openedPopups.empty());
    EXPECT_EQ(openedPopups.front(), Submenu(0));

    // Keyboard: Alt enters the bar, Right moves to 编辑, Enter opens it on its first item, Enter chooses.
    commands.clear();
    RunSteps({[&] { Press({VK_MENU}); }, [&] { Press({VK_RIGHT}); }, [&] { Press({VK_RETURN}); },
              [&] { Press({VK_RETURN}); }});
    EXPECT_EQ(commands, (std::vector<UINT>{CopyId}));

    // Alt with a mnemonic opens its item; the command's mnemonic chooses.
    commands.clear();
    RunSteps({[&] { AltWith('F'); }, [&] { Press({'O'}); }});
    EXPECT_EQ(commands, (std::vector<UINT>{OpenId}));

    // Right at the drop-down's edge goes on to the next item's drop-down; Down and Enter choose there.
    commands.clear();
    RunSteps({[&] { AltWith('F'); }, [&] { Press({VK_RIGHT}); }, [&] { Press({VK_DOWN}); }, [&] { Press({VK_RETURN}); }});
    EXPECT_EQ(commands, (std::vector<UINT>{PasteId}));

    // With a drop-down open the pointer moving onto another item opens that one instead.
    openedPopups.clear();
    RunSteps({[&] { ClickAt(FirstItem()); }, [&] { SetCursorPos(FirstItem().x + 60, FirstItem().y); },
              [&] { Press({VK_ESCAPE, VK_ESCAPE}); }});
    ASSERT_EQ(openedPopups.size(), 2u);
    EXPECT_EQ(openedPopups.back(), Submenu(1));

    // A greyed command of a drop-down sends nothing.
    commands.clear();
    EnableMenuItem(Submenu(1), PasteId, MF_BYCOMMAND | MF_GRAYED);
    RunSteps({[&] { ClickAt(OnScreen(Bar().left + 70, Bar().top + 11)); }, [&] { ClickAt(Centre(PopupItem(1, 1))); },
              [&] { Press({VK_ESCAPE, VK_ESCAPE}); }});
    EXPECT_TRUE(commands.empty());

    // The host greys an item and redraws the bar: the item no longer opens.
    EnableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED);
    DrawMenuBar(frame);
    openedPopups.clear();
    RunSteps({[&] { ClickAt(FirstItem()); }, [&] { Press({VK_ESCAPE}); }});
    EXPECT_TRUE(openedPopups.empty());

    // Without its menu the window keeps the skin's frame, its client area up against the title bar.
    SetMenu(frame, nullptr);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(origin.y, OnScreen(0, skin->Metric(SkinMetric::TitleBarHeight)).y);
    SetMenu(frame, menu);
}

LRESULT CALLBACK MdiChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcW(window, message, wParam, lParam);
}

TEST_F(FrameKindsTest, AnMdiClientDrawsItsWorkspaceAndEdgeAndItsChildrenActivateAndTile) {
    CLIENTCREATESTRUCT create{Submenu(1), TileChildId};
    RECT inside;
    GetClientRect(frame, &inside);
    HWND client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  inside.right, inside.bottom, frame, reinterpret_cast<HMENU>(1),
                                  GetModuleHandleW(nullptr), &create);
    ASSERT_NE(WindowSkinner::Of(client), nullptr);
    EXPECT_EQ(WindowSkinner::Of(client)->skinType, 1015);
    Register(L"QivYunMdiChild", &MdiChildProcedure, GetSysColorBrush(COLOR_WINDOW));
    HWND children[2];
    for (int i = 0; i < 2; ++i) {
        MDICREATESTRUCTW child{L"QivYunMdiChild", i ? L"文档二" : L"文档一", GetModuleHandleW(nullptr), 10 + 150 * i, 10,
                               140, 100, WS_VISIBLE, 0};
        children[i] = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child)));
        ASSERT_NE(children[i], nullptr);
    }
    UpdateWindow(client);
    qivyun::test::PumpFor(100);

    // The edge in the skin's border line, the workspace's colour below the children.
    const Picture shown = Capture(client);
    const COLORREF pen = skin->Colour(SkinColour::BorderPen);
    EXPECT_EQ(shown.At(0, shown.height / 2), uint32_t(GetRValue(pen) << 16 | GetGValue(pen) << 8 | GetBValue(pen)));
    const uint32_t workspace = PartOnBackground(8, 8, SkinPart::WorkspaceBackground).At(4, 4);
    EXPECT_EQ(shown.At(shown.width / 2, shown.height - 10), workspace);

    // A click on the inactive child's caption activates it; WM_MDINEXT goes on to the other.
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), children[1]);
    RECT first;
    GetWindowRect(children[0], &first);
    RunSteps({[&] { ClickAt(POINT{first.left + 30, first.top + 8}); }});
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), children[0]);
    SendMessageW(client, WM_MDINEXT, 0, 0);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), children[1]);

    // Tiled side by side, then one above the other.
    RECT a, b;
    SendMessageW(client, WM_MDITILE, MDITILE_VERTICAL, 0);
    GetWindowRect(children[0], &a), GetWindowRect(children[1], &b);
    EXPECT_EQ(a.top, b.top);
    EXPECT_TRUE(a.right <= b.left || b.right <= a.left);
    SendMessageW(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
    GetWindowRect(children[0], &a), GetWindowRect(children[1], &b);
    EXPECT_EQ(a.left, b.left);
    EXPECT_TRUE(a.bottom <= b.top || b.bottom <= a.top);

    // Maximised, the child's icon and buttons join the frame's bar, its close button at the right
    // end, which closes the child.
    const int items = GetMenuItemCount(menu);
    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[1]), 0);
    qivyun::test::PumpFor(100);
    EXPECT_GT(GetMenuItemCount(menu), items);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(frame, qivyun::test::ScreensFolder() + "/frame-kinds-maximised-child.png"));
    const POINT close = OnScreen(Bar().right - 8, Bar().top + 11);
    EXPECT_EQ(SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTMENU);
    RunSteps({[&] { ClickAt(close); }});
    EXPECT_FALSE(IsWindow(children[1]));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)), children[0]);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) SetPropA(window, SkinTypeProperty, reinterpret_cast<HANDLE>(1037));
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ChildPanelTest, APanelTakesTheSkinsBackgroundBorderAndControlColours) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host(400, 300);
    Register(L"QivYunPanel", &PanelProcedure);
    HWND panel = CreateWindowExW(0, L"QivYunPanel", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 200, 120, host.Get(),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND label = CreateWindowExW(0, L"Static", L"面板文字", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, panel, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(WindowSkinner::Of(panel), nullptr);
    EXPECT_EQ(WindowSkinner::Of(panel)->skinType, 1037);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);

    const Picture shown = Capture(panel);
    const auto rgb = [](COLORREF c) { return uint32_t(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    EXPECT_EQ(shown.At(0, 60), rgb(skin.Colour(SkinColour::BorderPen)));
    EXPECT_EQ(shown.At(150, 100), rgb(skin.BackgroundColour()));
    // The static writes in the skin's static colour on the panel's background.
    const Picture text = Capture(label);
    EXPECT_GT(text.Count(skin.Colour(SkinColour::StaticText), RECT{0, 0, text.width, text.height}), 10);
    EXPECT_EQ(text.At(text.width - 2, text.height - 2), rgb(skin.BackgroundColour()));
    // Disabled, the border goes to the disabled line.
    EnableWindow(panel, FALSE);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(Capture(panel).At(0, 60), rgb(skin.Colour(SkinColour::BorderPenDisabled)));
    DestroyWindow(panel);
}

}  // namespace
}  // namespace qivyun::skin::test
