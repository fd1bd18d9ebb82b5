#pragma once

#include <windows.h>

namespace tessaly {

// Owns one menu loaded from this module's resources. Items are addressed by
// command identifier, also inside submenus. Without a menu every call fails
// (-1 or false).
class Menu {
public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    ~Menu();

    // False when a menu is already held or the resource does not load.
    bool load(int resourceId);
    HMENU handle() const { return m_handle; }
    // MF_ENABLED (0) or MF_GRAYED (1); returns the previous state, -1 when
    // there is no such item.
    int enable(UINT id, UINT flags);
    // MF_CHECKED (8) or MF_UNCHECKED (0); returns the previous state, -1 when
    // there is no such item.
    int check(UINT id, UINT flags);
    // The item's MF_ flags, or -1 (as UINT) when there is no such item.
    UINT state(UINT id, UINT flags) const;
    bool destroy();

private:
    HMENU m_handle = nullptr;
};

} // namespace tessaly
