#include "skin/kinds/SkinnedFrame.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "framework/OffscreenSurface.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"
#include "skin/kinds/FrameOutline.h"
#include "skin/patching/Unpatched.h"

#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

// Messages through which the system of some versions draws its own caption and frame.
constexpr UINT SystemDrawsCaption = 0x00AE;
constexpr UINT SystemDrawsFrame = 0x00AF;
// How much of a caption button's glyph shows when the button is disabled.
constexpr BYTE DisabledButtonAlpha = 90;

bool Contains(const GridRect& r, POINT p) { return p.x >= r.x && p.y >= r.y && p.x < r.x + r.width && p.y < r.y + r.height; }

DWORD StyleOf(HWND window) { return static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_STYLE)); }

}  // namespace

// One given to the window, else its class's, except on tool windows and the modal frames of
// dialogs, which show none unless they are given one.
HICON SkinnedFrame::TitleIcon(HWND window) {
    for (WPARAM kind : {WPARAM(ICON_SMALL), WPARAM(ICON_SMALL2), WPARAM(ICON_BIG)}) {
        if (auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0))) return icon;
    }
    const auto extended = static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_EXSTYLE));
    if (extended & WS_EX_TOOLWINDOW) return nullptr;  // a tool window's title bar shows no icon
    if ((StyleOf(window) & DS_MODALFRAME) || (extended & WS_EX_DLGMODALFRAME)) return nullptr;
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM))) return icon;
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
}

namespace {

struct ButtonParts {
    SkinPart normal, over, held;
};

ButtonParts PartsOf(CaptionButton button, bool maximised) {
    switch (button) {
    case CaptionButton::Close:
        return {SkinPart::CloseButtonNormal, SkinPart::CloseButtonOver, SkinPart::CloseButtonHeld};
    case CaptionButton::Maximise:
        if (maximised) return {SkinPart::RestoreButtonNormal, SkinPart::RestoreButtonOver, SkinPart::RestoreButtonHeld};
        return {SkinPart::MaximiseButtonNormal, SkinPart::MaximiseButtonOver, SkinPart::MaximiseButtonHeld};
    case CaptionButton::Minimise:
        return {SkinPart::MinimiseButtonNormal, SkinPart::MinimiseButtonOver, SkinPart::MinimiseButtonHeld};
    }
    return {};
}

UINT CommandOf(CaptionButton button, bool maximised) {
    switch (button) {
    case CaptionButton::Close: return SC_CLOSE;
    case CaptionButton::Maximise: return maximised ? SC_RESTORE : SC_MAXIMIZE;
    case CaptionButton::Minimise: return SC_MINIMIZE;
    }
    return 0;
}

std::optional<CaptionButton> ButtonOfHit(LRESULT hit) {
    switch (hit) {
    case HTCLOSE: return CaptionButton::Close;
    case HTMAXBUTTON: return CaptionButton::Maximise;
    case HTMINBUTTON: return CaptionButton::Minimise;
    default: return std::nullopt;
    }
}

AtlasView AtlasOf(const SkinData& skin) {
    const size_t stride = (size_t(skin.AtlasWidth()) * 3 + 3) & ~size_t(3);
    return AtlasView{skin.AtlasWidth(), skin.AtlasHeight(), stride, static_cast<const uint8_t*>(skin.AtlasBits()),
                     stride * size_t(skin.AtlasHeight())};
}

HRGN RegionOf(const std::vector<GridRect>& rects, int width, int height) {
    std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    data->rdh.rcBound = RECT{0, 0, width, height};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (const GridRect& r : rects) *out++ = ToRect(r);
    return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes.size()), data);
}

}  // namespace

bool SkinnedFrame::Wanted(HWND window) {
    const DWORD style = StyleOf(window);
    return (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD);
}

bool SkinnedFrame::Inert() const { return GetPropA(Window(), InertCaptionProperty) != nullptr; }

void SkinnedFrame::FollowMenu() {
    if (GetMenu(Window())) {
        if (!bar_) bar_ = std::make_unique<SkinnedMenuBar>(owner_, skin_, [this] { Paint(); });
        bar_->Refresh();
    } else {
        bar_.reset();
    }
    layoutValid_ = false;
}

