#include "editing/selection_commands.h"

#include <memory>

#include "document/move_entry.h"
#include "document/rect_fill_entry.h"
#include "document/stamp_entry.h"

namespace tessaly {

SelectionCommands::SelectionCommands(EditImage& image, Selection& selection, ToolState& toolState, UndoHistory& history,
                                     ImageClipboard& clipboard)
    : m_image(image)
    , m_selection(selection)
    , m_toolState(toolState)
    , m_history(history)
    , m_clipboard(clipboard)
{
}

bool SelectionCommands::copyToClipboard()
{
    if (!m_image.hasImage() || !m_selection.hasRect())
        return false;
    CellGrid colours;
    const bool copied = m_selection.hasContent() ? colours.copyFrom(m_selection.display())
                                                 : m_image.saveBlock(m_selection.rect(), colours);
    if (!copied)
        return false;
    // The clipboard holds colours whatever the image's mode, so that a paste
    // into an image of another mode finds the nearest colours there.
    for (std::int32_t r = 0; r < colours.rows(); ++r) {
        for (Cell& cell : colours.row(r))
            cell.value = m_selection.colourOfValue(cell.value);
    }
    m_clipboard.storeCopy(std::move(colours));
    return true;
}

void SelectionCommands::copy()
{
    copyToClipboard();
}

void SelectionCommands::cut()
{
    if (copyToClipboard())
        deleteSelection();
}

void SelectionCommands::discardLifted()
{
    const PixelRect liftRect = m_selection.liftRect();
    m_selection.putBack();
    auto entry = std::make_unique<RectFillEntry>(m_image);
    if (entry->apply(liftRect, m_toolState.backgroundValue(), 1))
        m_history.push(std::move(entry));
}

void SelectionCommands::deleteSelection()
{
    if (!m_image.hasImage() || !m_selection.hasRect())
        return;
    if (!m_selection.hasContent()) {
        auto entry = std::make_unique<RectFillEntry>(m_image);
        if (entry->apply(m_selection.rect(), m_toolState.backgroundValue(), 1))
            m_history.push(std::move(entry));
    } else if (m_selection.isLifted()) {
        discardLifted();
    }
    m_selection.reset();
}

void SelectionCommands::paste()
{
    if (!m_image.hasImage() || m_clipboard.isEmpty())
        return;
    m_toolState.setTool(ToolId::Select);
    if (m_selection.isLifted())
        discardLifted();
    m_selection.loadContent(m_clipboard.content());
}

void SelectionCommands::selectAll()
{
    if (!m_image.hasImage())
        return;
    m_toolState.setTool(ToolId::Select);
    if (m_selection.hasContent()) {
        m_selection.putBack();
        m_selection.reset();
    }
    m_selection.setRect(m_image.bounds());
}

void SelectionCommands::commit()
{
    if (!m_image.hasImage())
        return;
    const PixelRect rect = m_selection.rect();
    if (!rect.isEmpty() && m_selection.isLifted()) {
        auto entry = std::make_unique<MoveEntry>(m_image, m_toolState.backgroundValue());
        if (entry->apply(m_selection.liftRect(), m_selection.under(), rect, m_selection.display()))
            m_history.push(std::move(entry));
    } else if (!rect.isEmpty() && m_selection.hasContent()) {
        auto entry = std::make_unique<StampEntry>(m_image);
        if (entry->apply(m_selection.display(), rect))
            m_history.push(std::move(entry));
    }
    m_selection.reset();
}

void SelectionCommands::cancel()
{
    if (!m_image.hasImage() || !m_selection.hasRect())
        return;
    m_selection.putBack();
    m_selection.reset();
}

bool SelectionCommands::run(std::int32_t commandId)
{
    switch (static_cast<SelectionCommand>(commandId)) {
    case SelectionCommand::Cut:
        cut();
        return true;
    case SelectionCommand::Copy:
        copy();
        return true;
    case SelectionCommand::Paste:
        paste();
        return true;
    case SelectionCommand::Delete:
        deleteSelection();
        return true;
    case SelectionCommand::SelectAll:
        selectAll();
        return true;
    case SelectionCommand::Commit:
        commit();
        return true;
    case SelectionCommand::Cancel:
        cancel();
        return true;
    }
    return false;
}

SelectionMenuState SelectionCommands::menuState(bool inside) const
{
    SelectionMenuState state;
    state.cut = inside;
    state.copy = inside;
    state.deleteSelection = inside;
    state.paste = !m_clipboard.isEmpty();
    state.selectAll = !inside;
    state.commit = m_selection.hasRect();
    state.cancel = m_selection.hasRect();
    return state;
}

bool SelectionCommands::storeEditedImage(IconImage& icon)
{
    commit();
    return m_image.storeInto(icon);
}

void SelectionCommands::toolChanging(ToolId from, ToolId to)
{
    static_cast<void>(to);
    if (from == ToolId::Select)
        commit();
}

} // namespace tessaly
