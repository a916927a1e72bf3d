// The engine in-process: loading, the hook's decisions, the refresh, the skinners' life, the
// one-shot menu-owner interception. The first test makes this process's first skin load: the
// other test files of this program never load one.
#include "framework/Handles.h"
#include "skin/SkinEngine.h"
#include "skin/engine/EngineMessages.h"
#include "skin/engine/SkinProperties.h"
#include "skin/patching/Unpatched.h"

#include "../support/Pump.h"
#include "../support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qivyun::skin {
namespace {

const char* const SkinResource = MAKEINTRESOURCEA(146);

// Asked when the test program starts, before anything attaches the engine.
const int loadBeforeAttach = LoadSkinFromMemory("not a skin", 10, nullptr, 0, 0, 0);

HWND Create(const char* className, const char* text, DWORD style, HWND parent = nullptr, DWORD exStyle = 0) {
    return CreateWindowExA(exStyle, className, text, style, 10, 10, 160, 40, parent, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

bool Examined(HWND window) { return GetPropA(window, ExaminedProperty) == reinterpret_cast<HANDLE>(1); }
bool Skinned(HWND window) { return GetPropA(window, SkinnerProperty) != nullptr && WindowSkinner::Of(window); }

TEST(SkinEngineTest, WindowsFromBeforeTheLoadAreSkinnedByTheRefreshAndLaterOnesAtCreation) {
    EXPECT_EQ(loadBeforeAttach, 8);
    EXPECT_EQ(AttachSkinEngine(GetModuleHandleA(nullptr)), 0);
    SkinEngine& engine = *SkinEngine::Current();
    ASSERT_TRUE(engine.Hooked());
    ASSERT_FALSE(engine.SkinLoaded()) << "this test has to make the first load";

    HWND parent = Create("#32770", "", WS_POPUP | WS_VISIBLE);
    HWND hotKey = Create("msctls_hotkey32", "", WS_CHILD | WS_VISIBLE | WS_BORDER, parent);
    HWND label = Create("Static", "", WS_CHILD | WS_VISIBLE, parent);
    HWND button = Create("Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, parent);
    HWND chosen = Create("Static", "", WS_CHILD | WS_VISIBLE | WS_BORDER, parent);
    SetPropA(chosen, SkinTypeProperty, reinterpret_cast<HANDLE>(1010));
    // Without a skin the hook leaves every window alone.
    for (HWND window : {parent, hotKey, label, button, chosen}) EXPECT_FALSE(Examined(window) || Skinned(window));

    EXPECT_EQ(LoadSkinFromMemory(nullptr, 100, nullptr, 0, 0, 0), 3);
    EXPECT_EQ(LoadSkinFromMemory("not a skin", 10, nullptr, 0, 0, 0), 1);
    EXPECT_EQ(LoadSkinFromResource(SkinResource, "ZOR", nullptr, 361, 0, 0), 1);
    EXPECT_EQ(LoadSkinFromResource(SkinResource, "ZOR", nullptr, 0, 257, 0), 1);
    EXPECT_EQ(LoadSkinFromResource(MAKEINTRESOURCEA(999), "ZOR", nullptr, 0, 0, 0), 3);
    EXPECT_EQ(LoadSkinFromFile(), 2);  // no kelvo.zor beside the test program
    EXPECT_FALSE(engine.SkinLoaded());
    EXPECT_FALSE(Examined(hotKey));

    EXPECT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    ASSERT_TRUE(engine.SkinLoaded());
    EXPECT_TRUE(Skinned(hotKey) && Examined(hotKey));
    EXPECT_EQ(WindowSkinner::Of(hotKey)->skinType, 1010);
    EXPECT_EQ(unpatched::WindowProcedure(hotKey), WindowSkinner::Of(hotKey)->procedure);
    EXPECT_TRUE(Skinned(chosen));  // by the host's type, not by its class
    EXPECT_EQ(WindowSkinner::Of(chosen)->skinType, 1010);
    // Examined, but no kind for them (yet): a static without caption, a push button.
    for (HWND window : {label, button}) EXPECT_TRUE(Examined(window) && !Skinned(window));
    EXPECT_TRUE(Skinned(parent) && WindowSkinner::Of(parent)->skinType == 1034);

    HWND later = Create("msctls_hotkey32", "", WS_CHILD | WS_VISIBLE | WS_BORDER, parent);
    EXPECT_TRUE(Skinned(later) && Examined(later));
    HWND laterLabel = Create("Static", "text", WS_CHILD | WS_VISIBLE, parent);
    EXPECT_TRUE(Examined(laterLabel) && !Skinned(laterLabel));
    DestroyWindow(parent);
}

TEST(SkinEngineTest, AnExaminedWindowIsLookedAtAgainOnlyAfterTheRefreshClearsTheMark) {
    ASSERT_TRUE(SkinEngine::Current() && SkinEngine::Current()->SkinLoaded());
    HWND label = Create("Static", "", WS_POPUP | WS_BORDER);
    ASSERT_TRUE(Examined(label) && !Skinned(label));
    SetPropA(label, SkinTypeProperty, reinterpret_cast<HANDLE>(1011));
    SendMessageA(label, ExamineWindowMessage, 0, 0);
    EXPECT_FALSE(Skinned(label));
    EXPECT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    EXPECT_TRUE(Skinned(label));
    EXPECT_EQ(WindowSkinner::Of(label)->skinType, 1011);
    DestroyWindow(label);
}

TEST(SkinEngineTest, ASkinnerGoesWithItsWindowAndGivesTheProcedureBack) {
    SkinEngine& engine = *SkinEngine::Current();
    HWND hotKey = Create("msctls_hotkey32", "", WS_POPUP | WS_BORDER);
    WindowSkinner* skinner = WindowSkinner::Of(hotKey);
    ASSERT_TRUE(skinner);
    EXPECT_EQ(std::count(engine.Skinners().begin(), engine.Skinners().end(), skinner), 1);
    WNDPROC beneath = skinner->previousProcedure;
    // Taking the skinner down while the window lives puts the control's own procedure back.
    delete skinner;
    EXPECT_EQ(unpatched::WindowProcedure(hotKey), beneath);
    EXPECT_FALSE(GetPropA(hotKey, SkinnerProperty));
    EXPECT_EQ(std::count(engine.Skinners().begin(), engine.Skinners().end(), skinner), 0);

    HWND other = Create("msctls_hotkey32", "", WS_POPUP | WS_BORDER);
    skinner = WindowSkinner::Of(other);
    ASSERT_TRUE(skinner);
    size_t before = engine.Skinners().size();
    DestroyWindow(other);
    EXPECT_EQ(WindowSkinner::Of(other), nullptr);
    EXPECT_EQ(engine.Skinners().size(), before - 1);
    DestroyWindow(hotKey);
}

TEST(SkinEngineTest, TheBorderKindDrawsTheFrameInTheSkinsBorderColours) {
    const SkinData& skin = SkinEngine::Current()->Skin();
    HWND parent = Create("#32770", "", WS_POPUP | WS_VISIBLE);
    SetWindowPos(parent, nullptr, 0, 0, 200, 80, SWP_NOMOVE | SWP_NOZORDER);
    HWND hotKey = CreateWindowExA(0, "msctls_hotkey32", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 120, 24, parent,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(Skinned(hotKey));
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::PumpFor(50);

    auto pixel = [](HWND window, int x, int y) {
        HDC dc = unpatched::GetWindowDC(window);
        COLORREF colour = GetPixel(dc, x, y);
        unpatched::ReleaseDC(window, dc);
        return colour;
    };
    EXPECT_EQ(pixel(hotKey, 0, 0), skin.Colour(SkinColour::BorderPen));
    EnableWindow(hotKey, FALSE);
    EXPECT_EQ(pixel(hotKey, 0, 0), skin.Colour(SkinColour::BorderPenDisabled));
    EnableWindow(hotKey, TRUE);
    SetFocus(hotKey);
    EXPECT_EQ(pixel(hotKey, 0, 12), skin.Colour(SkinColour::BorderPenFocused));
    EXPECT_TRUE(test::SaveWindowPng(parent, test::ScreensFolder() + "/skin-engine-border.png"));
    DestroyWindow(parent);
}

std::vector<UINT> ownerMessages;
LRESULT CALLBACK MenuOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) ownerMessages.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SkinEngineTest, OwnerDrawnMenuMessagesAreInterceptedOnceAndTheEnginesItemsMeasuredAndDrawn) {
    SkinEngine& engine = *SkinEngine::Current();
    const SkinData& skin = engine.Skin();
    WNDCLASSA ownerClass{};
    ownerClass.lpfnWndProc = &MenuOwner;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.lpszClassName = "QivYunMenuOwner";
    RegisterClassA(&ownerClass);
    HWND owner = Create(ownerClass.lpszClassName, "", WS_POPUP);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "在线播放");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    MENUITEMINFOA data{};
    data.cbSize = sizeof(data);
    data.fMask = MIIM_DATA;
    data.dwItemData = 1234;
    SetMenuItemInfoA(menu, 0, TRUE, &data);
    ASSERT_TRUE(engine.OwnMenuItem(menu, 0));
    ASSERT_TRUE(engine.OwnMenuItem(menu, 1));
    data.fMask = MIIM_DATA | MIIM_FTYPE;
    GetMenuItemInfoA(menu, 0, TRUE, &data);
    EXPECT_TRUE(data.fType & MFT_OWNERDRAW);
    const ULONG_PTR enginesItem = data.dwItemData;

    MEASUREITEMSTRUCT measured{ODT_MENU, 0, 1, 0, 0, enginesItem};
    EXPECT_TRUE(SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measured)));
    HDC screen = GetDC(nullptr);
    HFONT font = skin.Font(SkinFontSlot::MenuFont, false) ? skin.Font(SkinFontSlot::MenuFont, false) : skin.DefaultFont(false);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32A(screen, "在线播放", 8, &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(measured.itemWidth, static_cast<UINT>(extent.cx + 10));
    EXPECT_EQ(measured.itemHeight, static_cast<UINT>(skin.Metric(SkinMetric::MenuItemHeight)));
    EXPECT_TRUE(ownerMessages.empty());
    // One message only: the owner's procedure is back and the next one reaches it.
    EXPECT_FALSE(GetPropA(owner, MenuOwnerProperty));
    EXPECT_EQ(unpatched::WindowProcedure(owner), &MenuOwner);
    MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 7, 0, 0, 42};
    SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign));
    EXPECT_EQ(ownerMessages, std::vector<UINT>{WM_MEASUREITEM});

    // The selected item comes out in the skin's highlighted text colour, off screen.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 120, -24, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(nullptr, bitmap.Get());
    DRAWITEMSTRUCT drawn{ODT_MENU, 0, 1, ODA_DRAWENTIRE, ODS_SELECTED, reinterpret_cast<HWND>(menu), dc.Get(),
                         {0, 0, 120, 24}, enginesItem};
    EXPECT_TRUE(SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&drawn)));
    GdiFlush();
    COLORREF text = skin.Colour(SkinColour::MenuTextHighlighted);
    uint32_t wanted = GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text);
    auto* pixels = static_cast<uint32_t*>(bits);
    EXPECT_TRUE(std::any_of(pixels, pixels + 120 * 24, [&](uint32_t p) { return (p & 0xffffff) == wanted; }));
    EXPECT_EQ(ownerMessages.size(), 1u);

    // The next load gives the items their own type and data back.
    EXPECT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    EXPECT_EQ(engine.MenuItems().Count(), 0u);
    GetMenuItemInfoA(menu, 0, TRUE, &data);
    EXPECT_FALSE(data.fType & MFT_OWNERDRAW);
    EXPECT_EQ(data.dwItemData, 1234u);
    GetMenuItemInfoA(menu, 1, TRUE, &data);
    EXPECT_EQ(data.fType, static_cast<UINT>(MFT_SEPARATOR));
    DestroyMenu(menu);
    DestroyWindow(owner);
}

