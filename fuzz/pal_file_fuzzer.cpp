// Feeds arbitrary bytes to the .pal loader, into a free palette and into one
// linked to an icon's colour table, and checks what the loader promises.

#include <cstddef>
#include <cstdint>
#include <span>

#include "image/icon_image.h"
#include "palette/model/palette.h"

using tessaly::ColorValue;
using tessaly::IconImage;
using tessaly::Palette;

namespace {

ColorValue entryAt(std::span<const std::uint8_t> bytes, std::size_t i)
{
    return static_cast<ColorValue>(bytes[4 * i]) | static_cast<ColorValue>(bytes[4 * i + 1]) << 8 |
           static_cast<ColorValue>(bytes[4 * i + 2]) << 16 | static_cast<ColorValue>(bytes[4 * i + 3]) << 24;
}

void checkFree(std::span<const std::uint8_t> bytes)
{
    Palette palette;
    const bool loaded = palette.loadBytes(bytes);
    if (loaded != (bytes.size() <= Palette::kMaxFileBytes))
        __builtin_trap();
    if (!loaded)
        return;
    if (static_cast<std::size_t>(palette.length()) != bytes.size() / 4)
        __builtin_trap();
    for (std::int32_t i = 0; i < palette.length(); ++i) {
        if (palette.entry(i) != entryAt(bytes, static_cast<std::size_t>(i)))
            __builtin_trap();
    }
    if (palette.length() > 0) {
        const std::int32_t nearest = palette.nearestIndex(palette.entry(palette.length() - 1));
        if (nearest < 0 || nearest >= palette.length())
            __builtin_trap();
    }
    if (palette.length() > 1)
        palette.gradient(0, palette.length() - 1);
}

void checkLinked(std::span<const std::uint8_t> bytes)
{
    IconImage icon;
    if (!icon.create(1, 1, 4))
        return;
    Palette palette;
    if (!palette.takeFromIcon(icon))
        __builtin_trap();
    if (palette.loadBytes(bytes) && (palette.length() != 16 || !palette.isLinked()))
        __builtin_trap();
    if (!palette.writeToIcon(icon))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    checkFree(bytes);
    checkLinked(bytes);
    return 0;
}
