#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "image/icon_file_formats.h"

namespace tessaly {

// Turns one icon group resource (RT_GROUP_ICON) and the icon resources
// (RT_ICON) it names into icon images, wherever the resources come from: a
// file's bytes or a module the system loaded.
//
// Each icon resource is read exactly as an image of an .ico file would be,
// with the group entry in the role of the directory entry, so both share
// every rule: a width or height of 0 in the entry (256 pixels and more) is
// taken from the resource's own header, the rows are read with the bit count
// they were written with, PNG-compressed resources go to the PNG decoding of
// the .ico reader, and a resource shorter than its image is skipped instead
// of being read past its end.
class IconGroupReader {
public:
    // The data of the icon resource with a number; none when there is none.
    using IconLookup = std::function<std::optional<std::span<const std::uint8_t>>(std::uint16_t number)>;

    // decodedBytesLimit bounds what all the groups read through this object
    // may decode to together (see IcoReader::decodedBytesLimit): groups may
    // name the same icons over and over.
    explicit IconGroupReader(std::uint64_t decodedBytesLimit)
        : m_limit(decodedBytesLimit)
    {
    }

    // Appends the group's images in entry order; entries whose resource is
    // missing, short or damaged are skipped and counted, and so is every
    // entry once the images read so far have reached the limit.
    void read(std::span<const std::uint8_t> group, const IconLookup& findIcon, IconImageList& images);

    int skippedEntries() const { return m_skipped; }
    bool limitReached() const { return m_decoded > m_limit; }

private:
    std::uint64_t m_limit;
    std::uint64_t m_decoded = 0;
    int m_skipped = 0;
};

} // namespace tessaly
