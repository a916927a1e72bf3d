#pragma once
// Dialogs created from resource templates, modal or modeless, with a message map per class.
#include "framework/DataExchange.h"
#include "framework/MessageMap.h"
#include "framework/UiGate.h"
#include "framework/Window.h"

#include <memory>

namespace qivyun {

class Dialog : public Window {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    ~Dialog() override;

    // Runs the dialog in a message loop of its own until EndDialog; the owner is disabled meanwhile.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog window and returns; it lives until Destroy or its owner's end.
    bool Create(HWND parent);
    // Modal: ends the loop with this result. Modeless: destroys the window.
    void EndDialog(INT_PTR result);
    void Destroy();

    // true: read controls into the members; false: write the members into the controls.
    void UpdateData(bool saving);

    // What worker threads use to reach this window (see UiGate). Valid while the window exists.
    std::shared_ptr<UiGate> Gate() const { return gate_; }

    // The dialog object behind a window, if the window is one of ours.
    static Dialog* FromHandle(HWND hwnd);
    // The pre-translation step of every message loop: the dialogs from the message's window up
    // to its top-level owner get the message first.
    static bool PreTranslate(MSG& message);

    // The default processing of the message being handled, for the dialog's handlers and for
    // those of the parts its table routes to.
    LRESULT Default();

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual bool PreTranslateMessage(MSG& message);
    virtual MessageResult RouteToMap(UINT, WPARAM, LPARAM) { return {}; }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    bool modal_ = false;
    bool endRequested_ = false;
    INT_PTR modalResult_ = 0;
    std::shared_ptr<UiGate> gate_;
    UINT currentMessage_ = 0;
    WPARAM currentWParam_ = 0;
    LPARAM currentLParam_ = 0;
};

// Ties a dialog class to its message map: `class MainDialog : public DialogImpl<MainDialog>`
// with a static `const MessageMap<MainDialog> messages`.
template <class T>
class DialogImpl : public Dialog {
public:
    using Dialog::Dialog;

protected:
    MessageResult RouteToMap(UINT message, WPARAM wParam, LPARAM lParam) override {
        return RouteMessage(T::messages, static_cast<T&>(*this), message, wParam, lParam);
    }
};

}  // namespace qivyun
