#pragma once
// Where the main window's controls stand. Each part of the window keeps a table of its own
// controls in client-area pixels, and the pictures of its image buttons.
#include "controls/ImageButton.h"
#include "framework/Window.h"

#include <initializer_list>
#include <span>

namespace qivyun {

struct ControlPlace {
    int id;
    int x, y, width, height;
    bool visibleAtStart;
};

// Moves the window's controls to their places, in the table's order, and hides those that are not
// shown at start.
void PlaceControls(const Window& window, std::span<const ControlPlace> places);

struct ButtonPicture {
    ImageButton& button;
    int picture;  // the PNG resource
};

void LoadButtonPictures(std::initializer_list<ButtonPicture> pictures);

}  // namespace qivyun
