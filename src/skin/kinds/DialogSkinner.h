#pragma once
// The dialog and framed-window kind: the client area on the skin's background (or the host's
// "ZOR_H" colour), the static texts, check boxes and radio buttons on it in the skin's colours
// with a transparent background, edit boxes and lists in their own colours, the host's "ZOR_G",
// "ZOR_H" and "ZOR_I" over all of these; and around a captioned window the skin's frame, which
// also shapes the window, so that SetWindowRgn leaves it alone. Captionless dialogs keep their own
// dragging and painting.
#include "framework/Handles.h"
#include "skin/engine/KindSkinner.h"
#include "skin/kinds/SkinnedFrame.h"

#include <memory>
#include <utility>
#include <vector>

namespace qivyun::skin {

class DialogSkinner : public KindSkinner {
public:
    explicit DialogSkinner(const SkinnerContext& context);
    ~DialogSkinner() override;

    void OnAttach() override;
    void OnSkinLoaded() override;
    bool IsFramedWindow() const override { return frame_ != nullptr; }
    void ForgetFrame() override;
    bool ShapesWindow() const override { return frame_ != nullptr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);
    HBRUSH BackgroundBrush();
    HBRUSH SolidBrush(COLORREF colour);
    void FollowCaption();

    std::unique_ptr<SkinnedFrame> frame_;
    bool dialogClass_ = false;
    std::vector<std::pair<COLORREF, UniqueGdiObject<HBRUSH>>> brushes_;
};

}  // namespace qivyun::skin
