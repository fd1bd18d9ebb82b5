#include "editing/selection.h"

#include <algorithm>
#include <vector>

#include "convert/area_resampler.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
// The frame's grab zone reaches this many screen pixels outside the frame line.
constexpr std::int32_t kGrabReach = 3;

// display = source resampled to rows x columns by exact area weights.
bool resample(const CellGrid& source, std::int32_t rows, std::int32_t columns, CellGrid& display)
{
    if (!display.setSize(rows, columns))
        return false;
    const std::size_t count = static_cast<std::size_t>(source.rows()) * static_cast<std::size_t>(source.columns());
    std::vector<ColorValue> colours;
    std::vector<std::uint8_t> masked;
    colours.reserve(count);
    masked.reserve(count);
    for (std::int32_t r = 0; r < source.rows(); ++r) {
        for (const Cell& cell : source.row(r)) {
            colours.push_back(cell.value);
            masked.push_back(cell.mask);
        }
    }
    const AreaResampler resampler(source.columns(), source.rows(), columns, rows);
    std::vector<AreaResampler::Sample> samples(static_cast<std::size_t>(columns));
    for (std::int32_t r = 0; r < rows; ++r) {
        resampler.resampleRow(r, colours, masked, samples);
        std::span<Cell> out = display.row(r);
        for (std::size_t c = 0; c < samples.size(); ++c)
            out[c] = Cell{samples[c].color, static_cast<std::uint8_t>(samples[c].opaque ? 0 : 1)};
    }
    return true;
}

} // namespace

Selection::Selection(EditImage& image, Palette& palette, const ToolState& toolState)
    : m_image(image)
    , m_palette(palette)
    , m_toolState(toolState)
{
}

void Selection::setView(const CanvasGeometry* geometry, CanvasHost* host)
{
    m_geometry = geometry;
    m_host = host;
}

void Selection::repaint(const PixelRect& r)
{
    if (m_host != nullptr && !r.isEmpty())
        m_host->invalidatePixels(r);
}

void Selection::invertFrame(const PixelRect& r)
{
    if (m_host != nullptr && !r.isEmpty())
        m_host->invertSelectionFrame(r);
}

std::uint32_t Selection::colourOfValue(std::uint32_t value) const
{
    switch (m_image.bitCount()) {
    case 32:
        return value;
    case 24:
        return value | kOpaque;
    default:
        if (value < static_cast<std::uint32_t>(m_palette.length()))
            return m_palette.entry(static_cast<std::int32_t>(value)) | kOpaque;
        return kOpaque;
    }
}

void Selection::setRect(const PixelRect& r)
{
    if (r == m_rect)
        return;
    invertFrame(m_rect);
    m_rect = r.intersected(m_image.bounds());
    invertFrame(m_rect);
}

bool Selection::lift()
{
    if (m_rect.isEmpty() || !m_image.saveBlock(m_rect, m_under))
        return false;
    if (!m_source.copyFrom(m_under) || !m_display.copyFrom(m_under)) {
        m_under.release();
        m_source.release();
        m_display.release();
        return false;
    }
    for (std::int32_t r = 0; r < m_source.rows(); ++r) {
        for (Cell& cell : m_source.row(r))
            cell.value = colourOfValue(cell.value);
    }
    m_image.fillRect(m_rect, m_toolState.backgroundValue(), 1);
    m_liftRect = m_rect;
    m_hasContent = true;
    m_lifted = true;
    return true;
}

void Selection::moveTo(PixelPoint topLeft)
{
    if (topLeft.row == m_rect.top && topLeft.column == m_rect.left)
        return;
    if (!m_hasContent && !lift())
        return;
    repaint(m_rect);
    const std::int32_t rows = m_rect.rows();
    const std::int32_t columns = m_rect.columns();
    m_rect = PixelRect{topLeft.row, topLeft.column, topLeft.row + rows - 1, topLeft.column + columns - 1};
    repaint(m_rect);
}

void Selection::scaleTo(const PixelRect& r)
{
    if (m_hasContent && r == m_rect)
        return;
    if (!m_hasContent)
        lift();
    if (m_source.isEmpty() || r.isEmpty() || !resample(m_source, r.rows(), r.columns(), m_display))
        return;
    for (std::int32_t row = 0; row < m_display.rows(); ++row) {
        for (Cell& cell : m_display.row(row)) {
            if (m_image.bitCount() <= 8)
                cell.value = static_cast<std::uint32_t>(std::max(0, m_palette.nearestIndex(cell.value)));
            else if (m_image.bitCount() == 24)
                cell.value &= ~kOpaque; // 24-bit cells carry no alpha, or equal colours would stop comparing equal
        }
    }
    repaint(m_rect);
    m_rect = r;
    repaint(m_rect);
    m_hasContent = true;
}

bool Selection::loadContent(const CellGrid& colours)
{
    if (colours.isEmpty())
        return false;
    PixelRect target = m_rect;
    if (target.isEmpty()) {
        const PixelRect visible = m_geometry != nullptr ? m_geometry->visiblePixels() : m_image.bounds();
        target = PixelRect{visible.top, visible.left, visible.top + colours.rows() - 1,
                           visible.left + colours.columns() - 1};
    }
    if (!m_source.copyFrom(colours))
        return false;
    m_display.release();
    m_under.release();
    m_liftRect = PixelRect{};
    m_lifted = false;
    m_hasContent = false;
    m_rect = PixelRect{};
    scaleTo(target);
    return m_hasContent;
}

void Selection::putBack()
{
    if (!isLifted())
        return;
    m_image.restoreBlock(m_liftRect, m_under);
    m_under.release();
    m_liftRect = PixelRect{};
    m_lifted = false;
}

void Selection::reset()
{
    repaint(m_rect);
    m_display.release();
    m_source.release();
    m_under.release();
    m_rect = PixelRect{};
    m_liftRect = PixelRect{};
    m_hasContent = false;
    m_lifted = false;
}

SelectionHit Selection::hitTest(ClientPoint point) const
{
    if (m_rect.isEmpty() || m_geometry == nullptr)
        return SelectionHit::None;
    const ClientPoint first = m_geometry->pixelToWindow(PixelPoint{m_rect.top, m_rect.left});
    const ClientPoint last = m_geometry->pixelToWindow(PixelPoint{m_rect.bottom + 1, m_rect.right + 1});
    if (point.x < first.x - kGrabReach || point.x > last.x + kGrabReach || point.y < first.y - kGrabReach ||
        point.y > last.y + kGrabReach)
        return SelectionHit::None;
    // Zones: 0 before the first line (inclusive), 1 between, 2 from the last line on.
    const int column = point.x <= first.x ? 0 : point.x >= last.x ? 2 : 1;
    const int row = point.y <= first.y ? 0 : point.y >= last.y ? 2 : 1;
    static constexpr SelectionHit kHits[3][3] = {
        {SelectionHit::TopLeft, SelectionHit::Top, SelectionHit::TopRight},
        {SelectionHit::Left, SelectionHit::Inside, SelectionHit::Right},
        {SelectionHit::BottomLeft, SelectionHit::Bottom, SelectionHit::BottomRight},
    };
    return kHits[row][column];
}

} // namespace tessaly
