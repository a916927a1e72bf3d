// The skinned controls' texts on any system: buttons, check boxes, radio buttons, group boxes and
// headers hold their Unicode texts through the engine and draw them as they do under code page 936;
// a skin's own fonts are made by their face names.
#include "CodePagePictures.h"
#include "framework/Handles.h"
#include "skin/container/SkinWriter.h"
#include "skin/engine/SkinnerText.h"
#include "skin/engine/WindowSkinner.h"

#include "../support/Pump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace qivyun::skin::test {
namespace {

TEST(ControlTextsTest, SkinnedControlsHoldAndDrawTheirUnicodeTextsAsUnder936) {
    LoadOurSkin();
    SetCursorPos(1200, 1000);  // no control under the pointer
    HostWindow host(420, 150);
    // The programs' own font: 9-point 宋体 by its face name.
    UniqueGdiObject<HFONT> font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体"));
    auto child = [&](const wchar_t* className, DWORD style, RECT place) {
        HWND made = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, host.Get(), nullptr, nullptr, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        return made;
    };

    // Chinese beside characters that neither GBK nor a Western code page holds.
    struct Control {
        DWORD style;
        RECT place;
        const wchar_t* text;
        SkinType type;
    };
    const Control controls[] = {
        {BS_PUSHBUTTON, {10, 10, 190, 36}, L"播放 Zoë 한글", skintype::PushButton},
        {BS_AUTOCHECKBOX, {10, 46, 200, 66}, L"自动播放 Zoë 한글", skintype::CheckBox},
        {BS_AUTORADIOBUTTON, {10, 76, 200, 96}, L"MTkan 云播 Zoë", skintype::RadioButton},
        {BS_GROUPBOX, {210, 10, 410, 100}, L"云播服务 Zoë 한글", skintype::GroupBox},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.type);
        HWND button = child(L"Button", control.style, control.place);
        ASSERT_NE(WindowSkinner::Of(button), nullptr);
        EXPECT_EQ(WindowSkinner::Of(button)->skinType, control.type);
        EXPECT_TRUE(IsWindowUnicode(button));
        EXPECT_TRUE(SetWindowTextW(button, control.text));
        EXPECT_EQ(WindowText(button), control.text);
    }

    HWND header = child(WC_HEADERW, HDS_BUTTONS | HDS_HORZ, {10, 110, 410, 134});
    EXPECT_EQ(WindowSkinner::Of(header)->skinType, skintype::Header);
    const wchar_t* const titles[] = {L"名称 Zoë", L"大小 한글"};
    for (int index = 0; index < 2; ++index) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 160;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.pszText = const_cast<wchar_t*>(titles[index]);
        SendMessageW(header, HDM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }

    RedrawWindow(host.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    qivyun::test::PumpFor(100);
    EXPECT_TRUE(LooksAsUnder936(host.Get(), "controls"));
}

TEST(ControlTextsTest, ASkinsOwnFontIsChosenByItsGbkFaceNameOnEverySystem) {
    SkinTables tables;
    tables.parts[271] = ImagePart{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}};
    LOGFONTA stored{};
    stored.lfHeight = -12;
    stored.lfCharSet = GB2312_CHARSET;
    std::strcpy(stored.lfFaceName, "宋体");  // GBK bytes, as a skin file holds them
    std::memcpy(tables.fonts[size_t(Index(SkinFontSlot::PushButtonFont))].logFont, &stored, sizeof stored);
    const std::vector<uint8_t> packed = PackSkinBody(BuildSkinBody(tables, AtlasPixels{1, 1, {1, 2, 3, 0}}));

    SkinData skin;
    ASSERT_EQ(skin.ReadSkin(packed.data(), packed.size()), SkinResult::Loaded);
    for (bool bold : {false, true}) {
        LOGFONTW made{};
        ASSERT_TRUE(GetObjectW(skin.Font(SkinFontSlot::PushButtonFont, bold), sizeof made, &made));
        EXPECT_STREQ(made.lfFaceName, L"宋体");
        EXPECT_EQ(made.lfHeight, -12);
        EXPECT_EQ(made.lfWeight, bold ? 700 : 400);
    }
}

}  // namespace
}  // namespace qivyun::skin::test
