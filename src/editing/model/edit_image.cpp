#include "editing/model/edit_image.h"

#include <algorithm>

#include "editing/model/alpha_composite.h"
#include "editing/model/line_stepper.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kAlphaBits = 0xFF000000u;
constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

} // namespace

void EditImage::setObservers(EditImageObserver* canvas, EditImageObserver* preview)
{
    m_canvas = canvas;
    m_preview = preview;
}

bool EditImage::load(const IconImage& image)
{
    clear();
    if (!m_cells.setSize(image.height(), image.width()))
        return false;
    for (std::int32_t r = 0; r < image.height(); ++r) {
        std::span<Cell> row = m_cells.row(r);
        for (std::int32_t c = 0; c < image.width(); ++c)
            row[static_cast<std::size_t>(c)] =
                Cell{image.getPixel(r, c), image.getMask(r, c) ? std::uint8_t{1} : std::uint8_t{0}};
    }
    m_width = image.width();
    m_height = image.height();
    m_bitCount = image.bitCount();
    reportReplaced();
    return true;
}

bool EditImage::storeInto(IconImage& image) const
{
    if (image.width() != m_width || image.height() != m_height || image.bitCount() != m_bitCount || !hasImage())
        return false;
    for (std::int32_t r = 0; r < m_height; ++r) {
        std::span<const Cell> row = m_cells.row(r);
        for (std::int32_t c = 0; c < m_width; ++c) {
            image.setPixel(r, c, row[static_cast<std::size_t>(c)].value);
            image.setMask(r, c, row[static_cast<std::size_t>(c)].mask != 0);
        }
    }
    return true;
}

void EditImage::clear()
{
    m_cells.release();
    m_width = 0;
    m_height = 0;
    m_bitCount = 0;
    reportReplaced();
}

PixelRect EditImage::valueBounds(std::int32_t first, std::int32_t last) const
{
    PixelRect bounds;
    for (std::int32_t row = 0; row < m_cells.rows(); ++row) {
        const auto values = m_cells.row(row);
        for (std::int32_t column = 0; column < m_cells.columns(); ++column) {
            const auto value = static_cast<std::int64_t>(values[static_cast<std::size_t>(column)].value);
            if (value >= first && value <= last)
                bounds.include(row, column);
        }
    }
    return bounds;
}

template <typename Visit> void EditImage::walkLine(PixelPoint from, PixelPoint to, Visit visit) const
{
    for (LineStepper s(from, to); !s.done(); s.advance()) {
        const PixelPoint p = s.point();
        if (contains(p.row, p.column))
            visit(s.step(), p);
    }
}

void EditImage::drawLine(PixelPoint from, PixelPoint to, std::uint32_t value, std::uint8_t mask)
{
    PixelRect changed;
    walkLine(from, to, [&](std::int64_t, PixelPoint p) {
        Cell& cell = m_cells.at(p.row, p.column);
        if (cell.value != value || cell.mask != mask) {
            cell = Cell{value, mask};
            changed.include(p.row, p.column);
        }
    });
    report(changed);
}

void EditImage::drawMaskLine(PixelPoint from, PixelPoint to, std::uint8_t mask)
{
    PixelRect changed;
    walkLine(from, to, [&](std::int64_t, PixelPoint p) {
        Cell& cell = m_cells.at(p.row, p.column);
        if (cell.mask != mask) {
            cell.mask = mask;
            changed.include(p.row, p.column);
        }
    });
    report(changed);
}

void EditImage::drawAlphaLine(PixelPoint from, PixelPoint to, std::uint32_t value)
{
    // Only 32-bit cells have an alpha byte; in other modes the top byte must
    // stay 0 (colours) or the value is a palette index.
    if (m_bitCount != 32)
        return;
    const std::uint32_t alpha = value & kAlphaBits;
    PixelRect changed;
    walkLine(from, to, [&](std::int64_t, PixelPoint p) {
        Cell& cell = m_cells.at(p.row, p.column);
        if ((cell.value & kAlphaBits) != alpha) {
            cell.value = (cell.value & kColourBits) | alpha;
            changed.include(p.row, p.column);
        }
    });
    report(changed);
}

bool EditImage::saveLine(PixelPoint from, PixelPoint to, std::span<Cell> saved) const
{
    bool inside = false;
    walkLine(from, to, [&](std::int64_t k, PixelPoint p) {
        if (k < static_cast<std::int64_t>(saved.size())) {
            saved[static_cast<std::size_t>(k)] = m_cells.at(p.row, p.column);
            inside = true;
        }
    });
    return inside;
}

