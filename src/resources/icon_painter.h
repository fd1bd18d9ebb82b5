#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "image/color_value.h"
#include "image/icon_image.h"

namespace tessaly {

// A point of a drawing in the 24-unit square every program icon is designed
// in; the painter scales it to the icon's real size.
struct ArtPoint {
    double x;
    double y;
};

// Paints the program's own icons from simple shapes: filled polygons with a
// one-pixel outline, thick lines, discs and checkerboards. Shapes are given
// in design units (0..24 across) and placed through a frame (offset and
// scale), so that one drawing serves as a whole icon and as a small badge in
// the corner of another. Pixels are 0xAABBGGRR; alpha 0 is transparent.
class IconPainter {
public:
    explicit IconPainter(std::int32_t size);

    // Later shapes are drawn through this frame: design point p lands on
    // pixel (offset + p x scale) x (size / 24).
    void setFrame(double offsetX, double offsetY, double scale);

    // The union of the polygons, filled, its edge pixels in the outline colour.
    void shape(std::initializer_list<std::initializer_list<ArtPoint>> polygons, ColorValue fill, ColorValue outline);
    void polygon(std::initializer_list<ArtPoint> points, ColorValue fill, ColorValue outline);
    // A straight stroke of the given width (design units), no outline.
    void line(ArtPoint from, ArtPoint to, double width, ColorValue colour);
    // A square-ended stroke with an outline.
    void bar(ArtPoint from, ArtPoint to, double width, ColorValue fill, ColorValue outline);
    void disc(ArtPoint centre, double radius, ColorValue fill, ColorValue outline);
    void rect(ArtPoint topLeft, ArtPoint bottomRight, ColorValue fill, ColorValue outline);
    // A checkerboard of light and white cells (the look of transparency)
    // inside the rectangle, cells of `cell` pixels.
    void checker(ArtPoint topLeft, ArtPoint bottomRight, std::int32_t cell);
    // Every other pixel along the rectangle's edge, dark and light (marching ants).
    void dashedFrame(ArtPoint topLeft, ArtPoint bottomRight);

    std::int32_t size() const { return m_size; }
    ColorValue at(std::int32_t x, std::int32_t y) const { return m_pixels[index(x, y)]; }
    // A 32-bit icon image of the picture; its mask marks the pixels of alpha 0.
    IconImage toIcon() const;

private:
    using Mask = std::vector<std::uint8_t>;

    std::size_t index(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_size) + static_cast<std::size_t>(x);
    }
    ArtPoint toPixels(ArtPoint p) const;
    void addPolygon(Mask& mask, std::initializer_list<ArtPoint> points) const;
    void paintMask(const Mask& mask, ColorValue fill, ColorValue outline);
    static std::vector<ArtPoint> strokeQuad(ArtPoint from, ArtPoint to, double width);

    std::int32_t m_size;
    double m_offsetX = 0;
    double m_offsetY = 0;
    double m_scale = 1;
    std::vector<ColorValue> m_pixels;
};

} // namespace tessaly
