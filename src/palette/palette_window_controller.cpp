#include "palette/palette_window_controller.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {

PaletteWindowController::PaletteWindowController(Palette& palette, ToolState& toolState, PaletteMenu& menu)
    : m_palette(palette)
    , m_toolState(toolState)
    , m_menu(menu)
{
}

ClientPoint PaletteWindowController::scroll() const
{
    return m_view ? m_view->scrollPosition() : ClientPoint{};
}

void PaletteWindowController::resize(std::int32_t width, std::int32_t height)
{
    m_width = width;
    m_height = height;
    relayout();
}

void PaletteWindowController::relayout()
{
    m_grid.layout(m_width, m_height, m_palette.length(), m_showWhole);
    if (m_view)
        m_view->setContentHeight(m_grid.contentHeight());
}

void PaletteWindowController::setShowWhole(bool showWhole)
{
    if (showWhole == m_showWhole)
        return;
    m_showWhole = showWhole;
    relayout();
}

void PaletteWindowController::relayoutAndReset()
{
    relayout();
    m_rangeStart = 0;
    m_rangeEnd = -1;
    // A press on the old entries means nothing for the new ones.
    m_dragging = false;
    m_rangeMode = false;
    m_anchor = m_current = -1;
    const std::int32_t n = m_palette.length();
    if (n == 0) {
        m_selectedIndex = -1;
        return;
    }
    if (!m_palette.isLinked() || !m_toolState.isPaletteMode()) {
        m_selectedIndex = 0;
        return;
    }
    // Linked, the framed entry is the one the colour window shows and edits:
    // the drawing index, which opening the image has already set to its
    // background value.
    const std::uint32_t drawing = m_toolState.drawingValue();
    m_selectedIndex = drawing < static_cast<std::uint32_t>(n) ? static_cast<std::int32_t>(drawing) : 0;
    m_toolState.setDrawingValue(static_cast<std::uint32_t>(m_selectedIndex));
}

void PaletteWindowController::repaintCells(std::int32_t first, std::int32_t last)
{
    invalidateSquares(first, last);
}

void PaletteWindowController::selectIndex(std::int32_t index)
{
    if (index != m_selectedIndex) {
        const ClientPoint at = scroll();
        const bool drawn = m_view && m_grid.drawsAnything();
        if (drawn && m_selectedIndex >= 0)
            m_view->drawOutline(m_grid.frame(m_selectedIndex, at), kGridColour);
        m_selectedIndex = index;
        if (drawn && index >= 0)
            m_view->drawOutline(m_grid.frame(index, at), kFrameColour);
    }
    // Linked, the framed entry and the drawing index are one: the colour
    // window shows the drawing index and edits the framed entry.
    if (m_palette.isLinked() && m_toolState.isPaletteMode() && index >= 0 && index < m_palette.length())
        m_toolState.setDrawingValue(static_cast<std::uint32_t>(index));
}

void PaletteWindowController::drawingValueChanged(std::uint32_t value)
{
    if (m_toolState.isPaletteMode() && value <= static_cast<std::uint32_t>(INT32_MAX))
        selectIndex(static_cast<std::int32_t>(value));
}

void PaletteWindowController::setRange(std::int32_t start, std::int32_t end)
{
    if (end >= start) {
        if (rangeShown()) {
            // Only the cells that leave or join the range change.
            invalidateSquares(start, m_rangeStart - 1);
            invalidateSquares(m_rangeStart, start - 1);
            invalidateSquares(end + 1, m_rangeEnd);
            invalidateSquares(m_rangeEnd + 1, end);
        } else {
            invalidateSquares(start, end);
        }
    } else if (rangeShown()) {
        invalidateSquares(m_rangeStart, m_rangeEnd);
    }
    m_rangeStart = start;
    m_rangeEnd = end;
}

// The colour squares of first..last: one rectangle for a run within a row,
// whole rows otherwise.
void PaletteWindowController::invalidateSquares(std::int32_t first, std::int32_t last)
{
    if (!m_view || !m_grid.drawsAnything() || last < first)
        return;
    first = std::max(first, 0);
    if (last < first)
        return;
    const ClientPoint at = scroll();
    const std::int32_t columns = m_grid.columns();
    ViewRect area;
    if (first / columns == last / columns) {
        area = m_grid.colourSquare(first, at).united(m_grid.colourSquare(last, at));
    } else {
        const std::int32_t rowStart = first - first % columns;
        const std::int32_t rowEnd = last - last % columns + columns - 1;
        area = m_grid.colourSquare(rowStart, at).united(m_grid.colourSquare(rowEnd, at));
    }
    m_view->invalidate(area);
}

std::int32_t PaletteWindowController::indexAt(ClientPoint point) const
{
    return m_grid.indexAt(point, scroll());
}

bool PaletteWindowController::hitTest(ClientPoint point) const
{
    return m_grid.hitTest(point, scroll());
}

void PaletteWindowController::leftButtonDown(ClientPoint point)
{
    if (!hitTest(point))
        return;
    const std::int32_t index = indexAt(point);
    if (index < 0 || index >= m_palette.length())
        return;
    selectIndex(index);
    if (m_palette.isLinked())
        m_toolState.setDrawingValue(static_cast<std::uint32_t>(index));
    else
        m_toolState.setDrawingRGB(m_palette.entry(index));
}

void PaletteWindowController::rightButtonDown(ClientPoint point)
{
    const std::int32_t index = indexAt(point);
    if (index < 0 || index >= m_palette.length())
        return;
    m_dragging = true;
    m_anchor = m_current = index;
    m_pressPoint = point;
}

void PaletteWindowController::mouseMove(ClientPoint point)
{
    const std::int32_t index = indexAt(point);
    if (m_dragging) {
        m_current = std::clamp(index, 0, std::max(m_palette.length() - 1, 0));
        if (!m_rangeMode && (std::abs(point.x - m_pressPoint.x) >= kRangeThreshold ||
                             std::abs(point.y - m_pressPoint.y) >= kRangeThreshold))
            m_rangeMode = true;
        if (m_rangeMode)
            setRange(std::min(m_anchor, m_current), std::max(m_anchor, m_current));
    }
    if (m_status)
        m_status->paletteReadout(index, m_rangeStart, m_rangeEnd);
}

void PaletteWindowController::rightButtonUp(ClientPoint point)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    m_menu.prepare(m_rangeMode, std::min(m_anchor, m_current), std::max(m_anchor, m_current));
    if (m_view)
        m_view->showMenu(point, m_menu);
    endPress();
}

void PaletteWindowController::captureLost()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    endPress();
}

void PaletteWindowController::endPress()
{
    if (m_rangeMode) {
        setRange(0, -1);
        m_rangeMode = false;
    }
    m_anchor = m_current = -1;
}

void PaletteWindowController::menuCommand(std::uint32_t id)
{
    m_menu.execute(id);
}

void PaletteWindowController::menuHighlight(std::uint32_t id)
{
    if (m_status)
        m_status->palettePopupHint(static_cast<std::int32_t>(id));
}

} // namespace tessaly
