#include "skin/kinds/OwnerDrawButtonSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/patching/Unpatched.h"

#include <algorithm>

namespace qivyun::skin {

OwnerDrawButtonSkinner::OwnerDrawButtonSkinner(const SkinnerContext& context) : KindSkinner(context) {
    paintRecord_.beginPaint = [this](HWND, PAINTSTRUCT* paint) { return BeginBuffered(paint); };
    paintRecord_.endPaint = [this](HWND, const PAINTSTRUCT* paint) { return EndBuffered(paint); };
}

OwnerDrawButtonSkinner::~OwnerDrawButtonSkinner() {
    // A paint still open when the window goes: give its DC back to the system.
    while (!buffers_.empty()) {
        PAINTSTRUCT paint = buffers_.back().paint;
        paint.hdc = buffers_.back().memory.Dc();
        buffers_.back().nested = 0;
        EndBuffered(&paint);
    }
}

void OwnerDrawButtonSkinner::OnAttach() {
    SetPaintRedirect(&paintRecord_);
    SetDcRedirect(&dcRecord_);
}

LRESULT OwnerDrawButtonSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        if (crack::Dc(wParam)) return CallPrevious(message, wParam, lParam);  // the caller's own DC
        // The paint begins here and the buffer goes to the procedure beneath as its DC, so the
        // button paints into it whether or not its own BeginPaint reaches the redirection; a
        // BeginPaint it makes all the same gets the same buffer.
        PAINTSTRUCT paint;
        HDC dc = BeginBuffered(&paint);
        if (!dc) return 0;
        LRESULT result = CallPrevious(message, DcParameter(dc), lParam);
        EndBuffered(&paint);
        return result;
    }
    default:
        if (std::optional<LRESULT> result = nonClient_.OnMessage(message, wParam, lParam)) return *result;
        return CallPrevious(message, wParam, lParam);
    }
}

HDC OwnerDrawButtonSkinner::BeginBuffered(PAINTSTRUCT* paint) {
    if (!buffers_.empty()) {
        // A paint inside the one open: the same buffer, the same paint rectangle.
        Buffer& open = buffers_.back();
        ++open.nested;
        *paint = open.paint;
        paint->hdc = open.memory.Dc();
        return paint->hdc;
    }
    HDC screen = unpatched::BeginPaint(window, paint);
    const SkinData* skin = LoadedSkin();
    if (!screen || !skin) return screen;
    RECT client;
    GetClientRect(window, &client);
    SurfacePool::Lease memory = skin->Surfaces().Borrow(screen, client.right, client.bottom);
    if (!memory) return screen;  // unbuffered: the paint goes to the screen as it would unskinned

    UniqueGdiObject<HBRUSH> key(CreateSolidBrush(KeyColour));
    FillRect(memory.Dc(), &client, key.Get());
    const HDC buffer = memory.Dc();
    buffers_.push_back(Buffer{*paint, screen, std::move(memory), 0});

    const SkinColour text = IsWindowEnabled(window) ? SkinColour::StaticText : SkinColour::StaticTextDisabled;
    Engine().RecolourBlackText(buffer, skin->Colour(text));
    Engine().RememberDcOwner(buffer, window);
    paint->hdc = buffer;
    return buffer;
}

BOOL OwnerDrawButtonSkinner::EndBuffered(const PAINTSTRUCT* paint) {
    auto found = std::find_if(buffers_.begin(), buffers_.end(),
                              [paint](const Buffer& buffer) { return buffer.memory.Dc() == paint->hdc; });
    if (found == buffers_.end()) return unpatched::EndPaint(window, paint);
    if (found->nested > 0) {
        --found->nested;
        return TRUE;
    }
    Buffer buffer = std::move(*found);
    buffers_.erase(found);
    Engine().RecolourBlackText(nullptr, 0);
    Engine().ForgetDcOwner(buffer.memory.Dc());

    // The owner's picture keyed onto the skin's background, copied to the screen once.
    const RECT& area = buffer.paint.rcPaint;
    const int width = area.right - area.left, height = area.bottom - area.top;
    const SkinData* skin = LoadedSkin();
    SurfacePool::Lease composed = skin ? skin->Surfaces().Borrow(buffer.screen, width, height) : SurfacePool::Lease();
    if (skin && composed) {
        SetWindowOrgEx(composed.Dc(), area.left, area.top, nullptr);
        FillSkinBackground(window, composed.Dc(), area, *skin);
        TransparentBlt(composed.Dc(), area.left, area.top, width, height, buffer.memory.Dc(), area.left, area.top,
                       width, height, KeyColour);
        SetWindowOrgEx(composed.Dc(), 0, 0, nullptr);
        composed.CopyTo(buffer.screen, area.left, area.top);
    }
    buffer.memory = SurfacePool::Lease();
    PAINTSTRUCT system = buffer.paint;
    system.hdc = buffer.screen;
    return unpatched::EndPaint(window, &system);
}

}  // namespace qivyun::skin
