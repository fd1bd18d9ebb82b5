#pragma once

namespace tessaly {

// One undoable step made to the edited image or its palette. A step is made
// and applied through its own building operation before the history takes
// it, so redo and undo only ever replay what already happened once.
class UndoEntry {
public:
    UndoEntry() = default;
    UndoEntry(const UndoEntry&) = delete;
    UndoEntry& operator=(const UndoEntry&) = delete;
    virtual ~UndoEntry() = default;

    // Applies the step again to its target.
    virtual void redo() = 0;
    // Takes the step back.
    virtual void undo() = 0;
};

} // namespace tessaly
