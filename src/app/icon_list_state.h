#pragma once

#include <cstdint>
#include <vector>

#include "app/icon_list_layout.h"
#include "app/icon_list_surface.h"
#include "app/thumbnail_cache.h"
#include "editing/client_point.h"
#include "image/color_value.h"
#include "image/icon_collection.h"

namespace tessaly {

// What one icon list view shows besides the images: the grid, the selected
// item, the item open for editing (the edit list's only), the background
// and whether repeated formats are marked, with the thumbnails. It listens
// to its collection and lays out again after every change. Indices are kept
// as they are by a change, except that an empty list has none; an index
// outside the list designates no icon.
class IconListState final : public IconCollectionListener {
public:
    // tab: the number of the list's tab in the pane (edit 0, trash 1, import 2).
    IconListState(IconCollection& list, std::int32_t tab);
    ~IconListState() override;
    IconListState(const IconListState&) = delete;
    IconListState& operator=(const IconListState&) = delete;

    // The window, set once it exists; lays out for it.
    void setSurface(IconListSurface* surface);

    IconCollection& collection() { return m_list; }
    const IconCollection& collection() const { return m_list; }
    std::int32_t count() const { return m_list.count(); }
    std::int32_t tab() const { return m_tab; }
    const IconListLayout& layout() const { return m_layout; }

    // Lays the grid out for the surface's width (on every change of the
    // list and every resize).
    void relayout();
    void collectionChanged(const IconCollection& collection) override;

    std::int32_t selectedIndex() const { return m_selected; }
    std::int32_t editedIndex() const { return m_edited; }
    // The index when it designates an icon of the list, else -1.
    std::int32_t selectedIcon() const { return designated(m_selected); }
    std::int32_t editedIcon() const { return designated(m_edited); }
    // -1 clears the highlight.
    void selectItem(std::int32_t index);
    void setEditedIndex(std::int32_t index);
    // The item's image changed in place (and was marked changed): its
    // thumbnail is repainted from a new resampling.
    void repaintItem(std::int32_t index);

    // Moves item `from` to the insertion point `to` (clamped to 0..count),
    // keeping the edited index on its icon and selecting the moved one.
    // False, changing nothing, when nothing moves.
    bool moveItem(std::int32_t from, std::int32_t to);

    // Hit tests in client coordinates at the surface's scroll position.
    ClientPoint scrollPosition() const { return m_surface ? m_surface->scrollPosition() : ClientPoint{}; }
    std::int32_t itemAt(ClientPoint point) const;
    std::int32_t dropIndex(ClientPoint corner) const;

    ColorValue background() const { return m_background; }
    void setBackground(ColorValue colour);
    bool marksDuplicates() const { return m_markDuplicates; }
    void setMarkDuplicates(bool mark);
    // Marked and an earlier item has the same width, height and bit count.
    bool showsAsDuplicate(std::int32_t index) const;

    const ThumbnailCache::Thumbnail& thumbnail(std::int32_t index) { return m_thumbnails.get(m_list, index); }
    const ThumbnailCache& thumbnails() const { return m_thumbnails; }

private:
    std::int32_t designated(std::int32_t index) const { return index >= 0 && index < count() ? index : -1; }
    void findDuplicates();

    IconCollection& m_list;
    std::int32_t m_tab;
    IconListSurface* m_surface = nullptr;
    IconListLayout m_layout;
    ThumbnailCache m_thumbnails;
    std::vector<bool> m_repeated;
    std::int32_t m_selected = -1;
    std::int32_t m_edited = -1;
    ColorValue m_background = 0;
    bool m_markDuplicates = false;
};

} // namespace tessaly
