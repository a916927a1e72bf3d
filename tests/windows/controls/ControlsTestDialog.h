#pragma once
// A small dialog on a plain background of a known colour, with image buttons and an animated
// picture, for the controls tests.
#include "ControlsTestIds.h"
#include "controls/AnimatedPicture.h"
#include "controls/ImageButton.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"

namespace qivyun::test {

class ControlsTestDialog : public DialogImpl<ControlsTestDialog> {
public:
    static constexpr COLORREF FirstBackground = RGB(40, 160, 90);

    ControlsTestDialog() : DialogImpl(IDD_CONTROLS_TEST) {}
    static const MessageMap<ControlsTestDialog> messages;

    void OnTileClick() { ++tileClicks; }
    HBRUSH OnCtlColor(HDC, HWND control) {
        if (control == hwnd_) return backgroundBrush.Get();
        return reinterpret_cast<HBRUSH>(Default());
    }
    void SetBackground(COLORREF colour) { backgroundBrush.Reset(CreateSolidBrush(colour)); }

    int tileClicks = 0;
    ImageButton tile, glyph, banner, bare;
    AnimatedPicture picture;

protected:
    bool OnInitDialog() override {
        Dialog::OnInitDialog();
        Move(20, 20, 600, 300);
        MoveItem(IDC_TEST_TILE, 10, 10, 75, 75);
        tile.LoadButtonImage(144, "PNG");
        MoveItem(IDC_TEST_GLYPH, 100, 10, 26, 18);  // the close button: an 18 x 15 picture
        glyph.LoadButtonImage(147, "PNG");
        MoveItem(IDC_TEST_BANNER, 140, 10, 220, 75);  // 76 rows of picture in 75
        banner.LoadButtonImage(163, "PNG");
        MoveItem(IDC_TEST_BARE, 380, 10, 40, 20);
        bare.LoadButtonImage(9999, "PNG");
        MoveItem(IDC_TEST_PICTURE, 10, 100, 10, 10);
        return true;
    }
    void DoDataExchange(DataExchange& exchange) override {
        exchange.Control(IDC_TEST_TILE, tile);
        exchange.Control(IDC_TEST_GLYPH, glyph);
        exchange.Control(IDC_TEST_BANNER, banner);
        exchange.Control(IDC_TEST_BARE, bare);
        exchange.Control(IDC_TEST_PICTURE, picture);
    }

private:
    UniqueGdiObject<HBRUSH> backgroundBrush{CreateSolidBrush(FirstBackground)};
};

inline const MessageMap<ControlsTestDialog> ControlsTestDialog::messages = {
    OnClick(IDC_TEST_TILE, &ControlsTestDialog::OnTileClick),
    OnControlColor(&ControlsTestDialog::OnCtlColor),
};

}  // namespace qivyun::test
