#pragma once

#include <vector>

#include "app/edit_list_menu.h"
#include "app/icon_document.h"
#include "app/icon_list_controller.h"
#include "app/icon_list_state.h"
#include "app/import_menu.h"
#include "app/trash_menu.h"
#include "editing/editing_model.h"
#include "image/icon_collection.h"
#include "palette/color_window_controller.h"
#include "palette/model/palette.h"
#include "palette/palette_menu.h"
#include "palette/palette_window_controller.h"

namespace tessaly {

// Every object of the editor that is not a window, joined to each other: the
// program's object graph, which the program, the shell's tests and the
// benchmarks share. The windows are joined to it by whoever shows them.
// Members are destroyed in the reverse order, observers before what they
// observe.
struct EditorModel : EditingModel {
    explicit EditorModel(const IconFileFormats& formats)
        : editIcons(formats)
        , trashIcons(formats)
        , importIcons(formats)
    {
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
    }
    EditorModel(const EditorModel&) = delete;
    EditorModel& operator=(const EditorModel&) = delete;

    IconCollection editIcons;
    IconCollection trashIcons;
    IconCollection importIcons;

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