TEST(SkinEngineTest, ColourValuesAdjustTheSkinAsReadAndZerosLeaveItAlone) {
    ASSERT_TRUE(SkinEngine::Current() && SkinEngine::Current()->SkinLoaded());
    const SkinData& skin = SkinEngine::Current()->Skin();
    ASSERT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    const SkinTables stored = skin.PristineTables();
    const COLORREF background = skin.BackgroundColour();
    const ImagePart& keyed = skin.Part(SkinPart::CloseButtonNormal);
    ASSERT_EQ(keyed.transparentColour, Magenta);
    auto atlasPixel = [&](int x, int y) { return GetPixel(skin.AtlasDc(), x, y); };
    const ColourAdjustment turn{120, 0, 0};
    ASSERT_EQ(atlasPixel(keyed.x, keyed.y), Magenta);  // the corner of a rounded button

    for (int load = 0; load < 2; ++load) {  // the same values twice: no further change
        ASSERT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", turn.hue, turn.saturation, turn.lightness), 0);
        EXPECT_EQ(skin.Colour(SkinColour::MenuText), turn.Apply(stored.colours[Index(SkinColour::MenuText)]));
        EXPECT_EQ(skin.BackgroundColour(), turn.Apply(background));
        EXPECT_EQ(atlasPixel(keyed.x, keyed.y), Magenta);  // transparent colour kept
    }
    ASSERT_EQ(LoadSkinFromResource(SkinResource, "ZOR", "", 0, 0, 0), 0);
    EXPECT_EQ(skin.Colour(SkinColour::MenuText), stored.colours[Index(SkinColour::MenuText)]);
    EXPECT_EQ(skin.BackgroundColour(), background);
}

class TimedSkinner : public WindowSkinner {
public:
    void OnTimer(UINT_PTR id) override {
        KillTimer(window, id);
        fired = id;
    }
    UINT_PTR fired = 0;
};

TEST(SkinEngineTest, SkinnersTimersReachTheirOnTimer) {
    HWND window = Create("Static", "", WS_POPUP);
    auto* skinner = new TimedSkinner;
    skinner->Attach(window);
    skinner->StartTimer(0x6624, 10);
    EXPECT_TRUE(test::PumpUntil([&] { return skinner->fired == 0x6624; }));
    DestroyWindow(window);
}

}  // namespace
}  // namespace qivyun::skin
