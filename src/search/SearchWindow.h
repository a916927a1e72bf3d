#pragma once
// What the search session needs of the window it runs in: the keyword, the engine choice, the
// result list, the status, the waiting popup, the two search timers and the gate through which
// its workers reach the list. The main window implements it; the session knows no control id.
#include "framework/ListView.h"
#include "framework/UiGate.h"
#include "search/EngineId.h"

#include <memory>
#include <string>

namespace qivyun {

class SearchWindow {
public:
    // Read controls and write controls: the window's data exchange in either direction.
    virtual void ReadControls() = 0;
    virtual void WriteControls() = 0;

    // The keyword box's text as the user typed it.
    virtual std::wstring KeywordText() const = 0;
    // 1 when the engine's check box was checked at the last read of the controls.
    virtual int EngineEnabled(EngineId engine) const = 0;
    virtual const ListView& ResultList() const = 0;
    // Sets the search status line's text and writes the controls.
    virtual void ShowSearchStatus(const std::string& text) = 0;
    virtual void ShowWaitingPopup(const char* text) = 0;
    virtual void CloseWaitingPopup() = 0;
    // Starting a timer that runs restarts it with the new period.
    virtual void StartTimer(UINT_PTR id, UINT periodMs) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;
    virtual std::shared_ptr<UiGate> Gate() const = 0;
    // The window that owns the session's message boxes.
    virtual HWND MessageOwner() const = 0;

protected:
    ~SearchWindow() = default;
};

}  // namespace qivyun
