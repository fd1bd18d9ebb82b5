#include "app/icon_list_state.h"

#include <algorithm>
#include <unordered_set>

namespace tessaly {

IconListState::IconListState(IconCollection& list, std::int32_t tab)
    : m_list(list)
    , m_tab(tab)
{
    m_list.setListener(this);
    findDuplicates();
}

IconListState::~IconListState()
{
    m_list.setListener(nullptr);
}

void IconListState::setSurface(IconListSurface* surface)
{
    m_surface = surface;
    relayout();
}

void IconListState::relayout()
{
    m_layout.layout(count(), m_surface ? m_surface->clientWidth() : 0);
    if (count() == 0)
        m_selected = m_edited = -1;
    if (m_surface)
        m_surface->listRelaidOut(m_layout.contentHeight());
}

void IconListState::collectionChanged(const IconCollection& collection)
{
    static_cast<void>(collection);
    m_thumbnails.sync(m_list);
    findDuplicates();
    relayout();
}

void IconListState::findDuplicates()
{
    m_repeated.assign(static_cast<std::size_t>(count()), false);
    // Width, height and bit count packed into one key: each side is at most
    // 16384 and a bit count at most 32.
    std::unordered_set<std::uint64_t> seen;
    for (std::int32_t i = 0; i < count(); ++i) {
        const IconImage& image = *m_list.get(i);
        const std::uint64_t key = static_cast<std::uint64_t>(image.width()) << 40 |
                                  static_cast<std::uint64_t>(image.height()) << 8 |
                                  static_cast<std::uint64_t>(image.bitCount());
        m_repeated[static_cast<std::size_t>(i)] = !seen.insert(key).second;
    }
}

void IconListState::selectItem(std::int32_t index)
{
    if (index == m_selected)
        return;
    const std::int32_t old = m_selected;
    m_selected = index;
    if (count() == 0 || !m_surface)
        return;
    if (designated(old) >= 0)
        m_surface->thumbnailChanged(old);
    if (designated(index) >= 0)
        m_surface->thumbnailChanged(index);
}

void IconListState::setEditedIndex(std::int32_t index)
{
    if (index == m_edited)
        return;
    const std::int32_t old = m_edited;
    m_edited = index;
    if (count() > 0 && m_surface)
        m_surface->editingFrameMoved(designated(old), designated(index));
}

void IconListState::repaintItem(std::int32_t index)
{
    if (designated(index) >= 0 && m_surface)
        m_surface->thumbnailChanged(index);
}

bool IconListState::moveItem(std::int32_t from, std::int32_t to)
{
    to = std::clamp(to, 0, count());
    const std::int32_t edited = m_edited;
    if (!m_list.move(from, to))
        return false;
    const std::int32_t moved = from < to ? to - 1 : to;
    if (edited == from)
        setEditedIndex(moved);
    else if (edited >= 0)
        setEditedIndex(edited + (edited >= to ? 1 : 0) - (from < edited ? 1 : 0));
    selectItem(moved);
    return true;
}

std::int32_t IconListState::itemAt(ClientPoint point) const
{
    return m_layout.itemAt(point, scrollPosition());
}

std::int32_t IconListState::dropIndex(ClientPoint corner) const
{
    return m_layout.dropIndex(corner, scrollPosition());
}

void IconListState::setBackground(ColorValue colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    if (m_surface)
        m_surface->appearanceChanged();
}

void IconListState::setMarkDuplicates(bool mark)
{
    if (mark == m_markDuplicates)
        return;
    m_markDuplicates = mark;
    if (m_surface)
        m_surface->appearanceChanged();
}

bool IconListState::showsAsDuplicate(std::int32_t index) const
{
    return m_markDuplicates && designated(index) >= 0 && m_repeated[static_cast<std::size_t>(index)];
}

} // namespace tessaly
