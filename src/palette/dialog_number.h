#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly {

// The number in a dialog's digits-only box. Text that is no unsigned decimal
// number (empty, or with anything but digits, which pasting can bring in)
// reads as 0, which the dialogs refuse. A number beyond 32 bits reads as the
// largest 32-bit value rather than wrapping, so that it is refused as too
// large instead of passing as some small size.
std::uint32_t readDialogNumber(std::wstring_view text);

} // namespace tessaly