void EditImage::restoreLine(PixelPoint from, PixelPoint to, std::span<const Cell> saved)
{
    PixelRect changed;
    walkLine(from, to, [&](std::int64_t k, PixelPoint p) {
        if (k >= static_cast<std::int64_t>(saved.size()))
            return;
        Cell& cell = m_cells.at(p.row, p.column);
        if (cell != saved[static_cast<std::size_t>(k)]) {
            cell = saved[static_cast<std::size_t>(k)];
            changed.include(p.row, p.column);
        }
    });
    report(changed);
}

void EditImage::fillSpan(std::int32_t row, std::int32_t first, std::int32_t last, std::uint32_t value,
                         std::uint8_t mask)
{
    fillRect(PixelRect{row, first, row, last}, value, mask);
}

bool EditImage::nudgeAlpha(std::int32_t row, std::int32_t column, AlphaDirection direction)
{
    if (m_bitCount != 32 || !contains(row, column))
        return false;
    Cell& cell = m_cells.at(row, column);
    const std::uint32_t alpha = cell.value >> 24;
    if (direction == AlphaDirection::Raise ? alpha == 255 : alpha == 0)
        return false;
    const std::uint32_t next = direction == AlphaDirection::Raise ? alpha + 1 : alpha - 1;
    cell.value = (cell.value & kColourBits) | next << 24;
    report(PixelRect{row, column, row, column});
    return true;
}

void EditImage::fillRect(const PixelRect& rect, std::uint32_t value, std::uint8_t mask)
{
    const PixelRect area = rect.intersected(bounds());
    if (area.isEmpty())
        return;
    for (std::int32_t r = area.top; r <= area.bottom; ++r) {
        std::span<Cell> row = m_cells.row(r);
        std::fill(row.begin() + area.left, row.begin() + area.right + 1, Cell{value, mask});
    }
    report(area);
}

bool EditImage::saveBlock(const PixelRect& rect, CellGrid& grid) const
{
    if (rect.isEmpty() || rect.intersected(bounds()) != rect)
        return false;
    CellGrid block;
    if (!block.setSize(rect.rows(), rect.columns()))
        return false;
    for (std::int32_t i = 0; i < rect.rows(); ++i) {
        std::span<const Cell> from =
            m_cells.row(rect.top + i)
                .subspan(static_cast<std::size_t>(rect.left), static_cast<std::size_t>(rect.columns()));
        std::copy(from.begin(), from.end(), block.row(i).begin());
    }
    grid = std::move(block);
    return true;
}

PixelRect EditImage::clipToImage(const PixelRect& rect, const CellGrid& grid) const
{
    const PixelRect gridArea{rect.top, rect.left, rect.top + grid.rows() - 1, rect.left + grid.columns() - 1};
    return rect.intersected(gridArea).intersected(bounds());
}

void EditImage::restoreBlock(const PixelRect& rect, const CellGrid& grid)
{
    const PixelRect area = clipToImage(rect, grid);
    if (area.isEmpty())
        return;
    for (std::int32_t r = area.top; r <= area.bottom; ++r) {
        std::span<const Cell> from = grid.row(r - rect.top);
        std::span<Cell> to = m_cells.row(r);
        for (std::int32_t c = area.left; c <= area.right; ++c)
            to[static_cast<std::size_t>(c)] = from[static_cast<std::size_t>(c - rect.left)];
    }
    report(area);
}

void EditImage::composite(const PixelRect& rect, const CellGrid& grid)
{
    const PixelRect area = clipToImage(rect, grid);
    if (area.isEmpty())
        return;
    for (std::int32_t r = area.top; r <= area.bottom; ++r) {
        std::span<const Cell> from = grid.row(r - rect.top);
        std::span<Cell> to = m_cells.row(r);
        for (std::int32_t c = area.left; c <= area.right; ++c) {
            const Cell& content = from[static_cast<std::size_t>(c - rect.left)];
            if (content.mask != 0)
                continue;
            Cell& cell = to[static_cast<std::size_t>(c)];
            cell.value = m_bitCount == 32 ? compositeColor(content.value, cell.value) : content.value;
            cell.mask = 0;
        }
    }
    report(area);
}

void EditImage::report(const PixelRect& changed)
{
    if (changed.isEmpty())
        return;
    if (m_canvas)
        m_canvas->pixelsChanged(changed);
    if (m_preview)
        m_preview->pixelsChanged(changed);
}

void EditImage::reportReplaced()
{
    if (m_canvas)
        m_canvas->imageReplaced();
    if (m_preview)
        m_preview->imageReplaced();
}

} // namespace tessaly
