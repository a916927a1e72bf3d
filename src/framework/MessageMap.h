#pragma once
// A window's message map as a plain table: one entry per message, command or notification, in
// order, each pointing at a member function with typed arguments. The cracking of WPARAM and
// LPARAM happens here, once.
#include <windows.h>

#include <functional>
#include <vector>

namespace qivyun {

struct MessageResult {
    bool handled = false;
    LRESULT value = 0;
};

template <class T>
struct MessageEntry {
    UINT firstMessage;
    UINT lastMessage;
    UINT id;    // control or command id, for WM_COMMAND and WM_NOTIFY
    UINT code;  // notification code, for WM_COMMAND and WM_NOTIFY
    std::function<LRESULT(T&, WPARAM, LPARAM)> call;
    // Set, in place of the fields above, on an entry that hands the message to a part's own table.
    std::function<MessageResult(T&, UINT, WPARAM, LPARAM)> route = nullptr;

    bool Matches(UINT message, WPARAM wParam, LPARAM lParam) const {
        if (message < firstMessage || message > lastMessage) return false;
        if (message == WM_COMMAND) return LOWORD(wParam) == id && HIWORD(wParam) == code;
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header->idFrom == id && header->code == code;
        }
        return true;
    }
};

template <class T>
using MessageMap = std::vector<MessageEntry<T>>;

// The first entry that matches handles the message; a part's entries are tried in its entry's place.
template <class T>
MessageResult RouteMessage(const MessageMap<T>& map, T& window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& entry : map) {
        if (entry.route) {
            if (MessageResult result = entry.route(window, message, wParam, lParam); result.handled) return result;
        } else if (entry.Matches(message, wParam, lParam)) {
            return {true, entry.call(window, wParam, lParam)};
        }
    }
    return {};
}

// ---- entries -------------------------------------------------------------------------------

template <class T>
MessageEntry<T> OnMessage(UINT message, void (T::*handler)()) {
    return {message, message, 0, 0, [handler](T& w, WPARAM, LPARAM) -> LRESULT { (w.*handler)(); return 0; }};
}

template <class T>
MessageEntry<T> OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, message, 0, 0, [handler](T& w, WPARAM wp, LPARAM lp) { return (w.*handler)(wp, lp); }};
}

// WM_TIMER: the timer id.
template <class T>
MessageEntry<T> OnMessage(UINT message, void (T::*handler)(UINT_PTR)) {
    return {message, message, 0, 0, [handler](T& w, WPARAM wp, LPARAM) -> LRESULT { (w.*handler)(wp); return 0; }};
}

// WM_NCHITTEST and other messages with a screen point, answering a code.
template <class T>
MessageEntry<T> OnMessage(UINT message, LRESULT (T::*handler)(POINT)) {
    return {message, message, 0, 0, [handler](T& w, WPARAM, LPARAM lp) {
                return (w.*handler)(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
            }};
}

// Mouse button messages: key flags and the client point.
template <class T>
MessageEntry<T> OnMessage(UINT message, void (T::*handler)(UINT, POINT)) {
    return {message, message, 0, 0, [handler](T& w, WPARAM wp, LPARAM lp) -> LRESULT {
                (w.*handler)(static_cast<UINT>(wp), POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
                return 0;
            }};
}

// WM_QUERYDRAGICON and other messages answered with a handle.
template <class T>
MessageEntry<T> OnMessage(UINT message, HICON (T::*handler)()) {
    return {message, message, 0, 0, [handler](T& w, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>((w.*handler)()); }};
}

// Every WM_CTLCOLOR* message: the control's device context and window; answers the brush.
template <class T>
MessageEntry<T> OnControlColor(HBRUSH (T::*handler)(HDC, HWND)) {
    return {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, [handler](T& w, WPARAM wp, LPARAM lp) {
                return reinterpret_cast<LRESULT>((w.*handler)(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)));
            }};
}

// A button click or a menu command (both arrive as WM_COMMAND with code 0).
template <class T>
MessageEntry<T> OnClick(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, WM_COMMAND, id, BN_CLICKED, [handler](T& w, WPARAM, LPARAM) -> LRESULT { (w.*handler)(); return 0; }};
}

// A click bound to a handler that takes one fixed argument (an engine, a manifest section).
template <class T, class Arg, class Value>
MessageEntry<T> OnClick(UINT id, void (T::*handler)(Arg), Value argument) {
    return {WM_COMMAND, WM_COMMAND, id, BN_CLICKED,
            [handler, argument](T& w, WPARAM, LPARAM) -> LRESULT { (w.*handler)(argument); return 0; }};
}

template <class T>
MessageEntry<T> OnCommand(UINT id, void (T::*handler)()) {
    return OnClick(id, handler);
}

// A notification icon's callback message: the icon's id and the mouse message.
template <class T>
MessageEntry<T> OnNotifyIcon(UINT message, LRESULT (T::*handler)(UINT iconId, UINT mouseMessage)) {
    return {message, message, 0, 0, [handler](T& w, WPARAM wp, LPARAM lp) {
                return (w.*handler)(static_cast<UINT>(wp), static_cast<UINT>(lp));
            }};
}

template <class T>
MessageEntry<T> OnNotify(UINT id, UINT code, LRESULT (T::*handler)(const NMHDR&)) {
    return {WM_NOTIFY, WM_NOTIFY, id, code,
            [handler](T& w, WPARAM, LPARAM lp) { return (w.*handler)(*reinterpret_cast<const NMHDR*>(lp)); }};
}

// A part of the window (a panel with its controls) that keeps a table of its own, a static
// `messages` of its class: its entries are tried in this entry's place and run on the part.
template <class T, class Part>
MessageEntry<T> RouteToPart(Part T::*part) {
    return {0, 0, 0, 0, nullptr, [part](T& w, UINT message, WPARAM wp, LPARAM lp) {
                return RouteMessage(Part::messages, w.*part, message, wp, lp);
            }};
}

}  // namespace qivyun
