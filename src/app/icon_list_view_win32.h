#pragma once

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "app/icon_list_controller.h"
#include "app/icon_list_host.h"
#include "app/icon_list_state.h"
#include "app/icon_list_surface.h"
#include "app/list_popup_menus_win32.h"
#include "convert/dib_section_win32.h"
#include "ui/scroll_view_win32.h"

namespace tessaly {

// The scrolling window that shows one icon list as thumbnails with their
// size and bit count, the selected one tinted and the edited one framed, and
// hands the mouse to the list's controller. Painting composes the damaged
// part into one off-screen bitmap and copies it to the window once; the
// drag image is composed into the same bitmap, over what lies under it.
class IconListView final : public ScrollView, public IconListSurface, public IconListHost {
public:
    static constexpr ColorValue kDuplicateText = 0x4040FF;

    IconListView(IconListState& state, IconListController& controller, ListPopupMenus& menus);
    ~IconListView() override;

    // Creates the child window, shown or hidden, and lays out.
    bool create(const Window& parent, const RECT& rect, int id, bool visible);

    IconListState& state() { return m_state; }
    std::int32_t selectedIndex() const { return m_state.selectedIndex(); }
    std::int32_t editedIndex() const { return m_state.editedIndex(); }
    // Item i's thumbnail and label in client coordinates.
    RECT thumbnailClientRect(std::int32_t i) const;
    RECT labelClientRect(std::int32_t i) const;

    // What WM_PAINT draws for an update rectangle, into any device context.
    void paintInto(HDC dc, const RECT& update);

    // IconListSurface
    std::int32_t clientWidth() const override;
    ClientPoint scrollPosition() const override;
    void listRelaidOut(std::int32_t contentHeight) override;
    void thumbnailChanged(std::int32_t index) override;
    void editingFrameMoved(std::int32_t oldIndex, std::int32_t newIndex) override;
    void appearanceChanged() override;

    // IconListHost
    void captureMouse() override;
    void releaseMouse() override;
    void showDragImage(std::int32_t index, ClientPoint corner) override;
    void hideDragImage() override;
    void showMenu(const ListMenuChoice& menu, ClientPoint point) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool mouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    RECT toClient(const ClientRect& content) const;
    void invalidate(const ClientRect& content);
    bool ensureBuffer(int width, int height);
    void composeItems(const RECT& update);
    void composeThumbnail(std::int32_t index, const RECT& at);
    void composeLabels(std::int32_t index, const RECT& at);
    const std::vector<std::uint32_t>& renderedLabels(std::int32_t index);
    void composeEditingFrame(const RECT& at);
    void composeDragImage(const RECT& update);
    void onPaint();

    IconListState& m_state;
    IconListController& m_controller;
    ListPopupMenus& m_menus;
    DibSection m_buffer;
    // Labels drawn once per look (size, bit count, colour, background) and
    // copied from then on: drawing text is by far the slowest part of a
    // repaint, and a list repeats few formats.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> m_labels;
    DibSection m_labelScratch;
    // The item whose image follows the pointer (-1 for none), and where its
    // corner lies in content coordinates: scrolling carries it along with
    // the pixels it was drawn into until the next move.
    std::int32_t m_dragIndex = -1;
    ClientPoint m_dragCorner;
    // Set while this window lets go of the capture itself, so that the
    // capture change this causes is not taken for a lost drag.
    bool m_releasing = false;
};

} // namespace tessaly
