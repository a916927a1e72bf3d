#include "controls/AnimatedPicture.h"

#include "common/CodePage.h"
#include "controls/GifBlockWalk.h"
#include "framework/DeviceContext.h"

#include <process.h>

#include <cstring>

namespace qivyun {
namespace {

constexpr DWORD StopWaitMs = 5000;
constexpr int ShortestDelay = 5;      // hundredths; shorter delays (and none) play at ...
constexpr DWORD ShortDelayMs = 100;   // ... one frame per 100 ms

// Decodes a picture from a stream over the block; with deleteOnRelease the block goes with it.
ComPtr<IPicture> DecodePicture(HGLOBAL block, DWORD size, bool deleteOnRelease) {
    ComPtr<IStream> stream;
    ComPtr<IPicture> decoded;
    if (FAILED(CreateStreamOnHGlobal(block, deleteOnRelease, stream.Receive()))) {
        if (deleteOnRelease) GlobalFree(block);
        return decoded;
    }
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(decoded.Receive()))))
        decoded.Reset();
    return decoded;
}

}  // namespace

AnimatedPicture::AnimatedPicture() : stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

AnimatedPicture::~AnimatedPicture() { UnloadPicture(); }

bool AnimatedPicture::LoadPictureResource(int resourceId, const char* resourceType) {
    HINSTANCE module = ModuleInstance();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), WideFromGbk(resourceType).c_str());
    DWORD size = resource ? SizeofResource(module, resource) : 0;
    HGLOBAL loaded = size ? LoadResource(module, resource) : nullptr;
    const void* source = loaded ? LockResource(loaded) : nullptr;
    if (!source) return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size);
    void* copy = block ? GlobalLock(block) : nullptr;
    if (!copy) {
        if (block) GlobalFree(block);
        return false;
    }
    std::memcpy(copy, source, size);
    GlobalUnlock(block);
    bool loadedPicture = LoadPictureData(block, size);
    GlobalFree(block);
    return loadedPicture;
}

bool AnimatedPicture::LoadPictureData(HGLOBAL block, DWORD size) {
    UnloadPicture();
    const auto* data = static_cast<const uint8_t*>(GlobalLock(block));
    if (!data) return false;
    if (GifBlockWalk::HasSignature(data, size)) {
        isGif = true;
        return LoadGif(block, data, size);
    }
    GlobalUnlock(block);
    picture = DecodePicture(block, size, false);
    if (!picture) return false;
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    {
        ClientDc dc(hwnd_);
        width = MulDiv(himetricWidth, GetDeviceCaps(dc.Get(), LOGPIXELSX), 2540);
        height = MulDiv(himetricHeight, GetDeviceCaps(dc.Get(), LOGPIXELSY), 2540);
    }
    return SetUpSurface();
}

// The block is locked on entry (data is its address) and unlocked here.
bool AnimatedPicture::LoadGif(HGLOBAL block, const uint8_t* data, DWORD size) {
    GifBlockWalk walk(data, size);
    width = walk.Width();
    height = walk.Height();
    int count = walk.CountFrames();
    if (count == 0) {
        GlobalUnlock(block);
        return false;
    }
    if (count == 1) {
        GlobalUnlock(block);
        picture = DecodePicture(block, size, false);
        return picture && SetUpSurface();
    }
    while (auto frame = walk.ExtractFrame()) {
        HGLOBAL frameBlock = GlobalAlloc(GMEM_MOVEABLE, frame->gif.size());
        void* bytes = frameBlock ? GlobalLock(frameBlock) : nullptr;
        if (!bytes) {
            if (frameBlock) GlobalFree(frameBlock);
            continue;
        }
        std::memcpy(bytes, frame->gif.data(), frame->gif.size());
        GlobalUnlock(frameBlock);
        ComPtr<IPicture> decoded = DecodePicture(frameBlock, static_cast<DWORD>(frame->gif.size()), true);
        if (!decoded) continue;  // a frame that does not decode is left out
        frames.push_back({std::move(decoded), frame->width, frame->height, frame->left, frame->top, frame->delay,
                          frame->disposal});
    }
    GlobalUnlock(block);
    return !frames.empty() && SetUpSurface();
}

bool AnimatedPicture::SetUpSurface() {
    if (!hwnd_ || width <= 0 || height <= 0) return false;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    ClientDc dc(hwnd_);
    if (!dc || !surface.Create(dc.Get(), width, height)) return false;
    RECT whole{0, 0, width, height};
    FillRect(surface.Dc(), &whole, reinterpret_cast<HBRUSH>(COLOR_MENU + 1));
    ready = true;
    return true;
}

HRESULT AnimatedPicture::Render(IPicture* source, int x, int y, int cx, int cy) {
    OLE_XSIZE_HIMETRIC sourceWidth = 0;
    OLE_YSIZE_HIMETRIC sourceHeight = 0;
    source->get_Width(&sourceWidth);
    source->get_Height(&sourceHeight);
    SurfaceLock lock(surfaceLock);
    return source->Render(surface.Dc(), x, y, cx, cy, 0, sourceHeight, sourceWidth, -sourceHeight, nullptr);
}

