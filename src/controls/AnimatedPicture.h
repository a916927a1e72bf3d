#pragma once
// A static control that shows a picture from the program's resources. A GIF of two or more
// frames is cut into one-frame GIFs that the system's picture loader decodes once each; a thread
// of the control's own plays them into an off-screen surface, honouring each frame's place,
// delay and disposal. Any other picture is decoded whole and drawn once. The control takes the
// picture's size; its paint only copies the surface.
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "framework/OffscreenSurface.h"
#include "framework/SubclassedWindow.h"

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <vector>

namespace qivyun {

class AnimatedPicture : public SubclassedWindow {
public:
    AnimatedPicture();
    ~AnimatedPicture() override;

    // Copies the resource into a global block and loads it; false leaves the control empty.
    bool LoadPictureResource(int resourceId, const char* resourceType);
    bool LoadPictureData(HGLOBAL block, DWORD size);
    // Animated GIF: starts the thread and answers false. Other pictures: draws them once and
    // answers whether that succeeded.
    bool StartPicture();
    // Ends the thread at once, even during a frame's delay; harmless when none runs.
    void StopAnimation();
    void UnloadPicture();
    // Makes the background brush (used where frames clear themselves) of the pixels of dc under
    // this control, dc holding what the parent shows.
    bool TakeBackground(HDC dc);

    int PictureWidth() const { return width; }
    int PictureHeight() const { return height; }
    size_t FrameCount() const { return frames.size(); }
    bool HasBackground() const { return backgroundBrush.Get() != nullptr; }
    bool AnimationRunning() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct PictureFrame {
        ComPtr<IPicture> picture;
        int width, height, left, top;
        int delay;     // hundredths of a second; -1 without a control extension
        int disposal;  // 0 to 7
    };

    // Holds the surface for one drawing step, against the thread or the paint.
    class SurfaceLock {
    public:
        explicit SurfaceLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
        ~SurfaceLock() { ReleaseSRWLockExclusive(&lock_); }

    private:
        SRWLOCK& lock_;
    };

    static unsigned __stdcall ThreadMain(void* self);
    void Animate();
    void ApplyDisposal(const PictureFrame& frame);
    bool LoadGif(HGLOBAL block, const uint8_t* data, DWORD size);
    bool SetUpSurface();
    HRESULT Render(IPicture* source, int x, int y, int cx, int cy);
    void OnPaint();

    int width = 0, height = 0;
    UniqueGdiObject<HBRUSH> backgroundBrush;
    int currentFrame = 0;
    bool isGif = false;
    std::atomic<bool> playing{false};
    std::atomic<bool> exitRequested{false};
    bool ready = false;
    OffscreenSurface surface;
    OffscreenSurface saveArea;
    UniqueHandle thread;
    UniqueHandle stopEvent;
    ComPtr<IPicture> picture;
    std::vector<PictureFrame> frames;
    SRWLOCK surfaceLock = SRWLOCK_INIT;
};

}  // namespace qivyun
