#include "skin/kinds/ControlBarSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"
#include "skin/kinds/ControlBarLayout.h"
#include "skin/kinds/DatePickerLooks.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int GripperSpace = 4;  // the gripper strip of a framework bar beyond the gripper's thickness
constexpr int MostChevronLength = 32;  // how far from a band's end its chevron is looked for

// A framework bar's frame: the border part's margin on every side, and the gripper strip.
struct FrameworkBarFrame {
    int border, strip, gripper;
    static FrameworkBarFrame Of(const SkinData& skin) {
        const ImagePart& border = skin.Part(SkinPart::ControlBarBorder);
        const int gripper = skin.Part(SkinPart::BarGripper).width;
        return {border.left, gripper + GripperSpace, gripper};
    }
};

bool Horizontal(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return ControlBarIsHorizontal(rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

void ControlBarSkinner::OnAttach() {
    rebar_ = ClassNameOf(window).find("ReBarWindow32") != std::string::npos;
    horizontal_ = Horizontal(window);
    // A framework bar takes its frame now.
    if (!rebar_) ComputeFrameAgain();
}

// A new skin may size a framework bar's frame otherwise.
void ControlBarSkinner::OnSkinLoaded() {
    if (!rebar_) ComputeFrameAgain();
}

void ControlBarSkinner::ComputeFrameAgain() const {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

LRESULT ControlBarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) return CallPreviousThen(message, wParam, lParam, [this] { TellParentOfResize(); });
    if (message == WM_ENABLE) return CallPreviousThen(message, wParam, lParam, [this] { RedrawAll(); });
    return rebar_ ? RebarProc(message, wParam, lParam) : FrameworkBarProc(message, wParam, lParam);
}

void ControlBarSkinner::RedrawAll() const {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// ---- rebars

LRESULT ControlBarSkinner::RebarProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates (and sends no custom draw); the rebar is drawn through
        // its window DC, the bands' children spared.
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        DrawRebar();
        return 0;
    case WM_NCPAINT: {
        const RECT outer = WindowRectAtOrigin(window), client = ClientRectInWindow(window);
        if (!EqualRect(&outer, &client)) DrawRebar();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void ControlBarSkinner::DrawRebar() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(
        window, skin,
        [this, &skin](HDC dc, const RECT& all) {
            DrawSkinPart(dc, all, SkinPart::RebarBackground, skin);
            const RECT client = ClientRectInWindow(window);
            SetViewportOrgEx(dc, client.left, client.top, nullptr);
            DrawBands(dc, RECT{0, 0, client.right - client.left, client.bottom - client.top}, skin);
        },
        ChildWindows::Spared);
}

void ControlBarSkinner::DrawBands(HDC dc, const RECT& client, const SkinData& skin) {
    const LONG style = unpatched::GetWindowLongA(window, GWL_STYLE);
    const bool vertical = style & CCS_VERT;
    const int count = static_cast<int>(CallPrevious(RB_GETBANDCOUNT, 0, 0));
    const int gripperThickness =
        vertical ? skin.Part(SkinPart::BarGripperVertical).height : skin.Part(SkinPart::BarGripper).width;

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, SkinTextColour(window, IsWindowEnabled(window) ? SkinColour::RebarText : SkinColour::RebarTextDisabled, skin));
    // Band labels take the toolbar's font of the skin, else the rebar's own.
    SelectedObject font(dc, SkinnerFont(window, SkinFontSlot::ToolbarFont, skin));

    std::vector<SkinRect> bands;
    for (int index = 0; index < count; ++index) {
        wchar_t text[128] = {};
        REBARBANDINFOW band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_STYLE | RBBIM_TEXT;
        band.lpText = text;
        band.cch = static_cast<UINT>(std::size(text));
        CallPrevious(RB_GETBANDINFOW, static_cast<WPARAM>(index), RecordParameter(&band));
        if (band.fStyle & RBBS_HIDDEN) continue;
        RECT rect{}, borders{};
        CallPrevious(RB_GETRECT, static_cast<WPARAM>(index), RecordParameter(&rect));
        CallPrevious(RB_GETBANDBORDERS, static_cast<WPARAM>(index), RecordParameter(&borders));
        bands.push_back(ToSkinRect(rect));
        DrawSkinPart(dc, rect, SkinPart::RebarBand, skin);

        const BandGripperStyle grip{(band.fStyle & RBBS_GRIPPERALWAYS) != 0, (band.fStyle & RBBS_NOGRIPPER) != 0,
                                    (band.fStyle & RBBS_FIXEDSIZE) != 0};
        // Without band borders the rebar tells the header's length in `left` alone, vertical or not.
        const int header = vertical && (style & RBS_BANDBORDERS) ? borders.top : borders.left;
        const BandHeader place = BandHeaderLayout(ToSkinRect(rect), header, vertical, BandShowsGripper(grip, count),
                                                  gripperThickness);
        if (!place.gripper.Empty())
            DrawSkinPart(dc, ToRect(place.gripper), vertical ? SkinPart::BarGripperVertical : SkinPart::BarGripper, skin);
        if (band.fStyle & RBBS_USECHEVRON) {
            const RECT chevron = ChevronOf(index, rect, vertical);
            if (!IsRectEmpty(&chevron)) {
                const ImagePart& glyph = skin.Part(SkinPart::RebarChevron);
                const SkinRect at = CentredIn(ToSkinRect(chevron), glyph.width, glyph.height);
                DrawSkinPart(dc, ToRect(at), SkinPart::RebarChevron, skin);
            }
        }
        if (text[0] && !place.label.Empty()) {
            RECT label = ToRect(place.label);
            DrawTextW(dc, text, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (!(style & RBS_BANDBORDERS)) return;
    const RebarLines lines =
        RebarBorderLines(bands, ToSkinRect(client), vertical, skin.Part(SkinPart::RebarBandBorder).width);
    for (const SkinRect& line : lines.betweenBands) DrawSkinPart(dc, ToRect(line), SkinPart::RebarBandBorder, skin);
    for (const SkinRect& line : lines.betweenRows) DrawSkinPart(dc, ToRect(line), SkinPart::RebarRowLine, skin);
}

// The rebar reports its chevrons only to its hit test: the pixels along the band's middle, from
// its end inwards, that answer the band's chevron.
RECT ControlBarSkinner::ChevronOf(int index, const RECT& band, bool vertical) const {
    RECT chevron{};
    for (int back = 1; back <= MostChevronLength; ++back) {
        RBHITTESTINFO hit{};
        hit.pt = vertical ? POINT{(band.left + band.right) / 2, band.bottom - back}
                          : POINT{band.right - back, (band.top + band.bottom) / 2};
        CallPrevious(RB_HITTEST, 0, RecordParameter(&hit));
        const bool onChevron = hit.iBand == index && (hit.flags & RBHT_CHEVRON) == RBHT_CHEVRON;
        if (!onChevron) {
            if (!IsRectEmpty(&chevron)) break;
            continue;
        }
        const RECT pixel = vertical ? RECT{band.left, hit.pt.y, band.right, hit.pt.y + 1}
                                    : RECT{hit.pt.x, band.top, hit.pt.x + 1, band.bottom};
        UnionRect(&chevron, &chevron, &pixel);
    }
    return chevron;
}

// ---- framework control bars

LRESULT ControlBarSkinner::FrameworkBarProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const SkinData* skin = LoadedSkin();
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT answer = CallPrevious(message, wParam, lParam);
        if (!skin) return answer;
        RECT& proposed = crack::ProposedRect(wParam, lParam);
        const FrameworkBarFrame frame = FrameworkBarFrame::Of(*skin);
        const SkinRect insets = ControlBarInsets(
            ControlBarIsHorizontal(proposed.right - proposed.left, proposed.bottom - proposed.top), frame.border, frame.strip);
        proposed.left += insets.left;
        proposed.top += insets.top;
        proposed.right = std::max(proposed.left, proposed.right - insets.right);
        proposed.bottom = std::max(proposed.top, proposed.bottom - insets.bottom);
        return answer;
    }
    case WM_NCPAINT:
        if (!skin) break;
        DrawFrameworkBarFrame();
        return 0;
    case WM_ERASEBKGND:
        if (!skin) break;
        // The face lies across the whole window, so that the frame and the client area meet.
        DrawSkinPart(crack::Dc(wParam), WindowInClient(window), SkinPart::ControlBarBackground, *skin);
        return 1;
    case WM_WINDOWPOSCHANGED: {
        // A bar that turns between horizontal and vertical moves its gripper: its frame is computed again.
        const bool before = horizontal_;
        horizontal_ = Horizontal(window);
        const LRESULT answer = CallPrevious(message, wParam, lParam);
        if (before != horizontal_) ComputeFrameAgain();
        return answer;
    }
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

void ControlBarSkinner::DrawFrameworkBarFrame() {
    const SkinData& skin = Skin();
    PaintFrameOffScreen(window, skin, [this, &skin](HDC dc, const RECT& all) {
        DrawSkinPart(dc, all, SkinPart::ControlBarBackground, skin);
        DrawSkinPart(dc, all, SkinPart::ControlBarBorder, skin);
        const FrameworkBarFrame frame = FrameworkBarFrame::Of(skin);
        const bool horizontal = ControlBarIsHorizontal(all.right, all.bottom);
        const SkinRect grip = ControlBarGripperRect(ToSkinRect(all), horizontal, frame.border, frame.strip, frame.gripper);
        DrawSkinPart(dc, ToRect(grip), horizontal ? SkinPart::BarGripper : SkinPart::BarGripperVertical, skin);
    });
}

}  // namespace qivyun::skin
