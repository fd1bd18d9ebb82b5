#include "editing/canvas_controller.h"

#include "document/fill_entry.h"

namespace tessaly {

CanvasController::CanvasController(EditImage& image, ToolState& toolState, UndoHistory& history, Selection& selection,
                                   SelectionCommands& commands)
    : m_image(image)
    , m_toolState(toolState)
    , m_history(history)
    , m_selection(selection)
    , m_commands(commands)
    , m_lineDrag(image, history)
    , m_rectDrag(image, history)
{
}

CanvasController::~CanvasController() = default;

void CanvasController::setView(CanvasGeometry* geometry, CanvasHost* host)
{
    m_geometry = geometry;
    m_host = host;
}

void CanvasController::buttonDown(MouseButton button, ClientPoint point, ModifierKeys keys)
{
    static_cast<void>(keys);
    if (m_geometry == nullptr || m_host == nullptr)
        return;
    const bool left = button == MouseButton::Left;
    // A second press of the button whose drag is open means its release was
    // lost; close that drag so that nothing it opened leaks.
    if ((left && m_leftPressed) || (!left && m_rightPressed))
        endDrag(m_toolState.tool());
    const bool otherPressed = left ? m_rightPressed : m_leftPressed;
    if (!otherPressed && m_image.hasImage()) {
        const ToolId tool = m_toolState.tool();
        const PixelPoint pixel = m_geometry->windowToPixel(point);
        if (left) {
            if (!pressLeft(tool, pixel, point))
                return;
        } else {
            pressRight(tool, pixel);
        }
        m_host->captureMouse();
        (left ? m_leftPressed : m_rightPressed) = true;
        m_pressPoint = point;
    }
    finishEvent(point);
}

void CanvasController::mouseMove(ClientPoint point, ModifierKeys keys)
{
    static_cast<void>(keys);
    if (m_geometry == nullptr || m_host == nullptr)
        return;
    if (m_image.hasImage()) {
        const PixelPoint pixel = m_geometry->windowToPixel(point);
        if (m_leftPressed)
            moveLeft(m_toolState.tool(), pixel, point);
        else if (m_rightPressed)
            moveRight(m_toolState.tool(), pixel);
    }
    finishEvent(point);
}

void CanvasController::buttonUp(MouseButton button, ClientPoint point, ModifierKeys keys)
{
    static_cast<void>(keys);
    if (m_geometry == nullptr || m_host == nullptr)
        return;
    const bool left = button == MouseButton::Left;
    if (left ? !m_leftPressed : !m_rightPressed)
        return;
    const ToolId tool = m_toolState.tool();
    endDrag(tool);
    if (!left && tool == ToolId::Select && m_image.hasImage())
        m_host->showSelectionMenu(point, m_selection.hitTest(point) == SelectionHit::Inside);
}

void CanvasController::doubleClick(MouseButton button, ClientPoint point, ModifierKeys keys)
{
    static_cast<void>(point);
    static_cast<void>(keys);
    if (button == MouseButton::Left && m_image.hasImage() && m_toolState.tool() == ToolId::Select)
        m_commands.commit();
}

void CanvasController::timerTick(std::uint32_t timerId)
{
    if (timerId != CanvasHost::kFineAdjustTimerId || m_nudge == nullptr || m_geometry == nullptr || m_host == nullptr)
        return;
    const PixelPoint pixel = m_geometry->windowToPixel(m_host->pointerPosition());
    if (!m_image.contains(pixel.row, pixel.column))
        return;
    m_nudge->nudge(pixel);
    m_host->canvasReadout(pixel);
}

void CanvasController::captureLost()
{
    if (m_leftPressed || m_rightPressed)
        endDrag(m_toolState.tool());
}

void CanvasController::toolChanging(ToolId from, ToolId to)
{
    static_cast<void>(to);
    if (m_leftPressed || m_rightPressed)
        endDrag(from);
}

void CanvasController::endDrag(ToolId tool)
{
    closeDrag(tool);
    // Forgotten before the capture goes: releasing it reports the loss back
    // at once, and that report must find no drag left to close.
    m_leftPressed = false;
    m_rightPressed = false;
    m_pressPoint = ClientPoint{};
    if (m_host != nullptr)
        m_host->releaseMouse();
}

bool CanvasController::pressLeft(ToolId tool, PixelPoint pixel, ClientPoint point)
{
    const std::uint32_t drawing = m_toolState.drawingValue();
    const std::uint32_t background = m_toolState.backgroundValue();
    switch (tool) {
    case ToolId::Pencil:
    case ToolId::PencilEraser:
        beginStroke(StrokeKind::ValueAndMask, drawing, 0, pixel);
        break;
    case ToolId::Eraser:
        beginStroke(StrokeKind::ValueAndMask, background, 1, pixel);
        break;
    case ToolId::Fill:
    case ToolId::FillStrip:
        floodFill(pixel, drawing, 0);
        break;
    case ToolId::Strip:
        floodFill(pixel, background, 1);
        break;
    case ToolId::Eyedropper:
        pick(pixel);
        break;
    case ToolId::PencilEyedropper:
        beginStroke(StrokeKind::ValueAndMask, drawing, m_toolState.drawingMaskFlag(), pixel);
        break;
    case ToolId::FillEyedropper:
        floodFill(pixel, drawing, m_toolState.drawingMaskFlag());
        break;
    case ToolId::AlphaSet:
        beginStroke(StrokeKind::AlphaOnly, drawing, 0, pixel);
        break;
    case ToolId::AlphaNudge:
        beginNudge(AlphaDirection::Lower);
        break;
    case ToolId::Line:
        m_lineDrag.start(pixel, drawing, 0, *m_host);
        break;
    case ToolId::RectFill:
        m_rectDrag.start(pixel, drawing, 0, *m_host);
        m_host->setAutoScroll(true);
        break;
    case ToolId::MaskAdjust:
        beginStroke(StrokeKind::MaskOnly, 0, 1, pixel);
        break;
    case ToolId::Select:
        return pressSelect(pixel, point);
    case ToolId::Move:
        if (!m_image.contains(pixel.row, pixel.column))
            return false;
        m_scrollAtPress = m_geometry->scrollPosition();
        break;
    }
    return true;
}

void CanvasController::pressRight(ToolId tool, PixelPoint pixel)
{
    const std::uint32_t background = m_toolState.backgroundValue();
    switch (tool) {
    case ToolId::PencilEraser:
        beginStroke(StrokeKind::ValueAndMask, background, 1, pixel);
        break;
    case ToolId::PencilEyedropper:
    case ToolId::FillEyedropper:
        pick(pixel);
        break;
    case ToolId::FillStrip:
        floodFill(pixel, background, 1);
        break;
    case ToolId::AlphaSet:
        pickAlpha(pixel);
        break;
    case ToolId::AlphaNudge:
        beginNudge(AlphaDirection::Raise);
        break;
    case ToolId::Line:
        m_lineDrag.start(pixel, background, 1, *m_host);
        break;
    case ToolId::RectFill:
        m_rectDrag.start(pixel, background, 1, *m_host);
        m_host->setAutoScroll(true);
        break;
    case ToolId::MaskAdjust:
        beginStroke(StrokeKind::MaskOnly, 0, 0, pixel);
        break;
    default:
        break;
    }
}

void CanvasController::moveLeft(ToolId tool, PixelPoint pixel, ClientPoint point)
{
    switch (tool) {
    case ToolId::Pencil:
    case ToolId::Eraser:
    case ToolId::PencilEraser:
    case ToolId::PencilEyedropper:
    case ToolId::AlphaSet:
    case ToolId::MaskAdjust:
        continueStroke(pixel);
        break;
    case ToolId::Eyedropper:
        pick(pixel);
        break;
    case ToolId::Line:
        m_lineDrag.moveTo(pixel, *m_host);
        break;
    case ToolId::RectFill:
        m_rectDrag.moveTo(pixel, *m_host);
        break;
    case ToolId::Select:
        dragSelect(pixel, point);
        break;
    case ToolId::Move:
        dragView(point);
        break;
    default:
        break;
    }
}

void CanvasController::moveRight(ToolId tool, PixelPoint pixel)
{
    switch (tool) {
    case ToolId::PencilEraser:
    case ToolId::MaskAdjust:
        continueStroke(pixel);
        break;
    case ToolId::PencilEyedropper:
    case ToolId::FillEyedropper:
        pick(pixel);
        break;
    case ToolId::AlphaSet:
        pickAlpha(pixel);
        break;
    case ToolId::Line:
        m_lineDrag.moveTo(pixel, *m_host);
        break;
    case ToolId::RectFill:
        m_rectDrag.moveTo(pixel, *m_host);
        break;
    default:
        break;
    }
}

void CanvasController::closeDrag(ToolId tool)
{
    switch (tool) {
    case ToolId::AlphaNudge:
        closeNudge();
        break;
    case ToolId::Line:
        m_lineDrag.commit(*m_host);
        break;
    case ToolId::RectFill:
        m_rectDrag.commit(*m_host);
        m_host->setAutoScroll(false);
        break;
    case ToolId::Select:
        endSelectDrag();
        break;
    default:
        break;
    }
    // Whatever the tool, a stroke still open is closed: after a tool change
    // in mid-drag the current tool need not be the one that opened it.
    closeStroke();
}

void CanvasController::beginStroke(StrokeKind kind, std::uint32_t value, std::uint8_t mask, PixelPoint pixel)
{
    closeStroke();
    m_stroke = std::make_unique<StrokeEntry>(m_image, kind, value, mask);
    m_stroke->begin(pixel);
}

void CanvasController::continueStroke(PixelPoint pixel)
{
    if (m_stroke != nullptr)
        m_stroke->continueTo(pixel);
}

void CanvasController::closeStroke()
{
    if (m_stroke != nullptr && !m_stroke->isEmpty())
        m_history.push(std::move(m_stroke));
    m_stroke.reset();
}

void CanvasController::pick(PixelPoint pixel)
{
    if (!m_image.contains(pixel.row, pixel.column))
        return;
    const Cell& cell = m_image.cellAt(pixel.row, pixel.column);
    m_toolState.setDrawingValue(cell.value);
    m_toolState.setDrawingMaskFlag(cell.mask);
}

void CanvasController::pickAlpha(PixelPoint pixel)
{
    if (m_image.contains(pixel.row, pixel.column))
        m_toolState.setDrawingAlpha(m_image.valueAt(pixel.row, pixel.column));
}

void CanvasController::floodFill(PixelPoint pixel, std::uint32_t value, std::uint8_t mask)
{
    auto entry = std::make_unique<FillEntry>(m_image);
    if (entry->fill(pixel.row, pixel.column, value, mask))
        m_history.push(std::move(entry));
}

void CanvasController::beginNudge(AlphaDirection direction)
{
    closeNudge();
    m_nudge = std::make_unique<AlphaNudgeEntry>(m_image, direction);
    m_host->startTimer(CanvasHost::kFineAdjustTimerId, CanvasHost::kFineAdjustPeriodMs);
}

void CanvasController::closeNudge()
{
    if (m_nudge == nullptr)
        return;
    m_host->killTimer(CanvasHost::kFineAdjustTimerId);
    if (!m_nudge->isEmpty())
        m_history.push(std::move(m_nudge));
    m_nudge.reset();
}

bool CanvasController::pressSelect(PixelPoint pixel, ClientPoint point)
{
    const SelectionHit hit = m_selection.hitTest(point);
    const PixelRect& rect = m_selection.rect();
    m_movingSelection = false;
    m_resizeKind = SelectionHit::None;
    switch (hit) {
    case SelectionHit::None:
        if (m_selection.hasContent()) {
            // The click only ends the floating content; it marks nothing.
            m_commands.commit();
            return false;
        }
        m_selection.setRect(PixelRect{pixel.row, pixel.column, pixel.row, pixel.column});
        m_anchor = pixel;
        break;
    case SelectionHit::Inside:
        m_movingSelection = true;
        m_anchor = PixelPoint{rect.top, rect.left};
        break;
    default:
        m_resizeKind = hit;
        m_anchor.row = (hit == SelectionHit::Top || hit == SelectionHit::TopLeft || hit == SelectionHit::TopRight)
                           ? rect.top
                           : rect.bottom;
        m_anchor.column = (hit == SelectionHit::Left || hit == SelectionHit::TopLeft || hit == SelectionHit::BottomLeft)
                              ? rect.left
                              : rect.right;
        break;
    }
    m_host->setAutoScroll(true);
    return true;
}

void CanvasController::dragSelect(PixelPoint pixel, ClientPoint point)
{
    const PixelPoint delta = m_geometry->deltaToPixels(ClientPoint{point.x - m_pressPoint.x, point.y - m_pressPoint.y});
    const PixelPoint moved{m_anchor.row + delta.row, m_anchor.column + delta.column};
    if (m_movingSelection) {
        m_selection.moveTo(moved);
        return;
    }
    if (m_resizeKind == SelectionHit::None) {
        m_selection.setRect(PixelRect{std::min(pixel.row, m_anchor.row), std::min(pixel.column, m_anchor.column),
                                      std::max(pixel.row, m_anchor.row), std::max(pixel.column, m_anchor.column)});
        return;
    }
    PixelRect r = m_selection.rect();
    const SelectionHit k = m_resizeKind;
    if (k == SelectionHit::Top || k == SelectionHit::TopLeft || k == SelectionHit::TopRight)
        r.top = std::min(moved.row, r.bottom);
    if (k == SelectionHit::Bottom || k == SelectionHit::BottomLeft || k == SelectionHit::BottomRight)
        r.bottom = std::max(moved.row, r.top);
    if (k == SelectionHit::Left || k == SelectionHit::TopLeft || k == SelectionHit::BottomLeft)
        r.left = std::min(moved.column, r.right);
    if (k == SelectionHit::Right || k == SelectionHit::TopRight || k == SelectionHit::BottomRight)
        r.right = std::max(moved.column, r.left);
    m_selection.scaleTo(r);
}

void CanvasController::endSelectDrag()
{
    m_movingSelection = false;
    m_resizeKind = SelectionHit::None;
    m_anchor = PixelPoint{};
    if (m_host != nullptr)
        m_host->setAutoScroll(false);
}

void CanvasController::dragView(ClientPoint point)
{
    m_geometry->scrollTo(
        ClientPoint{m_scrollAtPress.x + m_pressPoint.x - point.x, m_scrollAtPress.y + m_pressPoint.y - point.y});
}

CanvasCursor CanvasController::cursorAt(ClientPoint point) const
{
    if (m_toolState.tool() != ToolId::Select || !m_selection.hasRect())
        return CanvasCursor::Arrow;
    SelectionHit hit = m_resizeKind;
    if (m_movingSelection)
        hit = SelectionHit::Inside;
    else if (!m_leftPressed)
        hit = m_selection.hitTest(point);
    switch (hit) {
    case SelectionHit::Inside:
        return CanvasCursor::SizeAll;
    case SelectionHit::Top:
    case SelectionHit::Bottom:
        return CanvasCursor::SizeNS;
    case SelectionHit::Left:
    case SelectionHit::Right:
        return CanvasCursor::SizeWE;
    case SelectionHit::TopLeft:
    case SelectionHit::BottomRight:
        return CanvasCursor::SizeNWSE;
    case SelectionHit::BottomLeft:
    case SelectionHit::TopRight:
        return CanvasCursor::SizeNESW;
    case SelectionHit::None:
        break;
    }
    return CanvasCursor::Arrow;
}

void CanvasController::finishEvent(ClientPoint point)
{
    m_host->setCursor(cursorAt(point));
    if (m_image.hasImage())
        m_host->canvasReadout(m_geometry->windowToPixel(point));
}

} // namespace tessaly
