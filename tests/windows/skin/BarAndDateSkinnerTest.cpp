// Status bars, tab controls, toolbars, date-time pickers and month calendars with our skin: each
// kind's parts where its rules put them, in more than one state, and the control still doing its
// work: texts shown, tabs switched, commands sent, dates picked by mouse and keyboard.
#include "../support/GdiObjects.h"
#include "../support/Pump.h"
#include "BarAndDateControls.h"
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/DatePickerLooks.h"
#include "skin/kinds/StatusBarLayout.h"
#include "skin/kinds/TabLooks.h"
#include "skin/kinds/ToolButtonLayout.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace qivyun::skin::test {
namespace {

using enum SkinPart;

Picture Crop(const Picture& picture, const RECT& area) {
    Picture part;
    part.width = area.right - area.left;
    part.height = area.bottom - area.top;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) part.pixels.push_back(picture.At(x, y));
    return part;
}

// The strip of a rectangle `rows` high along its top: the tabs' and buttons' edges, where no text goes.
RECT TopRows(const RECT& rect, int rows) { return RECT{rect.left, rect.top, rect.right, rect.top + rows}; }

void Draw(HDC dc, const RECT& rect, SkinPart part) { DrawPart(dc, rect, LoadOurSkin().Part(part), LoadOurSkin()); }

