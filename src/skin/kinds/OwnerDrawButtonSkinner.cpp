#include "skin/kinds/OwnerDrawButtonSkinner.h"

#include "skin/engine/Redirections.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/patching/Unpatched.h"

#include <algorithm>

namespace qivyun::skin {

OwnerDrawButtonSkinner::OwnerDrawButtonSkinner() {
    paintRecord_.beginPaint = [this](HWND, PAINTSTRUCT* paint) { return BeginBuffered(paint); };
    paintRecord_.endPaint = [this](HWND, const PAINTSTRUCT* paint) { return EndBuffered(paint); };
}

OwnerDrawButtonSkinner::~OwnerDrawButtonSkinner() {
    // A paint still open when the window goes: give its DC back to the system.
    while (!buffers_.empty()) {
        PAINTSTRUCT paint = buffers_.back().paint;
        paint.hdc = buffers_.back().memory;
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
        if (wParam) return CallPrevious(message, wParam, lParam);  // the caller's own DC
        // The paint begins here and the buffer goes to the procedure beneath as its DC, so the
        // button paints into it whether or not its own BeginPaint reaches the redirection; a
        // BeginPaint it makes all the same gets the same buffer.
        PAINTSTRUCT paint;
        HDC dc = BeginBuffered(&paint);
        if (!dc) return 0;
        LRESULT result = CallPrevious(message, reinterpret_cast<WPARAM>(dc), lParam);
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
        paint->hdc = open.memory;
        return open.memory;
    }
    HDC screen = unpatched::BeginPaint(window, paint);
    const SkinData* skin = SkinEngine::LoadedSkin();
    if (!screen || !skin) return screen;
    RECT client;
    GetClientRect(window, &client);
    UniqueGdiObject<HBITMAP> bitmap(
        client.right > 0 && client.bottom > 0 ? CreateCompatibleBitmap(screen, client.right, client.bottom) : nullptr);
    HDC memory = bitmap ? CreateCompatibleDC(screen) : nullptr;
    if (!memory) return screen;  // unbuffered: the paint goes to the screen as it would unskinned

    Buffer buffer{*paint, screen, std::move(bitmap), memory, nullptr, 0};
    buffer.firstBitmap = SelectObject(memory, buffer.bitmap.Get());
    UniqueGdiObject<HBRUSH> key(CreateSolidBrush(KeyColour));
    FillRect(memory, &client, key.Get());
    buffers_.push_back(std::move(buffer));

    const SkinColour text = IsWindowEnabled(window) ? SkinColour::StaticText : SkinColour::StaticTextDisabled;
    RecolourBlackText(memory, skin->Colour(text));
    if (SkinEngine* engine = SkinEngine::Current()) engine->RememberDcOwner(memory, window);
    paint->hdc = memory;
    return memory;
}

BOOL OwnerDrawButtonSkinner::EndBuffered(const PAINTSTRUCT* paint) {
    auto found = std::find_if(buffers_.begin(), buffers_.end(),
                              [paint](const Buffer& buffer) { return buffer.memory == paint->hdc; });
    if (found == buffers_.end()) return unpatched::EndPaint(window, paint);
    if (found->nested > 0) {
        --found->nested;
        return TRUE;
    }
    Buffer buffer = std::move(*found);
    buffers_.erase(found);
    RecolourBlackText(nullptr, 0);
    if (SkinEngine* engine = SkinEngine::Current()) engine->ForgetDcOwner(buffer.memory);

    // The owner's picture keyed onto the skin's background, copied to the screen once.
    const RECT& area = buffer.paint.rcPaint;
    const int width = area.right - area.left, height = area.bottom - area.top;
    const SkinData* skin = SkinEngine::LoadedSkin();
    OffScreenBuffer composed(buffer.screen, width, height);
    if (skin && composed) {
        SetWindowOrgEx(composed.Dc(), area.left, area.top, nullptr);
        FillSkinBackground(window, composed.Dc(), area, *skin);
        TransparentBlt(composed.Dc(), area.left, area.top, width, height, buffer.memory, area.left, area.top, width,
                       height, KeyColour);
        SetWindowOrgEx(composed.Dc(), 0, 0, nullptr);
        composed.CopyTo(buffer.screen, area.left, area.top);
    }
    SelectObject(buffer.memory, buffer.firstBitmap);
    DeleteDC(buffer.memory);
    PAINTSTRUCT system = buffer.paint;
    system.hdc = buffer.screen;
    return unpatched::EndPaint(window, &system);
}

}  // namespace qivyun::skin
