#pragma once

#include <memory>

#include "convert/dib_section_win32.h"
#include "image/icon_image.h"

namespace tessaly {

// Converts a bitmap section into an opaque icon image of its bit count (1, 4,
// 8, 24 or 32 bits; none for 16 bits or an empty section), by the same rules
// as a .bmp file: palette rows as they are with the section's colour table,
// 32-bit pixels with alpha 255.
std::unique_ptr<IconImage> fromDibSection(const DibSection& section);

} // namespace tessaly