RECT ItemRect(HWND control, UINT message, int index) {
    RECT rect{};
    SendMessageW(control, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

void Click(HWND window, POINT point) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void PointerAway() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    qivyun::test::PumpFor(50);
}

class BarAndDateSkinnerTest : public testing::Test {
protected:
    void SetUp() override {
        LoadOurSkin();
        PointerAway();
        ListenToChildren(host.Get(), heard);
    }
    HostWindow host{480, 320};
    HeardFromChildren heard;
};

TEST_F(BarAndDateSkinnerTest, AStatusBarDrawsItsBandDividersAndGripAndShowsTheTextsItIsGiven) {
    HWND bar = MakeStatusBar(host.Get());
    UpdateWindow(bar);
    ASSERT_NE(WindowSkinner::Of(bar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(bar)->skinType, 1027);
    RECT client;
    GetClientRect(bar, &client);
    const int w = client.right, h = client.bottom;
    const SkinRect parts[] = {ToSkinRect(ItemRect(bar, SB_GETRECT, 0)), ToSkinRect(ItemRect(bar, SB_GETRECT, 1)),
                              ToSkinRect(ItemRect(bar, SB_GETRECT, 2))};
    const auto expected = [&](bool dividers) {
        return Drawn(w, h, [&](HDC dc) {
            Draw(dc, client, StatusBarBackground);
            if (dividers)
                for (const SkinRect& line : StatusDividers(parts, 2, w, 0, h)) Draw(dc, ToRect(line), StatusBarDivider);
            Draw(dc, ToRect(StatusGripRect(w, h, 12, 12)), StatusBarGrip);
        });
    };
    // The first divider with the space either side of it, and the grip's corner.
    const RECT firstDivider{parts[0].right - 30, 0, parts[0].right + 10, h}, grip{w - 16, 0, w, h};
    EXPECT_TRUE(SamePicture(Crop(Capture(bar), firstDivider), Crop(expected(true), firstDivider)));
    EXPECT_TRUE(SamePicture(Crop(Capture(bar), grip), Crop(expected(true), grip)));

    // A part's text shows where the bar is otherwise plain, and goes with it.
    const RECT firstPart{0, 0, parts[0].right - 2, h};
    EXPECT_FALSE(SamePicture(Crop(Capture(bar), firstPart), Crop(expected(true), firstPart)));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    UpdateWindow(bar);
    EXPECT_TRUE(SamePicture(Crop(Capture(bar), firstPart), Crop(expected(true), firstPart)));

    // In simple mode the bar is one part: no dividers, the simple text alone.
    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
    SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(L""));
    UpdateWindow(bar);
    EXPECT_TRUE(SamePicture(Crop(Capture(bar), firstDivider), Crop(expected(false), firstDivider)));
    wchar_t text[16] = {};
    SendMessageW(bar, SB_SIMPLE, FALSE, 0);
    SendMessageW(bar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\t\t已连接");
}

TEST_F(BarAndDateSkinnerTest, TabsSwitchByMouseAndKeyboardAndTheOpenTabJoinsThePane) {
    HWND tabs = MakeTabs(host.Get(), 10, 10, 300, 200);
    UpdateWindow(tabs);
    ASSERT_NE(WindowSkinner::Of(tabs), nullptr);
    EXPECT_EQ(WindowSkinner::Of(tabs)->skinType, 1028);
    const SkinRect items[] = {ToSkinRect(ItemRect(tabs, TCM_GETITEMRECT, 0)), ToSkinRect(ItemRect(tabs, TCM_GETITEMRECT, 1)),
                              ToSkinRect(ItemRect(tabs, TCM_GETITEMRECT, 2))};
    const SkinRect pane = TabPaneRect(SkinRect{0, 0, 300, 200}, items, TabPlacement::Above);
    // What the control shows with `selected` open and the states of the tabs given.
    const auto expected = [&](int selected, TabState closed) {
        return Drawn(300, 200, [&](HDC dc) {
            RECT all{0, 0, 300, 200};
            FillRect(dc, &all, LoadOurSkin().BackgroundBrush());
            Draw(dc, ToRect(pane), closed.enabled ? TabPane : TabPaneDisabled);
            for (int index = 0; index < 3; ++index)
                if (index != selected) Draw(dc, ToRect(items[index]), TabPart(closed, TabPlacement::Above));
            Draw(dc, ToRect(OpenTabRect(items[selected], TabPlacement::Above)),
                 TabPart({true, false, closed.enabled}, TabPlacement::Above));
        });
    };
    const auto expectEdges = [&](int selected, TabState closed) {
        SCOPED_TRACE(selected);
        const Picture shown = Capture(tabs), drawn = expected(selected, closed);
        const RECT open = ToRect(OpenTabRect(items[selected], TabPlacement::Above));
        const RECT other = ToRect(items[(selected + 1) % 3]);
        const RECT paneSide{0, pane.top, 4, pane.bottom};
        EXPECT_TRUE(SamePicture(Crop(shown, TopRows(open, 3)), Crop(drawn, TopRows(open, 3))));
        EXPECT_TRUE(SamePicture(Crop(shown, TopRows(other, 3)), Crop(drawn, TopRows(other, 3))));
        EXPECT_TRUE(SamePicture(Crop(shown, paneSide), Crop(drawn, paneSide)));
    };
    expectEdges(0, {});

    Click(tabs, Centre(ToRect(items[1])));
    UpdateWindow(tabs);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(heard.Heard(TCN_SELCHANGE));
    expectEdges(1, {});

    heard.notifications.clear();
    SetFocus(tabs);
    SendMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    UpdateWindow(tabs);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(heard.Heard(TCN_SELCHANGE));

    // The tab under the pointer is lit; a disabled control greys every tab and the pane.
    SendMessageW(tabs, WM_MOUSEMOVE, 0, MAKELPARAM(Centre(ToRect(items[0])).x, Centre(ToRect(items[0])).y));
    const RECT hot = TopRows(ToRect(items[0]), 3);
    const Picture lit = Drawn(300, 200, [&](HDC dc) { Draw(dc, ToRect(items[0]), TabItemOver); });
    EXPECT_TRUE(SamePicture(Crop(Capture(tabs), RECT{hot.left + 5, hot.top, hot.right - 5, hot.bottom}),
                            Crop(lit, RECT{hot.left + 5, hot.top, hot.right - 5, hot.bottom})));
    SendMessageW(tabs, WM_MOUSELEAVE, 0, 0);
    EnableWindow(tabs, FALSE);
    expectEdges(2, {false, false, false});
}

TEST_F(BarAndDateSkinnerTest, AToolbarButtonClickReachesTheParentAndItsFaceFollowsPointerAndCheck) {
    HWND toolbar = MakeToolbar(host.Get());
    UpdateWindow(toolbar);
    ASSERT_NE(WindowSkinner::Of(toolbar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(toolbar)->skinType, 1029);
    RECT client;
    GetClientRect(toolbar, &client);
    const RECT open = ItemRect(toolbar, TB_GETITEMRECT, 0), show = ItemRect(toolbar, TB_GETITEMRECT, 1);
    const RECT separator = ItemRect(toolbar, TB_GETITEMRECT, 2);
    const auto faceShows = [&](const RECT& button, std::optional<SkinPart> face) {
        const Picture drawn = Drawn(client.right, client.bottom, [&](HDC dc) {
            Draw(dc, client, ToolbarBackground);
            if (face) Draw(dc, button, *face);
        });
        return SamePicture(Crop(Capture(toolbar), TopRows(button, 3)), Crop(drawn, TopRows(button, 3)));
    };
    EXPECT_TRUE(faceShows(open, std::nullopt));
    const SkinRect line = CentredIn(ToSkinRect(separator), 6, separator.bottom - separator.top);
    const Picture drawnLine = Drawn(client.right, client.bottom, [&](HDC dc) {
        Draw(dc, client, ToolbarBackground);
        Draw(dc, ToRect(line), ToolbarSeparator);
    });
    EXPECT_TRUE(SamePicture(Crop(Capture(toolbar), separator), Crop(drawnLine, separator)));

    Click(toolbar, Centre(open));
    EXPECT_EQ(heard.commands, std::vector<UINT>{201});
    Click(toolbar, Centre(show));
    UpdateWindow(toolbar);
    EXPECT_EQ(heard.commands, (std::vector<UINT>{201, 202}));
    EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 202, 0));
    EXPECT_TRUE(faceShows(show, ToolButtonChecked));

    SendMessageW(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(Centre(open).x, Centre(open).y));
    UpdateWindow(toolbar);
    EXPECT_TRUE(faceShows(open, ToolButtonOver));
    SendMessageW(toolbar, WM_MOUSELEAVE, 0, 0);
    UpdateWindow(toolbar);
    EXPECT_TRUE(faceShows(open, std::nullopt));
}

TEST_F(BarAndDateSkinnerTest, ADatePickedInThePickersCalendarOrByKeyboardIsThePickersAndItsParentHearsIt) {
    HWND picker = MakeDatePicker(host.Get(), 20, 20);
    UpdateWindow(picker);
    ASSERT_NE(WindowSkinner::Of(picker), nullptr);
    EXPECT_EQ(WindowSkinner::Of(picker)->skinType, 1006);
    DATETIMEPICKERINFO info{};
    info.cbSize = sizeof(info);
    RECT client;
    GetClientRect(picker, &client);
    RECT button = ToRect(DateDropButtonRect(client.right, client.bottom, GetSystemMetrics(SM_CXVSCROLL)));
    if (SendMessageW(picker, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info)) && !IsRectEmpty(&info.rcButton))
        button = info.rcButton;
    const RECT inWindow = [&] {
        RECT r = button;
        const RECT clientInWindow = ClientRectInWindow(picker);
        OffsetRect(&r, clientInWindow.left, clientInWindow.top);
        return r;
    }();
    const int bw = button.right - button.left, bh = button.bottom - button.top;
    const auto buttonShows = [&](SkinPart face) {
        const Picture drawn = Drawn(bw, bh, [&](HDC dc) {
            Draw(dc, RECT{0, 0, bw, bh}, face);
            Draw(dc, ToRect(CentredIn(SkinRect{0, 0, bw, bh}, 12, 12)), DateDropGlyph);
        });
        return SamePicture(Capture(picker, inWindow), drawn);
    };
    EXPECT_TRUE(buttonShows(DateDropButton));
    SendMessageW(picker, WM_MOUSEMOVE, 0, MAKELPARAM(Centre(button).x, Centre(button).y));
    UpdateWindow(picker);
    EXPECT_TRUE(buttonShows(DateDropButtonOver));

    // The keyboard changes the field picked by the pointer (the year, month or day at the left end).
    SetFocus(picker);
    Click(picker, POINT{6, client.bottom / 2});
    SendMessageW(picker, WM_KEYDOWN, VK_UP, 0);
    SYSTEMTIME date{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    EXPECT_FALSE(date.wYear == 2026 && date.wMonth == 3 && date.wDay == 15);
    EXPECT_TRUE(heard.Heard(DTN_DATETIMECHANGE));
    SendMessageW(picker, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    EXPECT_TRUE(date.wYear == 2026 && date.wMonth == 3 && date.wDay == 15);

    // The calendar drops down with the calendar's look; a day picked there is the picker's.
    heard.notifications.clear();
    Click(picker, Centre(button));
    qivyun::test::PumpFor(50);
    const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(IsWindowVisible(calendar));
    ASSERT_NE(WindowSkinner::Of(calendar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(calendar)->skinType, 1017);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(calendar, MCM_GETCOLOR, MCSC_TITLEBK, 0)),
              LoadOurSkin().Colour(SkinColour::CalendarTitle));
    UpdateWindow(picker);
    EXPECT_TRUE(buttonShows(DateDropButtonHeld));
    POINT day20{};
    ASSERT_TRUE(PointOfDay(calendar, 20, day20));
    Click(calendar, day20);
    qivyun::test::PumpFor(50);
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    EXPECT_EQ(date.wDay, 20);
    EXPECT_EQ(date.wMonth, 3);
    EXPECT_TRUE(heard.Heard(DTN_DATETIMECHANGE));
}

TEST_F(BarAndDateSkinnerTest, AMonthCalendarShowsTheSkinsColoursInEachStateAndReportsTheDayPicked) {
    HWND calendar = MakeCalendar(host.Get(), 20, 20);
    UpdateWindow(calendar);
    ASSERT_NE(WindowSkinner::Of(calendar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(calendar)->skinType, 1017);
    const SkinData& skin = LoadOurSkin();
    RECT client;
    GetClientRect(calendar, &client);
    const RECT inside = ClientRectInWindow(calendar);
    const RECT titleBand{inside.left, inside.top, inside.right, inside.top + (client.bottom / 6)};
    const COLORREF title = skin.Colour(SkinColour::CalendarTitle), titleDisabled = skin.Colour(SkinColour::CalendarTitleDisabled);
    const int bandPixels = (titleBand.right - titleBand.left) * (titleBand.bottom - titleBand.top);
    const Picture enabled = Capture(calendar);
    EXPECT_GT(enabled.Count(title, titleBand), bandPixels / 2);
    // The skin's border line down the whole left edge.
    EXPECT_EQ(enabled.Count(skin.Colour(SkinColour::BorderPen), RECT{0, 0, 1, enabled.height}), enabled.height);

    POINT day20{};
    ASSERT_TRUE(PointOfDay(calendar, 20, day20));
    Click(calendar, day20);
    SYSTEMTIME picked{};
    SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
    EXPECT_EQ(picked.wDay, 20);
    EXPECT_TRUE(heard.Heard(MCN_SELECT));

    EnableWindow(calendar, FALSE);
    UpdateWindow(calendar);
    const Picture disabled = Capture(calendar);
    EXPECT_GT(disabled.Count(titleDisabled, titleBand), bandPixels / 2);
    EXPECT_EQ(disabled.Count(title, RECT{0, 0, disabled.width, disabled.height}), 0);
}

TEST_F(BarAndDateSkinnerTest, AHundredRepaintsOfEachKindHoldExactlyTheGdiObjectsOfTheFirst) {
    const HWND controls[] = {MakeStatusBar(host.Get()), MakeTabs(host.Get(), 10, 40, 200, 120), MakeToolbar(host.Get()),
                             MakeDatePicker(host.Get(), 220, 40), MakeCalendar(host.Get(), 220, 80)};
    const auto repaintAll = [&] {
        for (HWND control : controls)
            RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    };
    repaintAll();
    const int afterFirst = qivyun::test::GdiObjectCount();
    for (int round = 0; round < 100; ++round) repaintAll();
    EXPECT_EQ(qivyun::test::GdiObjectCount(), afterFirst);
}

}  // namespace
}  // namespace qivyun::skin::test
