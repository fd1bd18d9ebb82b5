#pragma once

#include <windows.h>

#include "app/icon_list_controller.h"
#include "app/icon_list_pane_win32.h"
#include "app/icon_list_view_win32.h"
#include "app/list_popup_menus_win32.h"
#include "support/canvas_workbench_win32.h"
#include "support/document_model.h"

namespace tessaly::test {

// The document model with the icon list pane in a frame, its three views
// and controllers wired as the editor wires them: for the window tests, the
// list viewer and the benchmark.
class IconListWorkbench : public DocumentModel {
public:
    explicit IconListWorkbench(const IconFileFormats& formats = builtInIconFileFormats())
        : DocumentModel(formats)
        , editView(editList, editController, menus)
        , trashView(trash, trashController, menus)
        , importView(imports, importController, menus)
        , pane(editView, trashView, importView)
    {
    }

    // The pane fills a frame of width x height.
    bool create(int width, int height, DWORD style = WS_POPUP)
    {
        if (!frame.create(width, height, style) || !menus.create())
            return false;
        RECT client{};
        frame.clientRect(client);
        if (!pane.create(frame, client, 10001))
            return false;
        // Shown, because a hidden window collects no update region.
        frame.show(SW_SHOWNOACTIVATE);
        return true;
    }

    HostFrame frame;
    ListPopupMenus menus;
    IconListView editView;
    IconListView trashView;
    IconListView importView;
    IconListPane pane;
};

} // namespace tessaly::test
