#include "framework/Dialog.h"

#include "framework/SubclassedWindow.h"

#include <commctrl.h>

namespace qivyun {
namespace {

// Templates may name any common control; the classes are registered before the first dialog.
void RegisterCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

constexpr wchar_t DialogProperty[] = L"QivYun.Dialog";

// Messages whose answer a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_QUERYDRAGICON ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_INITDIALOG;
}

// The control that a message is about, when the control should see the message first.
HWND ReflectionTarget(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && wParam != 0) return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return reinterpret_cast<HWND>(lParam);
    return nullptr;
}

}  // namespace

Dialog::~Dialog() {
    if (Exists()) DestroyWindow(hwnd_);
}

Dialog* Dialog::FromHandle(HWND hwnd) { return static_cast<Dialog*>(GetPropW(hwnd, DialogProperty)); }

INT_PTR Dialog::DoModal(HWND owner) {
    bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    RegisterCommonControls();
    modal_ = true;
    endRequested_ = false;
    modalResult_ = -1;
    if (CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this))) {
        MSG message;
        while (!endRequested_) {
            BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (!PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    // Enable the owner before the dialog goes, so that activation returns to it.
    if (ownerEnabled) EnableWindow(owner, TRUE);
    if (Exists()) DestroyWindow(hwnd_);
    modal_ = false;
    return modalResult_;
}

bool Dialog::Create(HWND parent) {
    RegisterCommonControls();
    modal_ = false;
    return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    modalResult_ = result;
    if (modal_) {
        endRequested_ = true;
        if (Exists()) ShowWindow(hwnd_, SW_HIDE);
        PostMessageW(nullptr, WM_NULL, 0, 0);  // wake the loop
    } else {
        Destroy();
    }
}

void Dialog::Destroy() {
    if (Exists()) DestroyWindow(hwnd_);
}

void Dialog::UpdateData(bool saving) {
    DataExchange exchange(hwnd_, saving);
    DoDataExchange(exchange);
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::PreTranslateMessage(MSG& message) { return IsDialogMessageW(hwnd_, &message) != FALSE; }

bool Dialog::PreTranslate(MSG& message) {
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (Dialog* dialog = FromHandle(window); dialog && dialog->PreTranslateMessage(message)) return true;
    }
    return false;
}

LRESULT Dialog::Default() { return DefWindowProcW(hwnd_, currentMessage_, currentWParam_, currentLParam_); }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->hwnd_ = hwnd;
        dialog->gate_ = std::make_shared<UiGate>(hwnd);
        SetPropW(hwnd, DialogProperty, dialog);
    }
    Dialog* dialog = FromHandle(hwnd);
    if (!dialog) return FALSE;
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RUN_ON_UI_THREAD) {
        if (reinterpret_cast<UiGate*>(wParam) == gate_.get())
            gate_->Execute(*reinterpret_cast<const std::function<void()>*>(lParam));
        return TRUE;
    }
    if (message == WM_INITDIALOG) return OnInitDialog() ? TRUE : FALSE;
    if (message == WM_DESTROY && gate_) gate_->Close();
    // A control that draws itself answers its drawing request; a colour request that the control
    // answers without a brush goes on to this dialog's own handling.
    if (HWND control = ReflectionTarget(message, wParam, lParam); control && IsChild(hwnd_, control)) {
        LRESULT answer = SendMessageW(control, ReflectedMessage(message), wParam, lParam);
        if (answer && message == WM_DRAWITEM) return TRUE;
        if (answer) return static_cast<INT_PTR>(answer);
    }

    UINT savedMessage = currentMessage_;
    WPARAM savedWParam = currentWParam_;
    LPARAM savedLParam = currentLParam_;
    currentMessage_ = message;
    currentWParam_ = wParam;
    currentLParam_ = lParam;
    MessageResult result = RouteToMap(message, wParam, lParam);
    currentMessage_ = savedMessage;
    currentWParam_ = savedWParam;
    currentLParam_ = savedLParam;

    if (!result.handled && message == WM_COMMAND) {
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            result.handled = true;
        } else if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            result.handled = true;
        }
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd_, DialogProperty);
        hwnd_ = nullptr;
        return FALSE;
    }
    if (!result.handled) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result.value);
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result.value);
    return TRUE;
}

}  // namespace qivyun
