#include "controls/ImageButton.h"

#include "common/CodePage.h"
#include "framework/DeviceContext.h"
#include "framework/Window.h"

#include <commctrl.h>

#include <functional>
#include <utility>

namespace qivyun {
namespace {

using namespace Gdiplus::DllExports;

// The hover look: red doubled, green and blue raised by 5 % and lifted by 0.05.
const Gdiplus::ColorMatrix HoverMatrix = {{
    {2.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.0f, 1.05f, 0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 1.05f, 0.0f, 0.0f},
    {0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
    {0.0f, 0.05f, 0.05f, 0.0f, 1.0f},
}};

constexpr DWORD HoverTimeMs = 1;  // the hover look shows on the first movement over the button
constexpr UINT TooltipDelayMs = 2000;

}  // namespace

ImageButton::~ImageButton() { DestroyTooltip(); }

void ImageButton::Attach(HWND hwnd) {
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | BS_OWNERDRAW);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SubclassedWindow::Attach(hwnd);
}

bool ImageButton::LoadButtonImage(int resourceId, const char* resourceType) {
    image = ButtonImage::FromResource(ModuleInstance(), resourceId, resourceType);
    return image != nullptr;
}

LRESULT ImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= ReflectedMessage(WM_CTLCOLORMSGBOX) && message <= ReflectedMessage(WM_CTLCOLORSTATIC)) {
        ComposeLooks(reinterpret_cast<HDC>(wParam));
        return 0;  // no brush: the parent's colour handling goes on unchanged
    }
    if (tooltip && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&relayed.pt);
        SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case ReflectedMessage(WM_DRAWITEM):
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        return TRUE;  // every paint covers the whole button
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button would report a double click; a fast second click counts as a click.
        return DefaultProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_MOUSEHOVER:
        OnMouseHover();
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_DESTROY:
        DestroyTooltip();
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

void ImageButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemState & ODS_SELECTED)
        current = &pressedLook;
    else
        current = hovering ? &hoverLook : &normalLook;
    if (!*current) return;
    RECT client = ClientRect();
    BitBlt(item.hDC, 0, 0, client.right - client.left, client.bottom - client.top, current->Dc(), 0, 0, SRCCOPY);
}

void ImageButton::ComposeLooks(HDC colourDc) {
    if (prepared || !image) return;
    RECT client = ClientRect();
    int width = client.right - client.left, height = client.bottom - client.top;
    OffscreenSurface work;
    if (width <= 0 || height <= 0 || !work.Create(colourDc, width, height)) return;
    SetWindowOrgEx(work.Dc(), client.left, client.top, nullptr);
    Gdiplus::GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(work.Dc(), &graphics) != Gdiplus::Ok) return;

    if (!background) CaptureBackground(width, height);
    if (!normalLook) {
        auto compose = [&](OffscreenSurface& look, const std::function<void()>& drawPicture) {
            BitBlt(work.Dc(), 0, 0, width, height, background.Dc(), 0, 0, SRCCOPY);
            drawPicture();
            GdipFlush(graphics, Gdiplus::FlushIntentionSync);
            if (look.Create(work.Dc(), width, height)) BitBlt(look.Dc(), 0, 0, width, height, work.Dc(), 0, 0, SRCCOPY);
        };
        Gdiplus::GpBitmap* picture = image->Bitmap();
        compose(normalLook, [&] { GdipDrawImageI(graphics, picture, 0, 0); });
        compose(pressedLook, [&] { GdipDrawImageI(graphics, picture, 1, 1); });
        compose(hoverLook, [&] {
            Gdiplus::GpImageAttributes* attributes = nullptr;
            if (GdipCreateImageAttributes(&attributes) != Gdiplus::Ok) return;
            GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &HoverMatrix, nullptr,
                                              Gdiplus::ColorMatrixFlagsDefault);
            auto w = static_cast<Gdiplus::REAL>(image->Width()), h = static_cast<Gdiplus::REAL>(image->Height());
            GdipDrawImageRectRect(graphics, picture, 0, 0, w, h, 0, 0, w, h, Gdiplus::UnitPixel, attributes, nullptr, nullptr);
            GdipDisposeImageAttributes(attributes);
        });
    }
    if (!current) current = &normalLook;
    prepared = true;
    GdipDeleteGraphics(graphics);
}

// What the parent shows behind the button now; taken once and never refreshed.
void ImageButton::CaptureBackground(int width, int height) {
    HWND parent = GetParent(hwnd_);
    ClientDc parentDc(parent);
    if (!parentDc) return;
    RECT place = WindowRect();
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    if (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) std::swap(place.left, place.right);
    if (background.Create(parentDc.Get(), width, height))
        BitBlt(background.Dc(), 0, 0, width, height, parentDc.Get(), place.left, place.top, SRCCOPY);
}

void ImageButton::OnMouseMove() {
    if (tracking) return;
    TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, hwnd_, HoverTimeMs};
    tracking = _TrackMouseEvent(&request) != FALSE;
}

void ImageButton::OnMouseHover() {
    hovering = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    ShowTooltip();
}

void ImageButton::OnMouseLeave() {
    tracking = false;
    hovering = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ImageButton::ShowTooltip() {
    DestroyTooltip();
    if (tooltipText.empty()) return;
    tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ModuleInstance(), nullptr);
    if (!tooltip) return;
    std::wstring text = WideFromGbk(tooltipText);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    tool.uId = 1;
    tool.rect = ClientRect();
    tool.lpszText = text.data();
    if (SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) == 0) SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, TooltipDelayMs);
    SendMessageW(tooltip, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tooltip, TTM_UPDATE, 0, 0);
}

void ImageButton::DestroyTooltip() {
    if (tooltip && IsWindow(tooltip)) DestroyWindow(tooltip);
    tooltip = nullptr;
}

}  // namespace qivyun
