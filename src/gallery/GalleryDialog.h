#pragma once
// The gallery's window: every standard control the skin engine draws, in its states, section by
// section (GallerySections.h), under the skin chosen on the command line. It moves its scroll-bar
// controls as their messages say and draws its owner-drawn button.
#include "framework/Dialog.h"
#include "gallery/GallerySection.h"
#include "gallery/SkinChoice.h"

#include <functional>
#include <map>
#include <string>

namespace qivyun::gallery {

class GalleryDialog : public DialogImpl<GalleryDialog>, public GalleryHost {
public:
    static const MessageMap<GalleryDialog> messages;
    // Posted when the skin file did not load, so that the box shows over the window in the built-in skin.
    static constexpr UINT SkinFailedMessage = WM_APP + 1;

    explicit GalleryDialog(SkinChoice skin);

    HWND Handle() const override { return Window::Handle(); }
    UINT NextControlId() override { return nextId_++; }
    void OnClick(UINT id, std::function<void(HWND)> action) override;

    // The load's result code (0 loaded); nothing was loaded for SkinChoice::Source::None.
    int SkinResult() const { return skinResult_; }

protected:
    bool OnInitDialog() override;
    // Enter in an edit box does not close the gallery.
    void OnOK() override {}

private:
    void LoadSkin();
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    // The skin file's failure, told in a message box.
    LRESULT OnSkinFailed(WPARAM wParam, LPARAM lParam);

    SkinChoice skin_;
    int skinResult_ = 0;
    std::string failure_;  // GBK
    UINT nextId_;
    std::map<UINT, std::function<void(HWND)>> clicks_;
};

}  // namespace qivyun::gallery
