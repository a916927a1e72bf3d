#include "shell/ControlPlaces.h"

namespace qivyun {

void PlaceControls(const Window& window, std::span<const ControlPlace> places) {
    for (const ControlPlace& place : places) {
        window.MoveItem(place.id, place.x, place.y, place.width, place.height);
        if (!place.visibleAtStart) window.ShowItem(place.id, false);
    }
}

void LoadButtonPictures(std::initializer_list<ButtonPicture> pictures) {
    for (const ButtonPicture& picture : pictures) picture.button.LoadButtonImage(picture.picture, "PNG");
}

}  // namespace qivyun
