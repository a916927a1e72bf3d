#pragma once
// The skin's frame around a captioned window: the non-client area sized by the skin, the title bar
// with icon, title and the caption buttons the styles ask for (with pointer-over and held looks),
// the frame edges, the hit test, dragging (unless the host made the caption inert with "ZOR_J"),
// the active and inactive looks, the window's region cut to the skin's rounded corners, and the
// menu bar below the title bar of a window with a menu.
#include "skin/container/SkinData.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/FrameLayout.h"
#include "skin/kinds/SkinnedMenuBar.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace qivyun::skin {

class SkinnedFrame {
public:
    // The frame of the owner's window, drawn from the skin while it is loaded.
    SkinnedFrame(WindowSkinner& owner, const SkinData& skin) : owner_(owner), skin_(skin) {}
    SkinnedFrame(const SkinnedFrame&) = delete;
    SkinnedFrame& operator=(const SkinnedFrame&) = delete;

    // A window gets the skin's frame while it has a caption (both bits).
    static bool Wanted(HWND window);
    // The icon a window's title bar shows, or none.
    static HICON TitleIcon(HWND window);

    // Takes over the non-client area of the window as it is now.
    void Attach();
    // Gives the non-client area and the region back to the system (the window lost its caption).
    void Detach();
    // The layout is computed again, and the region made again, at the next frame change.
    void Forget();

    // The frame's answer to a message, or nothing when the window's own procedure is to have it.
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Where the pixels of the frame are, for a window of its current size.
    const FrameLayout& Layout();

private:
    HWND Window() const { return owner_.window; }
    const SkinData* LoadedSkin() const { return skin_.Loaded() ? &skin_ : nullptr; }
    bool Inert() const;
    // The bar is made while the window has a menu and goes with it.
    void FollowMenu();
    int MenuBarHeight(int windowWidth) const;
    void Paint();
    void Compose(HDC dc, const FrameLayout& layout, const SkinData& skin);
    void DrawButton(HDC dc, const CaptionButtonPlace& place, const SkinData& skin);
    bool ButtonEnabled(CaptionButton button) const;
    void Reshape();
    LRESULT CalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(LPARAM lParam);
    std::optional<CaptionButton> ButtonAt(POINT screen);
    void SetHot(std::optional<CaptionButton> button);
    void Press(CaptionButton button);
    void TrackPress(POINT client, bool released);
    void EndPress();

    WindowSkinner& owner_;
    const SkinData& skin_;
    FrameLayout layout_;
    bool layoutValid_ = false;
    DWORD layoutStyle_ = 0;
    SIZE shapedSize_{-1, -1};
    bool active_ = true;
    std::optional<CaptionButton> hot_;
    std::optional<CaptionButton> pressed_;
    bool pressedInside_ = false;
    bool leaveTracked_ = false;
    std::unique_ptr<SkinnedMenuBar> bar_;
};

}  // namespace qivyun::skin
