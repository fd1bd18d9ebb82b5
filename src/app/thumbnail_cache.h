#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/color_value.h"
#include "image/icon_collection.h"

namespace tessaly {

// The thumbnails of one list's images, resampled once per image content and
// kept under the image's revision: reordering the list keeps them, and only
// an image that is new or marked changed is resampled again.
class ThumbnailCache {
public:
    static constexpr std::int32_t kSize = 32;
    static constexpr std::size_t kPixels = static_cast<std::size_t>(kSize) * kSize;

    // An image resampled to kSize x kSize at 32 bits, top row first.
    struct Thumbnail {
        std::uint64_t revision = 0;
        std::int32_t sourceBits = 0;
        // False when the image could not be resampled (it then shows as
        // background only).
        bool valid = false;
        std::array<ColorValue, kPixels> colours{}; // with the alpha in the top byte
        std::array<std::uint8_t, kPixels> masked{};
    };

    // Follows a change of the list: thumbnails of images still listed move
    // with them, the others are dropped. Nothing is resampled here.
    void sync(const IconCollection& list);
    // Item i's thumbnail (0 <= i < count), resampled now if its image is
    // new or changed since.
    const Thumbnail& get(const IconCollection& list, std::int32_t i);
    // How many thumbnails were resampled so far.
    std::int64_t madeCount() const { return m_made; }

private:
    void make(const IconImage& image, Thumbnail& thumbnail);

    std::vector<std::unique_ptr<Thumbnail>> m_items;
    std::int64_t m_made = 0;
};

} // namespace tessaly
