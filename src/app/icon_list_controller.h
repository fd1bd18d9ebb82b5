#pragma once

#include <cstdint>
#include <optional>

#include "app/icon_list_host.h"
#include "app/icon_list_state.h"
#include "app/icon_list_status_sink.h"
#include "app/popup_menu.h"
#include "editing/canvas_input.h"
#include "editing/client_point.h"

namespace tessaly {

// What a double click on an item does.
enum class ListDoubleClick : bool { Selects, OpensForEditing };
// Whether items can be dragged to reorder the list.
enum class ListDragging : bool { Off, On };

// Runs the mouse on one icon list view: a press selects (a press beside the
// items clears the selection), a left drag of more than 3 pixels moves the
// item to where it is dropped, a right-button release shows the list's popup
// (after a right drag, the one that asks what to do at the drop point), and
// a double click opens the item for editing where the list allows it. One
// button at a time: the other button is ignored while one drags.
class IconListController {
public:
    IconListController(IconListState& state, PopupMenu& menu, ListDoubleClick doubleClick, ListDragging dragging);
    IconListController(const IconListController&) = delete;
    IconListController& operator=(const IconListController&) = delete;

    // The window, set once it exists; events before are ignored.
    void setHost(IconListHost* host) { m_host = host; }
    void setStatusSink(IconListStatusSink* sink) { m_status = sink; }

    void buttonDown(MouseButton button, ClientPoint point);
    void mouseMove(ClientPoint point);
    void buttonUp(MouseButton button, ClientPoint point);
    void doubleClick(ClientPoint point);
    // The window lost the capture to someone else: the drag ends where it
    // is, moving nothing.
    void captureLost();
    // A command of the popup, and the item highlighted in it.
    void command(std::int32_t id);
    void menuSelect(std::int32_t id);

    // True while `button`'s messages are to be ignored: the other one drags.
    bool ignores(MouseButton button) const { return m_pressed && button != m_button; }
    bool isPressed() const { return m_pressed; }
    bool isDragging() const { return m_dragging; }

private:
    // The drag image's corner for a pointer position.
    ClientPoint cornerFor(ClientPoint point) const { return {point.x - m_grab.x, point.y - m_grab.y}; }
    void endPress();
    void readOut(ClientPoint point);

    IconListState& m_state;
    PopupMenu& m_menu;
    IconListHost* m_host = nullptr;
    IconListStatusSink* m_status = nullptr;
    bool m_openOnDoubleClick;
    bool m_dragAllowed;

    bool m_pressed = false;
    bool m_dragging = false;
    MouseButton m_button = MouseButton::Left;
    std::int32_t m_pressItem = -1;
    ClientPoint m_pressPoint;
    // The pointer less the pressed thumbnail's corner, in content coordinates.
    ClientPoint m_grab;
};

} // namespace tessaly
