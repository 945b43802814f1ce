#pragma once
// A rectangle of a skinned window in client pixels, as the layout tables hold it.

namespace voltrane {

// Left x, top y, width w, height h. The right and bottom edges are outside the rectangle, so an
// empty rectangle (0, 0, 0, 0) holds no point.
struct SkinRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    constexpr int right() const { return x + w; }
    constexpr int bottom() const { return y + h; }
    constexpr bool empty() const { return w <= 0 || h <= 0; }
    constexpr bool contains(int px, int py) const {
        return px >= x && px < right() && py >= y && py < bottom();
    }
    constexpr bool operator==(const SkinRect&) const = default;
};

// A rectangle given by its edges (left, top, right, bottom), the way the dialog tables list them.
constexpr SkinRect RectFromEdges(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

}  // namespace voltrane
