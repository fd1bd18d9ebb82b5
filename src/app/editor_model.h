#pragma once

#include <vector>

#include "app/edit_list_menu.h"
#include "app/icon_document.h"
#include "app/icon_list_controller.h"
#include "app/icon_list_state.h"
#include "app/import_menu.h"
#include "app/trash_menu.h"
#include "document/undo_history.h"
#include "editing/canvas_controller.h"
#include "editing/image_clipboard.h"
#include "editing/model/edit_image.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/tool_state.h"
#include "image/icon_collection.h"
#include "palette/color_window_controller.h"
#include "palette/model/palette.h"
#include "palette/palette_menu.h"
#include "palette/palette_window_controller.h"

namespace tessaly {

// Every object of the editor that is not a window, made in the order the
// program starts them and joined to each other; the windows are joined to
// them by the program (or a test) that shows them. Members are destroyed in
// the reverse order, observers before what they observe.
struct EditorModel {
    explicit EditorModel(const IconFileFormats& formats)
        : editIcons(formats)
        , trashIcons(formats)
        , importIcons(formats)
    {
        // An open drag is closed before floating content is committed.
        toolState.addObserver(&controller);
        toolState.addObserver(&commands);
        toolState.addObserver(&paletteController);
        toolState.addObserver(&colorController);
        palette.setObservers(PaletteObservers{&paletteController, &colorController, nullptr, nullptr});
        document.setOpenStepHolder(&colorController);
        editList.setMarkDuplicates(true);
        editList.setBackground(0xFFFFFF);
        trash.setBackground(0xDFDFDF);
        imports.setBackground(0xBFBFBF);
    }
    ~EditorModel()
    {
        document.setOpenStepHolder(nullptr);
        palette.setObservers(PaletteObservers{});
        toolState.removeObserver(&colorController);
        toolState.removeObserver(&paletteController);
        toolState.removeObserver(&commands);
        toolState.removeObserver(&controller);
    }
    EditorModel(const EditorModel&) = delete;
    EditorModel& operator=(const EditorModel&) = delete;

    IconCollection editIcons;
    IconCollection trashIcons;
    IconCollection importIcons;
    EditImage image;
    Palette palette;
    UndoHistory history;
    ToolState toolState{image};
    ImageClipboard clipboard;
    Selection selection{image, palette, toolState};
    SelectionCommands commands{image, selection, toolState, history, clipboard};
    CanvasController controller{image, toolState, history, selection, commands};

    IconListState editList{editIcons, 0};
    IconListState trash{trashIcons, 1};
    IconListState imports{importIcons, 2};
    IconDocument document{{editList, trash, imports, image, history, palette, toolState, selection, commands}};
    EditListMenu editMenu{document, editList};
    TrashMenu trashMenu{document, trash};
    ImportMenu importMenu{document, imports};
    IconListController editController{editList, editMenu, ListDoubleClick::OpensForEditing, ListDragging::On};
    IconListController trashController{trash, trashMenu, ListDoubleClick::Selects, ListDragging::On};
    IconListController importController{imports, importMenu, ListDoubleClick::Selects, ListDragging::Off};

    std::vector<ColorValue> paletteClipboard;
    PaletteMenu paletteMenu{palette, paletteClipboard, history};
    PaletteWindowController paletteController{palette, toolState, paletteMenu};
    ColorWindowController colorController{palette, toolState, history, paletteController};
};

} // namespace tessaly
