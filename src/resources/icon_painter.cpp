#include "resources/icon_painter.h"

#include <cmath>

namespace tessaly {
namespace {

constexpr double kDesignSize = 24.0;

// Even-odd rule at a pixel's centre.
bool inside(const std::vector<ArtPoint>& points, double x, double y)
{
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const ArtPoint& a = points[i];
        const ArtPoint& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// A translucent colour laid over a painted pixel mixes with it, so that a
// checkerboard shows through; over nothing it stays translucent.
ColorValue over(ColorValue top, ColorValue under)
{
    const std::uint32_t a = alphaOf(top);
    if (a == 255 || alphaOf(under) == 0)
        return top;
    const auto mix = [a](std::uint8_t t, std::uint8_t u) {
        return static_cast<std::uint8_t>((t * a + u * (255 - a)) / 255);
    };
    return makeColor(mix(redOf(top), redOf(under)), mix(greenOf(top), greenOf(under)), mix(blueOf(top), blueOf(under)),
                     255);
}

} // namespace

IconPainter::IconPainter(std::int32_t size)
    : m_size(size)
    , m_pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0)
{
}

void IconPainter::setFrame(double offsetX, double offsetY, double scale)
{
    m_offsetX = offsetX;
    m_offsetY = offsetY;
    m_scale = scale;
}

ArtPoint IconPainter::toPixels(ArtPoint p) const
{
    const double unit = m_size / kDesignSize;
    return {(m_offsetX + p.x * m_scale) * unit, (m_offsetY + p.y * m_scale) * unit};
}

void IconPainter::addPolygon(Mask& mask, std::initializer_list<ArtPoint> points) const
{
    std::vector<ArtPoint> scaled;
    for (const ArtPoint& p : points)
        scaled.push_back(toPixels(p));
    for (std::int32_t y = 0; y < m_size; ++y)
        for (std::int32_t x = 0; x < m_size; ++x)
            if (inside(scaled, x + 0.5, y + 0.5))
                mask[index(x, y)] = 1;
}

// Pixels of the mask with a 4-neighbour outside it are the outline.
void IconPainter::paintMask(const Mask& mask, ColorValue fill, ColorValue outline)
{
    const auto in = [&](std::int32_t x, std::int32_t y) {
        return x >= 0 && y >= 0 && x < m_size && y < m_size && mask[index(x, y)] != 0;
    };
    for (std::int32_t y = 0; y < m_size; ++y) {
        for (std::int32_t x = 0; x < m_size; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            ColorValue& pixel = m_pixels[index(x, y)];
            pixel = over(edge ? outline : fill, pixel);
        }
    }
}

void IconPainter::shape(std::initializer_list<std::initializer_list<ArtPoint>> polygons, ColorValue fill,
                        ColorValue outline)
{
    Mask mask(m_pixels.size(), 0);
    for (const auto& points : polygons)
        addPolygon(mask, points);
    paintMask(mask, fill, outline);
}

void IconPainter::polygon(std::initializer_list<ArtPoint> points, ColorValue fill, ColorValue outline)
{
    shape({points}, fill, outline);
}

std::vector<ArtPoint> IconPainter::strokeQuad(ArtPoint from, ArtPoint to, double width)
{
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::max(std::hypot(dx, dy), 1e-9);
    const double nx = -dy / length * width / 2;
    const double ny = dx / length * width / 2;
    return {{from.x + nx, from.y + ny}, {to.x + nx, to.y + ny}, {to.x - nx, to.y - ny}, {from.x - nx, from.y - ny}};
}

void IconPainter::line(ArtPoint from, ArtPoint to, double width, ColorValue colour)
{
    const std::vector<ArtPoint> q = strokeQuad(from, to, width);
    shape({{q[0], q[1], q[2], q[3]}}, colour, colour);
}

void IconPainter::bar(ArtPoint from, ArtPoint to, double width, ColorValue fill, ColorValue outline)
{
    const std::vector<ArtPoint> q = strokeQuad(from, to, width);
    shape({{q[0], q[1], q[2], q[3]}}, fill, outline);
}

void IconPainter::disc(ArtPoint centre, double radius, ColorValue fill, ColorValue outline)
{
    Mask mask(m_pixels.size(), 0);
    const ArtPoint c = toPixels(centre);
    const double r = radius * m_scale * m_size / kDesignSize;
    for (std::int32_t y = 0; y < m_size; ++y)
        for (std::int32_t x = 0; x < m_size; ++x)
            if (std::hypot(x + 0.5 - c.x, y + 0.5 - c.y) <= r)
                mask[index(x, y)] = 1;
    paintMask(mask, fill, outline);
}

void IconPainter::rect(ArtPoint topLeft, ArtPoint bottomRight, ColorValue fill, ColorValue outline)
{
    polygon({topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}}, fill, outline);
}

void IconPainter::checker(ArtPoint topLeft, ArtPoint bottomRight, std::int32_t cell)
{
    const ArtPoint a = toPixels(topLeft);
    const ArtPoint b = toPixels(bottomRight);
    for (std::int32_t y = 0; y < m_size; ++y)
        for (std::int32_t x = 0; x < m_size; ++x)
            if (x + 0.5 > a.x && x + 0.5 < b.x && y + 0.5 > a.y && y + 0.5 < b.y)
                m_pixels[index(x, y)] =
                    ((x / cell + y / cell) & 1) != 0 ? makeColor(200, 200, 200, 255) : makeColor(255, 255, 255, 255);
}

void IconPainter::dashedFrame(ArtPoint topLeft, ArtPoint bottomRight)
{
    const ArtPoint a = toPixels(topLeft);
    const ArtPoint b = toPixels(bottomRight);
    const auto x0 = static_cast<std::int32_t>(std::lround(a.x));
    const auto y0 = static_cast<std::int32_t>(std::lround(a.y));
    const auto x1 = static_cast<std::int32_t>(std::lround(b.x)) - 1;
    const auto y1 = static_cast<std::int32_t>(std::lround(b.y)) - 1;
    const auto dot = [&](std::int32_t x, std::int32_t y) {
        if (x < 0 || y < 0 || x >= m_size || y >= m_size)
            return;
        m_pixels[index(x, y)] = ((x + y) / 2 & 1) != 0 ? makeColor(20, 20, 20, 255) : makeColor(255, 255, 255, 255);
    };
    for (std::int32_t x = x0; x <= x1; ++x) {
        dot(x, y0);
        dot(x, y1);
    }
    for (std::int32_t y = y0; y <= y1; ++y) {
        dot(x0, y);
        dot(x1, y);
    }
}

IconImage IconPainter::toIcon() const
{
    IconImage icon;
    if (!icon.create(m_size, m_size, 32))
        return icon;
    for (std::int32_t y = 0; y < m_size; ++y) {
        for (std::int32_t x = 0; x < m_size; ++x) {
            const ColorValue c = at(x, y);
            icon.setPixel(y, x, alphaOf(c) == 0 ? 0 : c);
            icon.setMask(y, x, alphaOf(c) == 0);
        }
    }
    return icon;
}

} // namespace tessaly
