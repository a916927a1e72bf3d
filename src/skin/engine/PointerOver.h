#pragma once
// The part of a control that lies under the pointer, for a kind that lights that part: the system
// is asked for the WM_MOUSELEAVE that ends the visit once per entry, and the kind learns whether
// the part changed, so that it repaints only then.
#include <windows.h>

namespace qivyun::skin {

template <typename Part>
class PointerOver {
public:
    // `none` is the part meaning "the pointer is elsewhere".
    explicit PointerOver(Part none) : none_(none), part_(none) {}

    // On WM_MOUSEMOVE, with the part now under the pointer: whether it differs from the last.
    bool Moved(HWND window, Part part) {
        if (!tracking_) {
            TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
            tracking_ = TrackMouseEvent(&request) != FALSE;
        }
        return Become(part);
    }

    // On WM_MOUSELEAVE: whether a part was lit.
    bool Left() {
        tracking_ = false;
        return Become(none_);
    }

    Part Current() const { return part_; }

private:
    bool Become(Part part) {
        if (part == part_) return false;
        part_ = part;
        return true;
    }

    Part none_;
    Part part_;
    bool tracking_ = false;
};

}  // namespace qivyun::skin
