#pragma once
// The status bar, tab control, toolbar, date-time picker and month calendar of the skinners' tests,
// made on a host window the way programs make them, and what the host hears from them.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace qivyun::skin::test {

// What a parent is told: WM_NOTIFY codes and WM_COMMAND ids, in order.
struct HeardFromChildren {
    std::vector<UINT> notifications;
    std::vector<UINT> commands;
    bool Heard(UINT code) const;
};

// Subclasses the host so that it records what its children tell it; the last one made listens.
void ListenToChildren(HWND host, HeardFromChildren& heard);

HWND MakeStatusBar(HWND host);  // parts ending at 120 and 240, then the rest; a size grip
HWND MakeTabs(HWND host, int x, int y, int width, int height, DWORD style = 0);  // 常规, 高级, 关于
// Buttons 201 打开, 202 (a check button) 显示, a separator, 203 (drops a menu down) 更多.
HWND MakeToolbar(HWND host, DWORD style = TBSTYLE_FLAT | TBSTYLE_LIST);
HWND MakeDatePicker(HWND host, int x, int y);  // 2026-03-15
HWND MakeCalendar(HWND host, int x, int y);  // 2026-03-15 selected

// The client point of a month calendar that shows the day of its current month; false when none.
bool PointOfDay(HWND calendar, WORD day, POINT& point);

}  // namespace qivyun::skin::test