bool AnimatedPicture::StartPicture() {
    if (!ready) return false;
    if (isGif && frames.size() > 1) {
        StopAnimation();
        auto handle = _beginthreadex(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, nullptr);
        if (handle) {
            thread.Reset(reinterpret_cast<HANDLE>(handle));
            SetThreadPriority(thread.Get(), THREAD_PRIORITY_LOWEST);
            ResumeThread(thread.Get());
        }
        return false;
    }
    if (!picture || FAILED(Render(picture.Get(), 0, 0, width, height))) return false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

unsigned __stdcall AnimatedPicture::ThreadMain(void* self) {
    static_cast<AnimatedPicture*>(self)->Animate();
    return 0;
}

void AnimatedPicture::Animate() {
    const HWND window = hwnd_;
    playing = true;
    ApplyDisposal(frames[size_t(currentFrame)]);
    while (!exitRequested) {
        const PictureFrame& frame = frames[size_t(currentFrame)];
        if (frame.picture) {
            {
                SurfaceLock lock(surfaceLock);
                if (frame.disposal == 3 && saveArea.Create(surface.Dc(), frame.width, frame.height))
                    BitBlt(saveArea.Dc(), 0, 0, frame.width, frame.height, surface.Dc(), frame.left, frame.top, SRCCOPY);
            }
            if (SUCCEEDED(Render(frame.picture.Get(), frame.left, frame.top, frame.width, frame.height)))
                InvalidateRect(window, nullptr, FALSE);
            if (exitRequested) break;
            WaitForSingleObject(stopEvent.Get(), frame.delay >= ShortestDelay ? DWORD(frame.delay) * 10 : ShortDelayMs);
            if (exitRequested) break;
            ApplyDisposal(frame);
        }
        if (size_t(++currentFrame) >= frames.size()) {
            currentFrame = 0;
            SurfaceLock lock(surfaceLock);
            RECT whole{0, 0, width, height};
            if (backgroundBrush) FillRect(surface.Dc(), &whole, backgroundBrush.Get());
        }
    }
    playing = false;
}

void AnimatedPicture::ApplyDisposal(const PictureFrame& frame) {
    SurfaceLock lock(surfaceLock);
    if (frame.disposal == 2 && backgroundBrush) {
        RECT area{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
        FillRect(surface.Dc(), &area, backgroundBrush.Get());
    } else if (frame.disposal == 3 && saveArea) {
        BitBlt(surface.Dc(), frame.left, frame.top, frame.width, frame.height, saveArea.Dc(), 0, 0, SRCCOPY);
        saveArea.Reset();
    }
}

void AnimatedPicture::StopAnimation() {
    playing = false;
    exitRequested = true;
    SetEvent(stopEvent.Get());
    if (thread) {
        WaitForSingleObject(thread.Get(), StopWaitMs);
        thread.Reset();
    }
    ResetEvent(stopEvent.Get());
    exitRequested = false;
}

bool AnimatedPicture::AnimationRunning() const {
    return thread && WaitForSingleObject(thread.Get(), 0) == WAIT_TIMEOUT;
}

void AnimatedPicture::UnloadPicture() {
    StopAnimation();
    picture.Reset();
    frames.clear();
    {
        SurfaceLock lock(surfaceLock);
        saveArea.Reset();
        surface.Reset();
    }
    ready = false;
    isGif = false;
    backgroundBrush.Reset();
    currentFrame = 0;
    width = height = 0;
}

bool AnimatedPicture::TakeBackground(HDC dc) {
    HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
    if (!ready || !parent || !dc) return false;
    RECT place = WindowRect();
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    if (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) std::swap(place.left, place.right);
    int placeWidth = place.right - place.left, placeHeight = place.bottom - place.top;
    if (placeWidth < 0) placeWidth = -placeWidth;
    OffscreenSurface copy;
    if (!copy.Create(dc, placeWidth, placeHeight)) return false;
    BitBlt(copy.Dc(), 0, 0, placeWidth, placeHeight, dc, place.left, place.top, SRCCOPY);
    // The pattern brush keeps its own copy of the pixels; take the bitmap out of the context first.
    HBITMAP pixels = static_cast<HBITMAP>(GetCurrentObject(copy.Dc(), OBJ_BITMAP));
    backgroundBrush.Reset(CreatePatternBrush(pixels));
    if (!backgroundBrush) return false;
    SurfaceLock lock(surfaceLock);
    RECT whole{0, 0, width, height};
    FillRect(surface.Dc(), &whole, backgroundBrush.Get());
    return true;
}

LRESULT AnimatedPicture::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        StopAnimation();
        break;
    case WM_PAINT:
        if (!ready) break;  // nothing loaded: the static paints itself
        OnPaint();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

void AnimatedPicture::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    {
        SurfaceLock lock(surfaceLock);
        BitBlt(dc, 0, 0, width, height, surface.Dc(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace qivyun
