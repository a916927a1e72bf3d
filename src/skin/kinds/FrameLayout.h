#pragma once
// The frame of a captioned window as the skin lays it out: the title bar, the three frame edges,
// the client area between them, the caption buttons its styles ask for, the icon and the title
// text; and what each pixel of the window answers to the system's hit test. Window coordinates:
// the window's top-left corner is (0, 0).
#include "skin/container/NineGrid.h"
#include "skin/container/SkinFormat.h"

#include <array>
#include <cstddef>

namespace qivyun::skin {

// The skin's sizes and places for frames (metrics and pairs of SkinParts.h).
struct FrameMetrics {
    int titleBarHeight = 0, sideWidth = 0, bottomHeight = 0;
    int buttonWidth = 0, buttonHeight = 0;
    // A negative x counts from the window's right edge.
    SkinPoint closeAt{}, maximiseAt{}, minimiseAt{}, iconAt{}, textAt{};

    static FrameMetrics Of(const SkinTables& tables);
};

// What the window's styles ask of its frame.
struct FrameStyle {
    bool systemMenu = false;   // a close button, and the icon when the window has one
    bool minimiseBox = false;  // with a system menu: a minimise button
    bool maximiseBox = false;  // with a system menu: a maximise button
    bool maximised = false;    // the maximise button shows the restore look
    bool sizable = false;      // the frame edges resize the window
    bool icon = false;         // the window has an icon to show
    int menuBarHeight = 0;     // the rows of a menu bar below the title bar
};

// What a point of the window is; the values are the system's hit-test codes.
enum class FrameHit : int {
    Nowhere = 0,
    Client = 1,
    Caption = 2,
    SystemMenu = 3,
    Menu = 5,
    Minimise = 8,
    Maximise = 9,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
    Border = 18,
    Close = 20,
};

enum class CaptionButton { Close, Maximise, Minimise };

struct CaptionButtonPlace {
    CaptionButton button = CaptionButton::Close;
    GridRect rect;
};

struct FrameLayout {
    int width = 0, height = 0;
    GridRect titleBar, left, right, bottom, client;
    GridRect menuBar;  // empty without a menu bar; the client area starts below it
    // The buttons shown, from the close button inwards; each takes the next of the places the
    // pairs give (close, maximise, minimise), so a window without a maximise box has its minimise
    // button where the maximise button would be. A button that would reach over the window's
    // left side or the icon is left out.
    std::array<CaptionButtonPlace, 3> buttons{};
    size_t buttonCount = 0;
    GridRect icon;  // empty without an icon
    GridRect text;  // the title, between the icon and the first button

    // What the point (x, y) of the window answers. Buttons answer even in an inert caption, whose
    // other pixels, the icon's too, answer Border, so that it neither drags nor maximises. Only a sizable window
    // that is not maximised has resizing edges; the top edge is the title bar's first rows.
    FrameHit HitTest(int x, int y, bool inertCaption) const;

    const CaptionButtonPlace* Button(CaptionButton button) const;

    bool sizable = false;
};

// Lays out a window of the given size; iconSize is the side of the small icon.
FrameLayout LayOutFrame(const FrameMetrics& metrics, const FrameStyle& style, int width, int height, int iconSize);

// The hit-test code of a caption button.
FrameHit HitOf(CaptionButton button);

}  // namespace qivyun::skin
