#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "document/undo_entry.h"

namespace tessaly {

// The linear, unbounded history of the steps made to the edited icon, with
// an undo cursor (the newest applied step), a redo cursor (the oldest undone
// step) and a saved marker: where the undo cursor stood when the edit was
// last stored back into the icon list.
class UndoHistory {
public:
    UndoHistory() = default;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    bool canUndo() const { return m_applied > 0; }
    bool canRedo() const { return m_applied < m_links.size(); }

    // Takes an already applied step: every undone step is discarded first,
    // and the step becomes the newest applied one. The step is not applied
    // again here. A null step is ignored.
    void push(std::unique_ptr<UndoEntry> step);
    // Takes back the newest applied step; false when there is none.
    bool undo();
    // Applies the oldest undone step again; false when there is none.
    bool redo();
    // Destroys every step; both cursors and the saved marker become none.
    void clear();

    // The undo cursor stands where the saved marker does (none equals none).
    bool isAtSavedPoint() const { return currentId() == m_savedId; }
    // The saved marker takes the undo cursor's place.
    void markSaved() { m_savedId = currentId(); }

    // The number of steps held, applied and undone.
    std::int32_t count() const { return static_cast<std::int32_t>(m_links.size()); }

private:
    // Each step carries an identity that is never reused, so a saved marker
    // whose step was discarded by a push can never match a later step (a
    // marker by address could, once the memory is reused).
    struct Link {
        std::uint64_t id;
        std::unique_ptr<UndoEntry> step;
    };
    static constexpr std::uint64_t kNone = 0;

    std::uint64_t currentId() const { return m_applied == 0 ? kNone : m_links[m_applied - 1].id; }

    // Oldest first. Links [0, m_applied) are applied, the rest are undone:
    // the undo cursor is link m_applied - 1, the redo cursor link m_applied.
    std::vector<Link> m_links;
    std::size_t m_applied = 0;
    std::uint64_t m_savedId = kNone;
    std::uint64_t m_nextId = 1;
};

} // namespace tessaly
