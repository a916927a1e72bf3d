#include "skin/kinds/ButtonSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "framework/OffscreenSurface.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"
#include "skin/patching/Unpatched.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

static_assert(buttonstyle::OwnerDraw == BS_OWNERDRAW && buttonstyle::TypeMask == BS_TYPEMASK);
static_assert(buttonstyle::RightButton == BS_RIGHTBUTTON && buttonstyle::Icon == BS_ICON &&
              buttonstyle::Bitmap == BS_BITMAP);
static_assert(buttonstyle::Left == BS_LEFT && buttonstyle::Right == BS_RIGHT && buttonstyle::Centre == BS_CENTER);
static_assert(buttonstyle::Top == BS_TOP && buttonstyle::Bottom == BS_BOTTOM && buttonstyle::VerticalMask == BS_VCENTER);
static_assert(buttonstyle::PushLike == BS_PUSHLIKE && buttonstyle::Multiline == BS_MULTILINE);

constexpr DWORD HoverTimeMs = 1;  // the hover look shows on the first movement over the button

UINT HorizontalFormat(Place place) {
    switch (place) {
    case Place::Start:
        return DT_LEFT;
    case Place::End:
        return DT_RIGHT;
    case Place::Centre:
        break;
    }
    return DT_CENTER;
}

}  // namespace

void ButtonSkinner::OnAttach() {
    SetDcRedirect(&dcRecord_);
    focused_ = GetFocus() == window;
}

ButtonSkinner::~ButtonSkinner() { *alive_ = false; }

// A repaint asked for while a message is handled, also while the procedure beneath sends the
// button messages of its own (a press sets the focus and the pushed state, a release the check),
// is made once, when the outermost message is done; that paint covers the whole button, so what
// the system invalidated meanwhile needs no WM_PAINT after it.
LRESULT ButtonSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STYLECHANGED) {
        LRESULT result = CallPrevious(message, wParam, lParam);
        const STYLESTRUCT* change = crack::StyleChange(wParam, lParam);
        if (change && (change->styleNew & BS_TYPEMASK) == static_cast<DWORD>(BS_OWNERDRAW))
            HandOverToOwnerDraw();  // this skinner is gone now
        return result;
    }
    const std::shared_ptr<bool> alive = alive_;  // a handler of the parent's may destroy the button
    ++handling_;
    const LRESULT result = Handle(message, wParam, lParam);
    if (!*alive) return result;
    if (--handling_ == 0 && redrawWanted_) RedrawNow();
    return result;
}

LRESULT ButtonSkinner::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintBetweenBeginAndEnd(window, [this](HDC dc) { Paint(dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCPAINT:
        if (const SkinData* skin = LoadedSkin()) PaintNonClientBorder(window, ClientRectInWindow(window), *skin);
        return 0;
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, window, HoverTimeMs};
        TrackMouseEvent(&request);
        return CallPrevious(message, wParam, lParam);
    }
    case WM_MOUSEHOVER:
        if (mouseState != 1 && mouseState != 2) SetMouseState(1);
        return CallPrevious(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetMouseState(2);
        return CallPrevious(message, wParam, lParam);
    case WM_LBUTTONUP:
        SetMouseState(1);
        return CallPrevious(message, wParam, lParam);
    case WM_MOUSELEAVE:
        SetMouseState(0);
        return CallPrevious(message, wParam, lParam);
    case WM_KILLFOCUS:
        focused_ = false;
        return CallPrevious(message, wParam, lParam);
    case WM_SETFOCUS:
        focused_ = true;
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETIMAGE:
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void ButtonSkinner::SetMouseState(int state) {
    if (mouseState == state) return;
    mouseState = state;
    Redraw();
}

void ButtonSkinner::Redraw() {
    redrawWanted_ = true;
    if (handling_ == 0) RedrawNow();
}

void ButtonSkinner::RedrawNow() {
    redrawWanted_ = false;
    if (!LoadedSkin()) return;
    ClientDc dc(window, unpatched::DcCalls());
    if (!dc) return;
    Paint(dc.Get());
    ValidateRect(window, nullptr);
}

void ButtonSkinner::HandOverToOwnerDraw() {
    HWND target = window;
    SkinnerServices& engine = Engine();
    delete this;
    engine.CreateSkinner(target, skintype::OwnerDrawButton);
    InvalidateRect(target, nullptr, TRUE);
}

void ButtonSkinner::Paint(HDC dc) {
    const SkinData* skin = LoadedSkin();
    if (!skin) return;
    RECT client;
    GetClientRect(window, &client);
    SurfacePool::Lease buffer = skin->Surfaces().Borrow(dc, client.right, client.bottom);
    if (!buffer) return;
    PaintBackground(buffer.Dc(), client, *skin);
    {
        SelectedObject font(buffer.Dc(), SkinnerFont(window, FontSlot(), *skin));
        SetBkMode(buffer.Dc(), TRANSPARENT);
        PaintContent(buffer.Dc(), client, static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_STYLE)), *skin);
    }
    buffer.CopyTo(dc, 0, 0);
}

void ButtonSkinner::PaintBackground(HDC dc, const RECT& client, const SkinData& skin) {
    FillSkinBackground(window, dc, client, skin);
}

void ButtonSkinner::PaintImage(HDC dc, const RECT& rect, bool icon) {
    HANDLE image = ButtonImage(window, icon);
    if (!image) return;
    const SIZE size = ImageSize(image, icon);
    const int width = size.cx, height = size.cy;
    if (width == 0 && height == 0) return;
    const int x = rect.left + (rect.right - rect.left - width) / 2;
    const int y = rect.top + (rect.bottom - rect.top - height) / 2;
    const UINT state = IsWindowEnabled(window) ? DSS_NORMAL : DSS_DISABLED;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, width, height,
               (icon ? DST_ICON : DST_BITMAP) | state);
}

void ButtonSkinner::PaintText(HDC dc, RECT rect, const TextPlacement& placement, COLORREF colour,
                              const RECT* wider) {
    const std::wstring text = WindowText(window);
    if (text.empty()) return;
    const int length = static_cast<int>(text.size());
    SetTextColor(dc, colour);
    const UINT horizontal = HorizontalFormat(placement.horizontal);
    if (placement.multiline) {
        // Measured first, so that the block of lines can sit at the top, the bottom or the middle.
        const RECT measured = measured_.Measure(dc, text, horizontal | DT_WORDBREAK, rect);
        const int height = std::min<int>(measured.bottom - measured.top, rect.bottom - rect.top);
        if (placement.vertical == Place::End) rect.top = rect.bottom - height;
        if (placement.vertical == Place::Centre) rect.top += (rect.bottom - rect.top - height) / 2;
        rect.bottom = rect.top + height;
        // Only whole lines: a last line that does not fit is left out rather than cut.
        DrawTextW(dc, text.c_str(), length, &rect, horizontal | DT_WORDBREAK | DT_EDITCONTROL);
        return;
    }
    if (wider) {
        const RECT measured = measured_.Measure(dc, text, DT_SINGLELINE, RECT{});
        if (measured.right > rect.right - rect.left) {
            rect.left = wider->left;
            rect.right = wider->right;
        }
    }
    const UINT vertical = placement.vertical == Place::Start ? DT_TOP
                          : placement.vertical == Place::End ? DT_BOTTOM
                                                             : DT_VCENTER;
    // A text longer than its room ends in an ellipsis, never in half a character.
    DrawTextW(dc, text.c_str(), length, &rect, horizontal | vertical | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace qivyun::skin
