#include "editing/canvas_controller.h"

namespace tessaly {

CanvasController::CanvasController(EditImage& image, ToolState& toolState, UndoHistory& history, Selection& selection,
                                   SelectionCommands& commands)
    : m_image(image)
    , m_toolState(toolState)
    , m_context(image, toolState, history, selection, commands)
    , m_tools(m_context)
{
}

CanvasController::~CanvasController() = default;

void CanvasController::setView(CanvasGeometry* geometry, CanvasHost* host)
{
    m_geometry = geometry;
    m_host = host;
    m_context.setView(geometry, host);
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
        const PixelPoint pixel = m_geometry->windowToPixel(point);
        if (!m_tools.of(m_toolState.tool(), button).press(pixel, point))
            return;
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
            m_tools.of(m_toolState.tool(), MouseButton::Left).move(pixel, point, m_pressPoint);
        else if (m_rightPressed)
            m_tools.of(m_toolState.tool(), MouseButton::Right).move(pixel, point, m_pressPoint);
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
    if (m_image.hasImage())
        m_tools.of(tool, button).released(point);
}

void CanvasController::doubleClick(MouseButton button, ClientPoint point, ModifierKeys keys)
{
    static_cast<void>(point);
    static_cast<void>(keys);
    if (m_image.hasImage())
        m_tools.of(m_toolState.tool(), button).doubleClick();
}

void CanvasController::timerTick(std::uint32_t timerId)
{
    if (timerId == CanvasHost::kFineAdjustTimerId)
        m_context.tickNudge();
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

void CanvasController::closeDrag(ToolId tool)
{
    m_tools.of(tool, m_leftPressed ? MouseButton::Left : MouseButton::Right).close();
    // Whatever the tool, a stroke still open is closed: after a tool change
    // in mid-drag the current tool need not be the one that opened it.
    m_context.closeStroke();
}

CanvasCursor CanvasController::cursorAt(ClientPoint point) const
{
    return m_tools.of(m_toolState.tool(), MouseButton::Left).cursor(point, m_leftPressed);
}

void CanvasController::finishEvent(ClientPoint point)
{
    m_host->setCursor(cursorAt(point));
    if (m_image.hasImage())
        m_host->canvasReadout(m_geometry->windowToPixel(point));
}

} // namespace tessaly
