#include "ControlsTestDialog.h"

#include "../support/DibCanvas.h"
#include "../support/Pump.h"
#include "controls/ButtonImage.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qivyun::test {
namespace {

constexpr COLORREF Marker = RGB(255, 0, 255);

struct Rgb {
    int r, g, b;
};

// What the button copies into a device context larger than itself, pixel by pixel.
class DrawnLook : public DibCanvas {
public:
    DrawnLook(int width, int height) : DibCanvas(width, height, Marker) {}
    Rgb At(int x, int y) const {
        const COLORREF c = DibCanvas::At(x, y);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
};

// The owner's drawing request for the button, as the button itself sends it when it paints.
void RequestDrawing(HWND dialog, HWND button, UINT state, HDC dc) {
    DRAWITEMSTRUCT item{ODT_BUTTON, UINT(GetDlgCtrlID(button)), 0, ODA_DRAWENTIRE, state, button, dc, {}, 0};
    GetClientRect(button, &item.rcItem);
    SendMessageA(dialog, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

enum class Look { Normal, Hover, Pressed };

// The picture over the background as the look should show it, from the PNG's own pixels.
class ExpectedLook {
public:
    ExpectedLook(int pngId, COLORREF background) : image_(ButtonImage::FromResource(ModuleInstance(), pngId, "PNG")),
                                                    background_{GetRValue(background), GetGValue(background), GetBValue(background)} {}
    bool Loaded() const { return image_ != nullptr; }
    int PictureWidth() const { return int(image_->Width()); }
    int PictureHeight() const { return int(image_->Height()); }

    Rgb At(Look look, int x, int y) const {
        int offset = look == Look::Pressed ? 1 : 0;
        int px = x - offset, py = y - offset;
        if (px < 0 || py < 0 || px >= PictureWidth() || py >= PictureHeight()) return background_;
        Gdiplus::ARGB argb = 0;
        Gdiplus::DllExports::GdipBitmapGetPixel(image_->Bitmap(), px, py, &argb);
        double a = ((argb >> 24) & 0xFF) / 255.0;
        double r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
        if (look == Look::Hover) {  // the colour matrix: red doubled, green and blue x 1.05 + 0.05
            r = std::min(255.0, r * 2.0);
            g = std::min(255.0, g * 1.05 + 0.05 * 255);
            b = std::min(255.0, b * 1.05 + 0.05 * 255);
        }
        auto blend = [a](double picture, int below) { return int(std::lround(picture * a + below * (1.0 - a))); };
        return {blend(r, background_.r), blend(g, background_.g), blend(b, background_.b)};
    }

private:
    std::unique_ptr<ButtonImage> image_;
    Rgb background_;
};

class ImageButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return dialog.IsVisible(); }));
        PumpFor(300);  // the dialog and its buttons have painted
    }

    // Counts the pixels of the button's look that differ from the expected ones by more than
    // GDI+'s rounding, and checks that nothing was drawn outside the button.
    int Mismatches(ImageButton& button, int pngId, Look look, UINT state) {
        RECT client = button.ClientRect();
        DrawnLook drawn(client.right + 3, client.bottom + 3);
        RequestDrawing(dialog.Handle(), button.Handle(), state, drawn.Dc());
        ExpectedLook expected(pngId, ControlsTestDialog::FirstBackground);
        EXPECT_TRUE(expected.Loaded());
        int mismatches = 0;
        for (int y = 0; y < client.bottom + 3; ++y)
            for (int x = 0; x < client.right + 3; ++x) {
                Rgb actual = drawn.At(x, y);
                bool inside = x < client.right && y < client.bottom;
                Rgb want = inside ? expected.At(look, x, y) : Rgb{255, 0, 255};
                if (std::abs(actual.r - want.r) > 3 || std::abs(actual.g - want.g) > 3 || std::abs(actual.b - want.b) > 3) {
                    if (mismatches++ < 3)
                        ADD_FAILURE() << "look " << int(look) << " at " << x << "," << y << ": " << actual.r << " " << actual.g << " "
                                      << actual.b << " instead of " << want.r << " " << want.g << " " << want.b;
                }
            }
        return mismatches;
    }

    ControlsTestDialog dialog;
};

TEST_F(ImageButtonTest, LooksAreThePictureOverTheCapturedBackgroundNormalHoverAndPressedWithinTheButton) {
    // Whatever the parent shows later, the looks keep the background taken at the first paint.
    dialog.SetBackground(RGB(200, 200, 20));
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);

    struct Case {
        const char* name;
        ImageButton& button;
        int png;
    } cases[] = {
        {"a tile", dialog.tile, 144},
        {"an 18 x 15 picture in a 26 x 18 button", dialog.glyph, 147},
        {"a 76-row picture in a 75-row button", dialog.banner, 163},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Mismatches(c.button, c.png, Look::Normal, 0), 0);
        SendMessageA(c.button.Handle(), WM_MOUSEHOVER, 0, 0);
        EXPECT_EQ(Mismatches(c.button, c.png, Look::Hover, 0), 0);
        EXPECT_EQ(Mismatches(c.button, c.png, Look::Pressed, ODS_SELECTED), 0) << "pressed wins over hover";
        SendMessageA(c.button.Handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(Mismatches(c.button, c.png, Look::Normal, 0), 0);
    }
}

TEST_F(ImageButtonTest, AButtonWithoutItsPictureDrawsNothing) {
    EXPECT_FALSE(dialog.bare.LoadButtonImage(9999, "PNG"));
    DrawnLook drawn(43, 23);
    RequestDrawing(dialog.Handle(), dialog.bare.Handle(), 0, drawn.Dc());
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 43; ++x) {
            Rgb pixel = drawn.At(x, y);
            ASSERT_TRUE(pixel.r == 255 && pixel.g == 0 && pixel.b == 255) << x << "," << y;
        }
}

TEST_F(ImageButtonTest, ButtonsAreOwnerDrawnAndADoubleClickCountsAsTwoClicks) {
    EXPECT_EQ(GetWindowLongA(dialog.tile.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    HWND tile = dialog.tile.Handle();
    LPARAM inside = MAKELPARAM(20, 20);
    SendMessageA(tile, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(tile, WM_LBUTTONUP, 0, inside);
    SendMessageA(tile, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageA(tile, WM_LBUTTONUP, 0, inside);
    PumpFor(50);
    EXPECT_EQ(dialog.tileClicks, 2);
}

}  // namespace
}  // namespace qivyun::test