int SkinnedFrame::MenuBarHeight(int windowWidth) const {
    const SkinData* skin = LoadedSkin();
    if (!bar_ || !skin) return 0;
    return bar_->HeightFor(windowWidth - 2 * skin->Metric(SkinMetric::FrameSideWidth));
}

void SkinnedFrame::Attach() {
    active_ = GetActiveWindow() == Window();
    Forget();
    FollowMenu();
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void SkinnedFrame::Detach() {
    EndPress();
    hot_.reset();
    bar_.reset();
    shapedSize_ = {-1, -1};
    unpatched::SetWindowRgn(Window(), nullptr, IsWindowVisible(Window()));
}

void SkinnedFrame::Forget() {
    layoutValid_ = false;
    shapedSize_ = {-1, -1};
}

const FrameLayout& SkinnedFrame::Layout() {
    RECT rect;
    GetWindowRect(Window(), &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const DWORD style = StyleOf(Window());
    const bool maximised = style & WS_MAXIMIZE;
    if (layoutValid_ && layout_.width == width && layout_.height == height && style == layoutStyle_ &&
        layout_.menuBar.height == MenuBarHeight(width))
        return layout_;
    const SkinData* skin = LoadedSkin();
    FrameStyle wanted;
    wanted.systemMenu = style & WS_SYSMENU;
    // A tool window's title bar has the close button alone.
    const bool tool = unpatched::GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
    wanted.minimiseBox = !tool && (style & WS_MINIMIZEBOX);
    wanted.maximiseBox = !tool && (style & WS_MAXIMIZEBOX);
    wanted.maximised = maximised;
    wanted.sizable = style & WS_THICKFRAME;
    wanted.icon = TitleIcon(Window()) != nullptr;
    wanted.menuBarHeight = MenuBarHeight(width);
    layout_ = LayOutFrame(skin ? FrameMetrics::Of(skin->Tables()) : FrameMetrics{}, wanted, width, height,
                          GetSystemMetrics(SM_CXSMICON));
    layoutStyle_ = style;
    layoutValid_ = true;
    if (bar_) bar_->Place(layout_.menuBar);
    return layout_;
}

std::optional<LRESULT> SkinnedFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!LoadedSkin() || IsIconic(Window())) return std::nullopt;
    if (bar_) {
        if (std::optional<LRESULT> answer = bar_->Handle(message, wParam, lParam)) return answer;
    }
    switch (message) {
    case WM_NCCALCSIZE:
        return CalcSize(wParam, lParam);
    case WM_NCPAINT:
        Paint();
        return 0;
    case WM_NCACTIVATE: {
        active_ = crack::Active(wParam);
        // -1: the system keeps its own caption undrawn and only records the state.
        LRESULT result = owner_.CallPrevious(message, wParam, -1);
        Paint();
        return result;
    }
    case SystemDrawsCaption:
    case SystemDrawsFrame:
        return 0;
    case WM_NCHITTEST:
        return HitTest(lParam);
    case WM_NCMOUSEMOVE: {
        std::optional<CaptionButton> button = ButtonAt(crack::Point(lParam));
        SetHot(button);
        if (!leaveTracked_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, Window(), 0};
            leaveTracked_ = TrackMouseEvent(&track) != FALSE;
        }
        if (button) return 0;  // the system would hot-track its own buttons there
        return std::nullopt;
    }
    case WM_NCMOUSELEAVE:
        leaveTracked_ = false;
        SetHot(std::nullopt);
        return std::nullopt;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const LRESULT hit = crack::HitCode(wParam);
        if (std::optional<CaptionButton> button = ButtonOfHit(hit)) {
            if (ButtonEnabled(*button)) Press(*button);
            return 0;
        }
        if (Inert() && (hit == HTCAPTION || hit == HTSYSMENU)) return 0;
        return std::nullopt;
    }
    case WM_NCLBUTTONUP:
        if (ButtonOfHit(crack::HitCode(wParam))) return 0;
        return std::nullopt;
    case WM_MOUSEMOVE:
        if (pressed_) {
            TrackPress(crack::Point(lParam), false);
            return 0;
        }
        if (hot_) SetHot(std::nullopt);
        return std::nullopt;
    case WM_LBUTTONUP:
        if (pressed_) {
            TrackPress(crack::Point(lParam), true);
            return 0;
        }
        return std::nullopt;
    case WM_CAPTURECHANGED:
        if (pressed_ && crack::Window(lParam) != Window()) EndPress();
        return std::nullopt;
    case WM_SETTEXT:
    case WM_SETICON:
        return owner_.CallPreviousThen(message, wParam, lParam, [this] {
            layoutValid_ = false;
            Paint();
        });
    case WM_WINDOWPOSCHANGED:
        return owner_.CallPreviousThen(message, wParam, lParam, [this] {
            const FrameLayout& layout = Layout();
            if (layout.width != shapedSize_.cx || layout.height != shapedSize_.cy) Reshape();
        });
    default:
        return std::nullopt;
    }
}

