#pragma once

#include <cstdint>

namespace tessaly {

// The largest side of an icon the user asks for by number, in the new-icon
// and duplication dialogs and in tessaly-cli convert. The .ico directory
// names sides only up to 256; four times that leaves room for large
// artwork while a 32-bit image stays at 4 MiB, which the editor's canvas and
// the conversion handle at once.
inline constexpr std::int32_t kMaxRequestedSide = 1024;

} // namespace tessaly
