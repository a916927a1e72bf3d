#pragma once
// The owner-drawn button behind every graphic button of the main window: a PNG from the
// program's resources over a copy of what the parent shows behind the button. Its three looks
// (normal, hover, pressed) are composed once, on the first colour request after the picture is
// loaded; every paint afterwards is one block copy.
#include "controls/ButtonImage.h"
#include "framework/OffscreenSurface.h"
#include "framework/SubclassedWindow.h"

#include <memory>
#include <string>

namespace qivyun {

class ImageButton : public SubclassedWindow {
public:
    ImageButton() = default;
    ~ImageButton() override;

    // Makes the button owner-drawn as it is attached.
    void Attach(HWND hwnd) override;
    // The picture of this numeric id and type from the program's module; false leaves the button
    // without a picture, painting nothing over its parent.
    bool LoadButtonImage(int resourceId, const char* resourceType);
    // A text (GBK) shown as a tooltip while the pointer rests on the button; empty: no tooltip.
    void SetTooltipText(std::string text) { tooltipText = std::move(text); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void ComposeLooks(HDC colourDc);
    void CaptureBackground(int width, int height);
    void OnMouseMove();
    void OnMouseHover();
    void OnMouseLeave();
    void ShowTooltip();
    void DestroyTooltip();

    bool hovering = false;
    bool tracking = false;
    bool prepared = false;
    std::unique_ptr<ButtonImage> image;
    std::string tooltipText;
    HWND tooltip = nullptr;
    OffscreenSurface background;
    OffscreenSurface normalLook;
    OffscreenSurface pressedLook;
    OffscreenSurface hoverLook;
    const OffscreenSurface* current = nullptr;
};

}  // namespace qivyun