LRESULT SkinnedFrame::CalcSize(WPARAM wParam, LPARAM lParam) {
    RECT* proposed = &crack::ProposedRect(wParam, lParam);
    const SkinData* skin = LoadedSkin();
    // SetMenu and DrawMenuBar change the frame: the bar is read again here.
    FollowMenu();
    FrameStyle style;
    style.menuBarHeight = MenuBarHeight(proposed->right - proposed->left);
    const FrameLayout bands = LayOutFrame(FrameMetrics::Of(skin->Tables()), style, proposed->right - proposed->left,
                                          proposed->bottom - proposed->top, 0);
    const POINT origin{proposed->left, proposed->top};
    *proposed = RECT{origin.x + bands.client.x, origin.y + bands.client.y, origin.x + bands.client.x + bands.client.width,
                     origin.y + bands.client.y + bands.client.height};
    return 0;
}

LRESULT SkinnedFrame::HitTest(LPARAM lParam) {
    RECT rect;
    GetWindowRect(Window(), &rect);
    const POINT screen = crack::Point(lParam);
    const FrameHit hit = Layout().HitTest(screen.x - rect.left, screen.y - rect.top, Inert());
    // The client area is the window's own business (it may drag by it, or be transparent).
    if (hit == FrameHit::Client) return owner_.CallPrevious(WM_NCHITTEST, 0, lParam);
    return static_cast<LRESULT>(hit);
}

std::optional<CaptionButton> SkinnedFrame::ButtonAt(POINT screen) {
    RECT rect;
    GetWindowRect(Window(), &rect);
    const POINT at{screen.x - rect.left, screen.y - rect.top};
    const FrameLayout& layout = Layout();
    for (size_t i = 0; i < layout.buttonCount; ++i) {
        if (Contains(layout.buttons[i].rect, at)) return layout.buttons[i].button;
    }
    return std::nullopt;
}

