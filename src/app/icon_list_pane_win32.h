#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "app/icon_list_pane_layout.h"
#include "app/icon_list_view_win32.h"
#include "ui/window_win32.h"

namespace tessaly {

// The window that holds the three list views (edit list, trash, import
// list) in a sunken frame with a tab for each along its bottom; only the
// chosen tab's view is shown. It passes the focus it gets to that view.
class IconListPane final : public Window {
public:
    static constexpr std::int32_t kEditTab = 0;
    static constexpr std::int32_t kTrashTab = 1;
    static constexpr std::int32_t kImportTab = 2;

    IconListPane(IconListView& editView, IconListView& trashView, IconListView& importView);
    ~IconListPane() override;

    // Creates the pane and its three views, the edit list's shown.
    bool create(const Window& parent, const RECT& rect, int id);

    std::int32_t currentTab() const { return m_tab; }
    // Shows the tab's view (with the focus) and hides the previous one.
    void selectTab(std::int32_t tab);
    IconListView& view(std::int32_t tab) { return m_views[static_cast<std::size_t>(tab)]; }
    const IconListPaneLayout& layout() const { return m_layout; }

    // The tab texts, in tab order.
    static const wchar_t* tabText(std::int32_t tab);

    // What WM_PAINT draws (the frame, the tabs, the face around them).
    void paintInto(HDC dc) const;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onSize(int width, int height);
    void drawFrame(HDC dc) const;
    void drawTab(HDC dc, std::int32_t tab) const;

    std::array<std::reference_wrapper<IconListView>, IconListPaneLayout::kTabCount> m_views;
    IconListPaneLayout m_layout;
    std::int32_t m_tab = kEditTab;
};

} // namespace tessaly
