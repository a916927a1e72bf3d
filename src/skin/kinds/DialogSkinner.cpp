#include "skin/kinds/DialogSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"

#include <string_view>

namespace qivyun::skin {
namespace {

constexpr UINT FrameChanged = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool ClassIs(HWND window, std::string_view name) { return ClassNameOf(window) == name; }

// Edit boxes, lists and combo boxes keep their own colours; a read-only edit box asks with the
// static texts' message.
bool KeepsOwnColours(UINT message, HWND control) {
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORSCROLLBAR) return true;
    return ClassIs(control, "Edit") || ClassIs(control, "ComboBox") || ClassIs(control, "ListBox");
}

}  // namespace

DialogSkinner::DialogSkinner(const SkinnerContext& context) : KindSkinner(context) {}
DialogSkinner::~DialogSkinner() = default;

void DialogSkinner::OnAttach() {
    dialogClass_ = ClassIs(window, "#32770");
    FollowCaption();
}

void DialogSkinner::OnSkinLoaded() {
    if (frame_) frame_->Forget();
}

void DialogSkinner::ForgetFrame() {
    if (!frame_) return;
    frame_->Forget();
    // The refresh changes the frames of visible windows; a hidden one is brought to the new skin now.
    if (!IsWindowVisible(window)) SetWindowPos(window, nullptr, 0, 0, 0, 0, FrameChanged);
}

void DialogSkinner::FollowCaption() {
    const bool wanted = SkinnedFrame::Wanted(window);
    if (wanted && !frame_) {
        frame_ = std::make_unique<SkinnedFrame>(*this, Skin());
        frame_->Attach();
    } else if (!wanted && frame_) {
        frame_->Detach();
        frame_.reset();
        SetWindowPos(window, nullptr, 0, 0, 0, 0, FrameChanged);
    }
}

LRESULT DialogSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(message, wParam, lParam);
    case WM_ERASEBKGND:
        // A dialog erases with the brush it answers to WM_CTLCOLORDLG; other windows are erased here.
        if (!dialogClass_ && LoadedSkin()) {
            const HDC dc = crack::Dc(wParam);
            RECT client;
            GetClientRect(window, &client);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            FillRect(dc, &client, BackgroundBrush());
            return 1;
        }
        break;
    case WM_STYLECHANGED:
        return CallPreviousThen(message, wParam, lParam, [&] {
            if (crack::StyleChange(wParam, lParam)) FollowCaption();
        });
    default:
        break;
    }
    if (frame_) {
        if (std::optional<LRESULT> answer = frame_->Handle(message, wParam, lParam)) return *answer;
    }
    return CallPrevious(message, wParam, lParam);
}

// The window's own answer first: a colour or brush it chose stays; where it left the system's,
// the skin's look goes in. The host's properties of the control win over both.
LRESULT DialogSkinner::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = CallPrevious(message, wParam, lParam);
    const SkinData* skin = LoadedSkin();
    const HDC dc = crack::Dc(wParam);
    const HWND control = crack::Window(lParam);
    if (!skin || !dc || !control) return answer;

    auto brush = reinterpret_cast<HBRUSH>(answer);
    if (!KeepsOwnColours(message, control)) {
        if (!brush || brush == GetSysColorBrush(COLOR_3DFACE)) {
            brush = BackgroundBrush();
            // A pattern continues across the controls as across the window.
            POINT origin{0, 0};
            MapWindowPoints(window, control, &origin, 1);
            SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
            SetBkMode(dc, TRANSPARENT);
        }
        if (GetTextColor(dc) == GetSysColor(COLOR_WINDOWTEXT)) {
            const bool enabled = IsWindowEnabled(control);
            SetTextColor(dc, skin->Colour(enabled ? SkinColour::StaticText : SkinColour::StaticTextDisabled));
        }
    }

    if (const std::optional<COLORREF> colour = HostColour(control, TextColourProperty)) SetTextColor(dc, *colour);
    if (const std::optional<COLORREF> colour = HostColour(control, BackgroundColourProperty)) {
        brush = SolidBrush(*colour);
        SetBkColor(dc, *colour);
    }
    // The control draws with the host's font: it stays in the DC the control gets back.
    if (HFONT font = HostFont(control)) SelectedObject::LeaveSelected(dc, font);
    return reinterpret_cast<LRESULT>(brush);
}

HBRUSH DialogSkinner::BackgroundBrush() {
    if (const std::optional<COLORREF> colour = HostColour(window, BackgroundColourProperty)) return SolidBrush(*colour);
    const SkinData* skin = LoadedSkin();
    return skin ? skin->BackgroundBrush() : GetSysColorBrush(COLOR_3DFACE);
}

HBRUSH DialogSkinner::SolidBrush(COLORREF colour) {
    for (const auto& [made, brush] : brushes_) {
        if (made == colour) return brush.Get();
    }
    brushes_.emplace_back(colour, UniqueGdiObject<HBRUSH>(CreateSolidBrush(colour)));
    return brushes_.back().second.Get();
}

}  // namespace qivyun::skin
