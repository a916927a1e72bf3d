// Pop-up menus in the skin: the engine measures the items it owns by its rule while the menu is
// shown through the system's own tracking, draws their text in the skin's menu colour, and gives
// the items back when the menu window goes.
#include "framework/Handles.h"
#include "skin/SkinEngine.h"

#include "../support/Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

const char* const SkinResource = MAKEINTRESOURCEA(146);

struct Measured {
    UINT width, height;
};
std::vector<Measured> measured;

// Sees each WM_MEASUREITEM after it has been answered.
LRESULT CALLBACK RecordMeasures(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_MEASUREITEM) {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(sent->lParam);
        if (item->CtlType == ODT_MENU) measured.push_back({item->itemWidth, item->itemHeight});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HMENU shownMenu = nullptr;
COLORREF darkestTextPixel = CLR_INVALID;

// Once the menu shows: the darkest pixel of its first item's text, then the menu is closed.
VOID CALLBACK LookAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    RECT item;
    GetMenuItemRect(nullptr, shownMenu, 0, &item);
    HDC screen = GetDC(nullptr);
    int darkest = 3 * 256;
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x) {
            COLORREF pixel = GetPixel(screen, x, y);
            int sum = GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel);
            if (sum < darkest) darkest = sum, darkestTextPixel = pixel;
        }
    ReleaseDC(nullptr, screen);
    EndMenu();
}

MENUITEMINFOA InfoOf(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

int TextWidth(const SkinData& skin, const char* text) {
    HDC dc = GetDC(nullptr);
    HFONT font = skin.Font(SkinFontSlot::MenuFont, false);
    HGDIOBJ previous = SelectObject(dc, font ? font : skin.DefaultFont(false));
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &rect, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return rect.right;
}

TEST(MenuSkinTest, ItemsMeasureTheirTextPlusTenOrTwentyShowTheMenuColourAndAreGivenBack) {
    SkinEngine* engine = SkinEngine::Current();
    ASSERT_TRUE(engine);
    if (!engine->SkinLoaded()) {
        ASSERT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    }
    const SkinData& skin = engine->Skin();

    UniqueMenu menu(CreatePopupMenu());
    HMENU more = CreatePopupMenu();
    AppendMenuA(more, MF_STRING, 11, "子项");
    AppendMenuA(menu.Get(), MF_STRING, 1, "在线播放");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(more), "更多");
    AppendMenuA(menu.Get(), MF_STRING, 2, "退出程序(&T)");
    // Data and a bitmap of the program's own, which the engine keeps while it owns the item.
    UniqueGdiObject<HBITMAP> bitmap(CreateBitmap(8, 8, 1, 1, nullptr));
    MENUITEMINFOA own{};
    own.cbSize = sizeof(own);
    own.fMask = MIIM_DATA | MIIM_BITMAP;
    own.dwItemData = 0x5EED;
    own.hbmpItem = bitmap.Get();
    SetMenuItemInfoA(menu.Get(), 0, TRUE, &own);

    HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr, nullptr, nullptr);
    measured.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordMeasures, nullptr, GetCurrentThreadId());
    shownMenu = menu.Get();
    SetTimer(nullptr, 0, 100, LookAndCloseMenu);
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, 60, 60, 0, owner, nullptr);
    UnhookWindowsHookEx(hook);

    const int item = skin.Metric(SkinMetric::MenuItemHeight), separator = skin.Metric(SkinMetric::MenuSeparatorHeight);
    ASSERT_EQ(measured.size(), 4u);
    EXPECT_EQ(measured[0].width, UINT(TextWidth(skin, "在线播放") + 10));
    EXPECT_EQ(measured[0].height, UINT(item));
    EXPECT_EQ(measured[1].width, 10u);
    EXPECT_EQ(measured[1].height, UINT(separator));
    EXPECT_EQ(measured[2].width, UINT(TextWidth(skin, "更多") + 20));
    EXPECT_EQ(measured[2].height, UINT(item));
    // The mnemonic's ampersand is not shown, so it is not measured.
    EXPECT_EQ(measured[3].width, UINT(TextWidth(skin, "退出程序(&T)") + 10));
    EXPECT_LT(measured[3].width, UINT(TextWidth(skin, "退出程序(&&T)") + 10));

    // Black text comes out in the skin's menu colour: the text's darkest pixel is no darker.
    const COLORREF ink = skin.Colour(SkinColour::MenuText);
    EXPECT_EQ(darkestTextPixel, ink);

    // With its window gone the menu is the program's again.
    for (UINT position = 0; position < 4; ++position) EXPECT_FALSE(InfoOf(menu.Get(), position).fType & MFT_OWNERDRAW);
    EXPECT_EQ(InfoOf(menu.Get(), 0).dwItemData, 0x5EEDu);
    EXPECT_EQ(InfoOf(menu.Get(), 0).hbmpItem, bitmap.Get());
    EXPECT_TRUE(InfoOf(menu.Get(), 1).fType & MFT_SEPARATOR);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace qivyun::skin
