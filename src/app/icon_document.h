#pragma once

#include <cstdint>
#include <vector>

#include "app/icon_document_host.h"
#include "app/icon_list_state.h"
#include "document/open_step_holder.h"
#include "document/undo_history.h"
#include "editing/model/edit_image.h"
#include "editing/selection.h"
#include "editing/selection_commands.h"
#include "editing/tool_state.h"
#include "image/color_value.h"
#include "palette/model/palette.h"

namespace tessaly {

// The objects the document ties together; it owns none of them.
struct IconDocumentParts {
    IconListState& editList;
    IconListState& trash;
    IconListState& imports;
    EditImage& image;
    UndoHistory& history;
    Palette& palette;
    ToolState& toolState;
    Selection& selection;
    SelectionCommands& commands;
};

// The open icon file as the user works on it: the edit list (what Save
// writes), the trash, the import list, and at most one icon of the edit list
// open for editing, whose copy lives in the edit image. Every operation
// returns false when it did nothing or was cancelled; a cancelled dialog or
// prompt changes nothing. Acting on a selected icon needs a selected index
// that designates one.
//
// The edited index follows its icon when icons are moved, inserted, or
// removed before it. While a palette icon is open the palette is linked to
// its colour table, and the palette the user had before waits in the user
// palette until the editing ends.
class IconDocument {
public:
    explicit IconDocument(const IconDocumentParts& parts);
    IconDocument(const IconDocument&) = delete;
    IconDocument& operator=(const IconDocument&) = delete;

    // The dialogs and prompts; without a host every dialog is cancelled.
    void setHost(IconDocumentHost* host) { m_host = host; }
    // What keeps a step open (the colour window): closed before the edit is
    // stored or closed, so that a typed colour is saved or asked about.
    void setOpenStepHolder(OpenStepHolder* holder) { m_openSteps = holder; }

    // Appends a blank icon of the size and mode the user asks for.
    bool newIcon();
    // Appends an exact copy of the selected icon.
    bool duplicateIcon();
    // Appends a converted copy of the selected icon.
    bool createIconFrom();
    // Moves the selected icon to the trash, closing it first when it is the
    // edited one.
    bool moveIconToTrash();
    // Opens the selected icon for editing, closing the current edit first;
    // with no icon selected it only closes the edit.
    bool openIconForEditing();
    // Writes the edited copy (floating content committed first) back into
    // its icon, which becomes the history's saved point.
    bool saveEditedIcon();
    // Ends the editing, asking first whether to store unsaved changes.
    bool closeEditedIcon();
    // Moves the selected icon to the insertion point `position`.
    bool moveIconTo(std::int32_t position);
    // Inserts a copy of the selected icon at `position`; the selection stays
    // on the source.
    bool copyIconTo(std::int32_t position);
    // Moves the selected trash icon back to the end of the edit list.
    bool addFromTrash();
    // Deletes the selected trash icon for good.
    bool deleteFromTrash();
    // Deletes every trash icon for good.
    bool clearTrash();
    // Appends a copy of the selected imported icon.
    bool addFromImport();
    // Appends a converted copy of the selected imported icon.
    bool createFromImport();
    // Starts an untitled file when none is open.
    void ensureFile();
    // Undo and Redo. A colour typed in the colour window and floating
    // content are closed into steps first: Undo then takes back the newest
    // change, not one before it, and a typed colour is never pushed after
    // an undo, which would cut off the steps Redo should bring back.
    bool undo();
    bool redo();

    bool isFileOpen() const { return m_editList.collection().isNamed(); }
    // An icon is open and the edit image differs from it: the history is
    // past its saved point, or content floats that was never committed.
    bool hasUnsavedEdit() const;
    // The colours the free palette had when a palette icon was opened.
    std::vector<ColorValue>& userPalette() { return m_userPalette; }

private:
    IconCollection& editIcons() { return m_editList.collection(); }
    void closeOpenStep();
    // Converts source as the user chooses in the duplication dialog; false
    // when cancelled. `before` runs once the user has confirmed.
    template <typename Before> bool appendConverted(const IconImage& source, Before before);

    IconListState& m_editList;
    IconListState& m_trash;
    IconListState& m_imports;
    EditImage& m_image;
    UndoHistory& m_history;
    Palette& m_palette;
    ToolState& m_toolState;
    Selection& m_selection;
    SelectionCommands& m_commands;
    IconDocumentHost* m_host = nullptr;
    OpenStepHolder* m_openSteps = nullptr;
    std::vector<ColorValue> m_userPalette;
};

} // namespace tessaly
