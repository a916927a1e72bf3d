#pragma once
// A control whose messages pass through our object first (custom controls attached to the
// controls of a dialog template).
#include "framework/Window.h"

namespace qivyun {

// The owner-draw and colour messages a dialog receives for a control go to the control first,
// under this number plus the message's own, so that the control can draw itself.
constexpr UINT ReflectedMessage(UINT message) { return 0x2000 + message; }

class SubclassedWindow : public Window {
public:
    ~SubclassedWindow() override;
    void Attach(HWND hwnd) override;

protected:
    // Answer a message, or hand it on with DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefaultProc(message, wParam, lParam); }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Unsubclass();
};

}  // namespace qivyun