// The close button follows the system menu's close command (a message box without a cancel
// answer greys it); the others follow their style bits, which placed them.
bool SkinnedFrame::ButtonEnabled(CaptionButton button) const {
    if (button != CaptionButton::Close) return true;
    if (GetClassLongPtrA(Window(), GCL_STYLE) & CS_NOCLOSE) return false;
    HMENU menu = GetSystemMenu(Window(), FALSE);
    return !menu || !(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

void SkinnedFrame::SetHot(std::optional<CaptionButton> button) {
    if (button && !ButtonEnabled(*button)) button.reset();
    if (hot_ == button) return;
    hot_ = button;
    Paint();
}

void SkinnedFrame::Press(CaptionButton button) {
    pressed_ = button;
    pressedInside_ = true;
    SetCapture(Window());
    Paint();
}

void SkinnedFrame::TrackPress(POINT client, bool released) {
    POINT screen = client;
    ClientToScreen(Window(), &screen);
    const bool inside = ButtonAt(screen) == pressed_;
    const CaptionButton button = *pressed_;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        Paint();
    }
    if (!released) return;
    const bool maximised = StyleOf(Window()) & WS_MAXIMIZE;
    EndPress();
    // Posted: the command may end the window, and with it this skinner.
    if (inside) PostMessageA(Window(), WM_SYSCOMMAND, CommandOf(button, maximised), PointParameter(screen));
}

void SkinnedFrame::EndPress() {
    if (!pressed_) return;
    pressed_.reset();
    pressedInside_ = false;
    if (GetCapture() == Window()) ReleaseCapture();
    Paint();
}

void SkinnedFrame::Reshape() {
    const SkinData* skin = LoadedSkin();
    if (!skin) return;
    const FrameLayout& layout = Layout();
    const std::vector<GridRect> shape =
        FrameOutline(AtlasOf(*skin), skin->Part(SkinPart::TitleBarActive), skin->Part(SkinPart::FrameBottomActive), layout);
    shapedSize_ = {layout.width, layout.height};
    // The region belongs to the system once set.
    unpatched::SetWindowRgn(Window(), RegionOf(shape, layout.width, layout.height), IsWindowVisible(Window()));
}

// Composed off screen and copied once, the client area left out.
void SkinnedFrame::Paint() {
    const SkinData* skin = LoadedSkin();
    if (!skin || IsIconic(Window())) return;
    const FrameLayout& layout = Layout();
    if (layout.width <= 0 || layout.height <= 0) return;
    WindowDc windowDc(Window(), unpatched::DcCalls());
    if (!windowDc) return;
    OffscreenSurface buffer(windowDc.Get(), layout.width, layout.height);
    if (!buffer) return;
    Compose(buffer.Dc(), layout, *skin);
    const RECT client = ToRect(layout.client);
    ExcludeClipRect(windowDc.Get(), client.left, client.top, client.right, client.bottom);
    buffer.CopyTo(windowDc.Get(), 0, 0);
}

void SkinnedFrame::Compose(HDC dc, const FrameLayout& layout, const SkinData& skin) {
    const RECT whole{0, 0, layout.width, layout.height};
    FillRect(dc, &whole, skin.BackgroundBrush());
    DrawPart(dc, ToRect(layout.titleBar), skin.Part(active_ ? SkinPart::TitleBarActive : SkinPart::TitleBarInactive), skin);
    DrawPart(dc, ToRect(layout.left), skin.Part(active_ ? SkinPart::FrameLeftActive : SkinPart::FrameLeftInactive), skin);
    DrawPart(dc, ToRect(layout.right), skin.Part(active_ ? SkinPart::FrameRightActive : SkinPart::FrameRightInactive), skin);
    DrawPart(dc, ToRect(layout.bottom), skin.Part(active_ ? SkinPart::FrameBottomActive : SkinPart::FrameBottomInactive), skin);

    if (layout.icon.width > 0) {
        if (HICON icon = TitleIcon(Window()))
            DrawIconEx(dc, layout.icon.x, layout.icon.y, icon, layout.icon.width, layout.icon.height, 0, nullptr, DI_NORMAL);
    }

    const std::wstring title = WindowText(Window());
    if (!title.empty() && layout.text.width > 0) {
        HFONT font = HostFont(Window());
        SelectedObject selected(dc, font ? font : skin.Font(SkinFontSlot::CaptionFont, false));
        SetTextColor(dc, SkinTextColour(Window(), active_ ? SkinColour::TitleTextActive : SkinColour::TitleTextInactive,
                                        skin));
        SetBkMode(dc, TRANSPARENT);
        RECT text = ToRect(layout.text);
        DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    for (size_t i = 0; i < layout.buttonCount; ++i) DrawButton(dc, layout.buttons[i], skin);
    if (bar_) bar_->Draw(dc, layout.menuBar);
}

void SkinnedFrame::DrawButton(HDC dc, const CaptionButtonPlace& place, const SkinData& skin) {
    const ButtonParts parts = PartsOf(place.button, StyleOf(Window()) & WS_MAXIMIZE);
    const RECT rect = ToRect(place.rect);
    if (!ButtonEnabled(place.button)) {
        // The normal look let through faintly over what lies beneath.
        const int width = place.rect.width, height = place.rect.height;
        OffscreenSurface faded(dc, width, height);
        if (!faded) return;
        BitBlt(faded.Dc(), 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
        DrawPart(faded.Dc(), RECT{0, 0, width, height}, skin.Part(parts.normal), skin);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, DisabledButtonAlpha, 0};
        AlphaBlend(dc, rect.left, rect.top, width, height, faded.Dc(), 0, 0, width, height, blend);
        return;
    }
    SkinPart part = parts.normal;
    if (pressed_ == place.button) {
        part = pressedInside_ ? parts.held : parts.over;
    } else if (!pressed_ && hot_ == place.button) {
        part = parts.over;
    }
    DrawPart(dc, rect, skin.Part(part), skin);
}

}  // namespace qivyun::skin
