#include "document/undo_history.h"

#include <utility>

namespace tessaly {

void UndoHistory::push(std::unique_ptr<UndoEntry> step)
{
    if (!step)
        return;
    // Undone steps can never be redone after a new edit. If the saved marker
    // named one of them, no remaining step is the saved point: the edit
    // counts as unsaved until it is stored again or the history is cleared.
    while (m_links.size() > m_applied)
        m_links.pop_back();
    m_links.push_back(Link{m_nextId++, std::move(step)});
    m_applied = m_links.size();
}

bool UndoHistory::undo()
{
    if (!canUndo())
        return false;
    m_links[m_applied - 1].step->undo();
    --m_applied;
    return true;
}

bool UndoHistory::redo()
{
    if (!canRedo())
        return false;
    m_links[m_applied].step->redo();
    ++m_applied;
    return true;
}

void UndoHistory::clear()
{
    m_links.clear();
    m_applied = 0;
    m_savedId = kNone;
}

} // namespace tessaly
