#pragma once
// A rectangle as the skinners reckon with it: edges, the right and bottom ones exclusive, as in a
// system RECT. A rectangle whose right or bottom edge does not pass its left or top is empty and
// draws nothing.
namespace qivyun::skin {

struct SkinRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

}  // namespace qivyun::skin
