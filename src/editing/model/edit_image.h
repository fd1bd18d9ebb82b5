#pragma once

#include <cstdint>
#include <span>

#include "editing/model/cell.h"
#include "editing/model/cell_grid.h"
#include "editing/model/edit_image_observer.h"
#include "editing/model/pixel_point.h"
#include "editing/model/pixel_rect.h"
#include "image/icon_image.h"

namespace tessaly {

// Which way the fine-adjust tool moves a pixel's alpha.
enum class AlphaDirection : std::uint8_t {
    Lower = 0,
    Raise = 1,
};

// The copy of the one icon image open for editing, as a grid of cells, with
// the pixel operations every tool and every undo step uses. It draws nothing
// itself: after each change it reports the changed rectangle to the canvas
// and the preview.
//
// Line operations walk their line with LineStepper and skip the points
// outside the image; they and nudgeAlpha report the bounding rectangle of the
// cells they actually changed, and nothing when they changed none. fillSpan,
// fillRect, restoreBlock and composite report their whole rectangle (the part
// of it inside the image). The save operations report nothing.
class EditImage {
public:
    EditImage() = default;
    EditImage(const EditImage&) = delete;
    EditImage& operator=(const EditImage&) = delete;

    // The two views to notify, set once at start-up; either may be none.
    void setObservers(EditImageObserver* canvas, EditImageObserver* preview);

    // Replaces the cells with the image's pixels and mask bits. False, left
    // empty, when the image is empty or the grid cannot be sized.
    bool load(const IconImage& image);
    // Writes every cell into image; false, writing nothing, unless it has the
    // same width, height and bit count.
    bool storeInto(IconImage& image) const;
    // Back to the empty image (0 x 0, bit count 0).
    void clear();

    bool hasImage() const { return m_width != 0 && m_height != 0; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    std::int32_t bitCount() const { return m_bitCount; }
    bool contains(std::int32_t row, std::int32_t column) const
    {
        return row >= 0 && row < m_height && column >= 0 && column < m_width;
    }
    // The whole image as a rectangle (empty when there is no image).
    PixelRect bounds() const { return hasImage() ? PixelRect{0, 0, m_height - 1, m_width - 1} : PixelRect{}; }
    const CellGrid& cells() const { return m_cells; }

    // Reading accessors; callers keep the point inside the image.
    const Cell& cellAt(std::int32_t row, std::int32_t column) const { return m_cells.at(row, column); }
    std::uint32_t valueAt(std::int32_t row, std::int32_t column) const { return m_cells.at(row, column).value; }
    std::uint8_t maskAt(std::int32_t row, std::int32_t column) const { return m_cells.at(row, column).mask; }
    // The bounding rectangle of the cells whose value lies in first..last
    // (what a change of those palette entries recolours); empty for none.
    PixelRect valueBounds(std::int32_t first, std::int32_t last) const;

    // Sets value and mask along the line where the cell does not already hold both.
    void drawLine(PixelPoint from, PixelPoint to, std::uint32_t value, std::uint8_t mask);
    // Sets only the mask along the line, where it differs.
    void drawMaskLine(PixelPoint from, PixelPoint to, std::uint8_t mask);
    // Gives the cells along the line the alpha (top byte) of value, keeping
    // their colour and mask. 32-bit images only; elsewhere nothing happens.
    void drawAlphaLine(PixelPoint from, PixelPoint to, std::uint32_t value);
    // saved[k] = the cell at point k of the line, for the points inside the
    // image (and below saved.size()); true when at least one point was inside.
    bool saveLine(PixelPoint from, PixelPoint to, std::span<Cell> saved) const;
    // Writes saved[k] back at every inside point k of the line where it differs.
    void restoreLine(PixelPoint from, PixelPoint to, std::span<const Cell> saved);

    // Sets the cells (row, first..last).
    void fillSpan(std::int32_t row, std::int32_t first, std::int32_t last, std::uint32_t value, std::uint8_t mask);
    // Moves the pixel's alpha one step; false, changing nothing, when it is
    // already at the limit, outside the image, or the image is not 32-bit.
    bool nudgeAlpha(std::int32_t row, std::int32_t column, AlphaDirection direction);
    void fillRect(const PixelRect& rect, std::uint32_t value, std::uint8_t mask);
    // Sizes grid to rect and copies the cells into it (grid row i = image row
    // rect.top + i). False, grid untouched, unless rect is non-empty and inside the image.
    bool saveBlock(const PixelRect& rect, CellGrid& grid) const;
    // Copies grid (laid out as saveBlock leaves it) back into rect.
    void restoreBlock(const PixelRect& rect, const CellGrid& grid);
    // Lays grid over rect: cells with mask 1 leave the image as it is; the
    // others are blended over it (32 bits, see compositeColor) or copied,
    // and the image cell's mask becomes 0.
    void composite(const PixelRect& rect, const CellGrid& grid);

private:
    template <typename Visit> void walkLine(PixelPoint from, PixelPoint to, Visit visit) const;
    // The part of rect inside both the image and a grid of the given size
    // laid at rect's top-left corner.
    PixelRect clipToImage(const PixelRect& rect, const CellGrid& grid) const;
    void report(const PixelRect& changed);
    void reportReplaced();

    CellGrid m_cells;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_bitCount = 0;
    EditImageObserver* m_canvas = nullptr;
    EditImageObserver* m_preview = nullptr;
};

} // namespace tessaly
