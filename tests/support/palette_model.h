#pragma once

#include <vector>

#include "palette/color_window_controller.h"
#include "palette/palette_menu.h"
#include "palette/palette_window_controller.h"
#include "support/document_model.h"

namespace tessaly::test {

// The editor's object graph with what the palette tests do often: opening
// an icon for editing and ending the edit, the prompts answered.
struct PaletteModel : DocumentModel {
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
};

} // namespace tessaly::test
