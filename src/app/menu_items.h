#pragma once

#include <cstdint>

namespace tessaly {

// The enabled and checked states of the main menu's items, addressed by
// command number. The native menu implements it; its states live nowhere else.
class MenuItems {
public:
    virtual ~MenuItems() = default;

    virtual void setEnabled(std::uint16_t id, bool enabled) = 0;
    virtual void setChecked(std::uint16_t id, bool checked) = 0;
    virtual bool isChecked(std::uint16_t id) const = 0;
};

} // namespace tessaly
