#include "app/thumbnail_cache.h"

#include <optional>
#include <unordered_map>

#include "convert/image_converter.h"

namespace tessaly {

void ThumbnailCache::sync(const IconCollection& list)
{
    std::unordered_map<std::uint64_t, std::unique_ptr<Thumbnail>> kept;
    for (auto& item : m_items) {
        if (item)
            kept.emplace(item->revision, std::move(item));
    }
    m_items.clear();
    m_items.resize(static_cast<std::size_t>(list.count()));
    for (std::int32_t i = 0; i < list.count(); ++i) {
        const auto found = kept.find(list.get(i)->revision());
        if (found != kept.end()) {
            m_items[static_cast<std::size_t>(i)] = std::move(found->second);
            kept.erase(found);
        }
    }
}

const ThumbnailCache::Thumbnail& ThumbnailCache::get(const IconCollection& list, std::int32_t i)
{
    if (m_items.size() != static_cast<std::size_t>(list.count()))
        sync(list);
    auto& item = m_items[static_cast<std::size_t>(i)];
    const IconImage& image = *list.get(i);
    if (!item)
        item = std::make_unique<Thumbnail>();
    // A new thumbnail has revision 0, which no image has.
    if (item->revision != image.revision())
        make(image, *item);
    return *item;
}

void ThumbnailCache::make(const IconImage& image, Thumbnail& thumbnail)
{
    ++m_made;
    thumbnail.revision = image.revision();
    thumbnail.sourceBits = image.bitCount();
    ImageConverter converter;
    const std::optional<IconImage> small = converter.resampleToAlpha(image, kSize, kSize);
    thumbnail.valid = small.has_value() && image.width() > 0 && image.height() > 0;
    for (std::int32_t y = 0; y < kSize; ++y) {
        for (std::int32_t x = 0; x < kSize; ++x) {
            const std::size_t k = static_cast<std::size_t>(y) * kSize + static_cast<std::size_t>(x);
            thumbnail.colours[k] = thumbnail.valid ? small->getPixel(y, x) : 0;
            thumbnail.masked[k] = thumbnail.valid ? small->getMask(y, x) : 1;
        }
    }
}

} // namespace tessaly
