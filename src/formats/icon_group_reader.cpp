#include "formats/icon_group_reader.h"

#include <vector>

#include "formats/ico_directory_entry.h"
#include "formats/ico_reader.h"
#include "image/byte_reader.h"
#include "image/byte_writer.h"

namespace tessaly {

namespace {

constexpr std::uint32_t kIcoHeaderAndOneEntryBytes = IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes;

// A group entry is an .ico directory entry whose last field, the image's
// offset, is replaced by the 16-bit number of its icon resource.
struct GroupEntry {
    IcoDirectoryEntry entry;
    std::uint16_t number = 0;
};

GroupEntry readGroupEntry(ByteReader& in)
{
    GroupEntry group;
    group.entry.width = in.u8();
    group.entry.height = in.u8();
    group.entry.colorCount = in.u8();
    group.entry.reserved = in.u8();
    group.entry.planes = in.u16le();
    group.entry.bitCount = in.u16le();
    group.entry.bytesInImage = in.u32le();
    group.number = in.u16le();
    return group;
}

// A one-image .ico file whose directory entry is the group entry, the image
// placed right after it.
std::vector<std::uint8_t> singleImageIco(IcoDirectoryEntry entry, std::span<const std::uint8_t> resource)
{
    ByteWriter out;
    out.reserve(kIcoHeaderAndOneEntryBytes + resource.size());
    out.u16le(0);
    out.u16le(IcoLayout::kIconType);
    out.u16le(1);
    entry.imageOffset = kIcoHeaderAndOneEntryBytes;
    entry.write(out);
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
        const GroupEntry listed = readGroupEntry(in);
        if (!in.ok()) {
            // A group cut short names entries that are not there.
            m_skipped += count - i;
            break;
        }
        const std::optional<std::span<const std::uint8_t>> resource =
            limitReached() ? std::nullopt : findIcon(listed.number);
        if (!resource) {
            ++m_skipped;
            continue;
        }
        IcoReader reader;
        IconImageList read;
        reader.read(singleImageIco(listed.entry, *resource), read);
        if (read.empty()) {
            ++m_skipped;
            continue;
        }
        for (auto& image : read) {
            m_decoded += static_cast<std::uint64_t>(image->dataBytes()) + image->pngSource().size();
            images.push_back(std::move(image));
        }
    }
}

} // namespace tessaly
