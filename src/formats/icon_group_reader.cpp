#include "formats/icon_group_reader.h"

#include <vector>

#include "formats/ico_reader.h"
#include "image/byte_reader.h"
#include "image/byte_writer.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kIcoHeaderAndOneEntryBytes = 6 + 16;

struct GroupEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInResource = 0;
    std::uint16_t number = 0;
};

GroupEntry readGroupEntry(ByteReader& in)
{
    GroupEntry entry;
    entry.width = in.u8();
    entry.height = in.u8();
    entry.colorCount = in.u8();
    entry.reserved = in.u8();
    entry.planes = in.u16le();
    entry.bitCount = in.u16le();
    entry.bytesInResource = in.u32le();
    entry.number = in.u16le();
    return entry;
}

// A one-image .ico file whose directory entry is the group entry, the image
// placed right after it.
std::vector<std::uint8_t> singleImageIco(const GroupEntry& entry, std::span<const std::uint8_t> resource)
{
    ByteWriter out;
    out.reserve(kIcoHeaderAndOneEntryBytes + resource.size());
    out.u16le(0);
    out.u16le(1);
    out.u16le(1);
    out.u8(entry.width);
    out.u8(entry.height);
    out.u8(entry.colorCount);
    out.u8(entry.reserved);
    out.u16le(entry.planes);
    out.u16le(entry.bitCount);
    out.u32le(entry.bytesInResource);
    out.u32le(kIcoHeaderAndOneEntryBytes);
    out.bytes(resource);
    return out.take();
}

} // namespace

void IconGroupReader::read(std::span<const std::uint8_t> group, const IconLookup& findIcon, IconImageList& images)
{
    ByteReader in(group);
    in.skip(4); // reserved, type
    const std::uint16_t count = in.u16le();
    for (std::uint16_t i = 0; i < count && in.ok(); ++i) {
        const GroupEntry entry = readGroupEntry(in);
        if (!in.ok()) {
            // A group cut short names entries that are not there.
            m_skipped += count - i;
            break;
        }
        const std::optional<std::span<const std::uint8_t>> resource = findIcon(entry.number);
        if (!resource) {
            ++m_skipped;
            continue;
        }
        IcoReader reader;
        IconImageList read;
        reader.read(singleImageIco(entry, *resource), read);
        if (read.empty()) {
            ++m_skipped;
            continue;
        }
        for (auto& image : read)
            images.push_back(std::move(image));
    }
}

} // namespace tessaly
