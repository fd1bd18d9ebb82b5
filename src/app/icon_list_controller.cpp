#include "app/icon_list_controller.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {
namespace {

// How far the pointer moves with a button held before the press is a drag.
constexpr std::int32_t kDragThreshold = 3;

} // namespace

IconListController::IconListController(IconListState& state, PopupMenu& menu, ListDoubleClick doubleClick,
                                       ListDragging dragging)
    : m_state(state)
    , m_menu(menu)
    , m_openOnDoubleClick(doubleClick == ListDoubleClick::OpensForEditing)
    , m_dragAllowed(dragging == ListDragging::On)
{
}

void IconListController::buttonDown(MouseButton button, ClientPoint point)
{
    if (!m_host || ignores(button))
        return;
    const std::int32_t item = m_state.itemAt(point);
    if (m_dragAllowed && item >= 0) {
        const ClientRect thumbnail = m_state.layout().thumbnailRect(item);
        const ClientPoint scroll = m_state.scrollPosition();
        m_pressItem = item;
        m_pressPoint = point;
        m_grab = {point.x + scroll.x - thumbnail.left, point.y + scroll.y - thumbnail.top};
        m_button = button;
        m_host->captureMouse();
        m_pressed = true;
    }
    m_state.selectItem(item);
}

void IconListController::mouseMove(ClientPoint point)
{
    if (!m_host)
        return;
    if (m_pressed) {
        if (m_dragging) {
            m_host->showDragImage(m_pressItem, cornerFor(point));
        } else if (std::abs(point.x - m_pressPoint.x) > kDragThreshold ||
                   std::abs(point.y - m_pressPoint.y) > kDragThreshold) {
            // The image first shows on the next move.
            m_dragging = true;
        }
    }
    readOut(point);
}

void IconListController::readOut(ClientPoint point)
{
    if (m_status)
        m_status->listReadout({m_state.itemAt(point), m_state.tab(), m_state.count(), m_state.editedIndex()});
}

void IconListController::buttonUp(MouseButton button, ClientPoint point)
{
    if (!m_host || ignores(button))
        return;
    if (button == MouseButton::Right) {
        const bool dragging = m_dragging;
        const std::int32_t position = m_state.dropIndex(dragging ? cornerFor(point) : point);
        m_host->showMenu(m_menu.prepare(dragging, position), point);
        if (m_pressed)
            endPress();
        return;
    }
    if (!m_pressed)
        return;
    if (m_dragging) {
        const std::int32_t to = std::clamp(m_state.dropIndex(cornerFor(point)), 0, m_state.count());
        const std::int32_t from = m_pressItem;
        // Away first, so that the moved list repaints without it.
        m_host->hideDragImage();
        m_dragging = false;
        m_state.moveItem(from, to);
    }
    endPress();
}

void IconListController::endPress()
{
    if (m_dragging)
        m_host->hideDragImage();
    m_dragging = false;
    m_pressItem = -1;
    m_pressed = false;
    m_host->releaseMouse();
}

void IconListController::doubleClick(ClientPoint point)
{
    if (!m_host || !m_openOnDoubleClick)
        return;
    m_state.selectItem(m_state.itemAt(point));
    m_menu.execute(static_cast<std::int32_t>(ListMenuCommand::OpenIconForEditing));
    // The status bar names the edited icon from now, not once the mouse moves.
    readOut(point);
}

void IconListController::captureLost()
{
    if (m_pressed)
        endPress();
}

void IconListController::command(std::int32_t id)
{
    m_menu.execute(id);
}

void IconListController::menuSelect(std::int32_t id)
{
    if (m_status)
        m_status->listPopupHint(id);
}

} // namespace tessaly
