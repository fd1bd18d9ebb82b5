#pragma once

#include <cstdint>

#include "app/popup_menu.h"
#include "editing/client_point.h"

namespace tessaly {

// What the list controller asks of its window: the mouse capture, the image
// that follows the pointer during a drag, and the popup. Points are client
// coordinates.
class IconListHost {
public:
    virtual ~IconListHost() = default;

    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
    // Draws item `index`'s drag image at once with its top-left corner at
    // `corner`, taking it away from where it was.
    virtual void showDragImage(std::int32_t index, ClientPoint corner) = 0;
    virtual void hideDragImage() = 0;
    // Shows the popup at `point` until it closes; the chosen item comes back
    // through the controller's command.
    virtual void showMenu(const ListMenuChoice& menu, ClientPoint point) = 0;
};

} // namespace tessaly
