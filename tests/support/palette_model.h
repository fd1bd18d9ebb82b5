#pragma once

#include <vector>

#include "palette/color_window_controller.h"
#include "palette/palette_menu.h"
#include "palette/palette_window_controller.h"
#include "support/document_model.h"

namespace tessaly::test {

// The document model with the palette window's and the colour window's
// controllers wired in as the editor wires them. The views are set by
// whoever uses it.
struct PaletteModel : DocumentModel {
    PaletteModel()
    {
        palette.setObservers(PaletteObservers{&paletteController, &colorController, nullptr, nullptr});
        toolState.addObserver(&paletteController);
        toolState.addObserver(&colorController);
        document.setOpenStepHolder(&colorController);
    }
    ~PaletteModel()
    {
        document.setOpenStepHolder(nullptr);
        palette.setObservers(PaletteObservers{});
        toolState.removeObserver(&colorController);
        toolState.removeObserver(&paletteController);
    }

    // Adds a copy of icon to the edit list and opens it for editing, as a
    // double click does; an edit still open is dropped without saving.
    bool openForEditing(const IconImage& icon)
    {
        if (!document.isFileOpen())
            editIcons.newFile();
        if (!editIcons.addCopy(icon))
            return false;
        editList.selectItem(editIcons.count() - 1);
        host.answers = {PromptAnswer::No};
        const bool opened = document.openIconForEditing();
        host.answers.clear();
        return opened;
    }

    // Ends the edit, answering the save prompt (if it comes) with answer.
    bool closeEditing(PromptAnswer answer = PromptAnswer::No)
    {
        host.answers = {answer};
        const bool closed = document.closeEditedIcon();
        host.answers.clear();
        return closed;
    }

    std::vector<ColorValue>& userPalette() { return document.userPalette(); }
    std::vector<ColorValue> paletteClipboard;
    PaletteMenu paletteMenu{palette, paletteClipboard, history};
    PaletteWindowController paletteController{palette, toolState, paletteMenu};
    ColorWindowController colorController{palette, toolState, history, paletteController};
};

} // namespace tessaly::test
