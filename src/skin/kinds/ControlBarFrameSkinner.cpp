#include "skin/kinds/ControlBarFrameSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/SkinTypeChoice.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"
#include "skin/kinds/ControlBarLayout.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr UINT Resize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr int MostFittings = 4;  // a bar's rows settle within a few rounds of width and height

SkinType BarType(HWND child) {
    return SkinTypeForClass(ClassNameOf(child), static_cast<uint32_t>(unpatched::GetWindowLongA(child, GWL_STYLE)));
}

SkinPart BarBackground(SkinType type) {
    switch (type) {
    case skintype::ReBar: return SkinPart::RebarBackground;
    case skintype::Toolbar: return SkinPart::ToolbarBackground;
    default: return SkinPart::ControlBarBackground;
    }
}

bool IsBar(SkinType type) {
    return type == skintype::ReBar || type == skintype::Toolbar || type == skintype::AfxControlBar;
}

}  // namespace

HWND ControlBarFrameSkinner::Bar() const {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsBar(BarType(child))) return child;
    return nullptr;
}

void ControlBarFrameSkinner::ChildResized(HWND child) {
    if (GetParent(child) == window && child == Bar()) FitToBar();
}

void ControlBarFrameSkinner::FitToBar() {
    const HWND bar = Bar();
    if (!bar || fitting_ || IsIconic(window) || !LoadedSkin()) return;
    fitting_ = true;
    for (int round = 0; round < MostFittings; ++round) {
        RECT client, place, frame;
        GetClientRect(window, &client);
        GetWindowRect(bar, &place);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
        const int barHeight = place.bottom - place.top;
        bool moved = false;
        if (place.left != 0 || place.top != 0 || place.right != client.right) {
            SetWindowPos(bar, nullptr, 0, 0, client.right, barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            moved = true;
        }
        GetWindowRect(bar, &place);
        GetWindowRect(window, &frame);
        const int height = FittedWindowHeight(frame.bottom - frame.top, client.bottom, place.bottom - place.top);
        if (height != frame.bottom - frame.top) {
            SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, height, Resize);
            moved = true;
        }
        if (!moved) break;
    }
    fitting_ = false;
}

LRESULT ControlBarFrameSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        return CallPreviousThen(message, wParam, lParam, [this] { FitToBar(); });
    case WM_PARENTNOTIFY:
        // A bar made after the window: fitted at once.
        if (LOWORD(wParam) == WM_CREATE) return CallPreviousThen(message, wParam, lParam, [this] { FitToBar(); });
        break;
    case WM_ERASEBKGND:
        if (const SkinData* skin = LoadedSkin()) {
            const HWND bar = Bar();
            RECT client;
            GetClientRect(window, &client);
            const SkinType type = bar ? BarType(bar) : SkinType{skintype::AfxControlBar};
            DrawSkinPart(crack::Dc(wParam), client, BarBackground(type), *skin);
            return 1;
        }
        break;
    default:
        break;
    }
    return DialogSkinner::WindowProc(message, wParam, lParam);
}

}  // namespace qivyun::skin
