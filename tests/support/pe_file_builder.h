#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/pe_resource_directory.h"
#include "image/byte_writer.h"
#include "support/ico_file_builder.h"

namespace tessaly::test {

// One resource of a hand-built PE file.
struct PeResource {
    std::uint16_t type = 0;
    ResourceId id;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

// The offsets of a built file that tests damage on purpose.
struct PeLayout {
    static constexpr std::size_t kPeHeader = 64;
    static constexpr std::size_t kOptionalHeader = kPeHeader + 24;
    static constexpr std::size_t kResourceDirectory = kOptionalHeader + 128;
    static constexpr std::size_t kSectionTable = kOptionalHeader + 240;
    static constexpr std::size_t kSection = 0x200;
    static constexpr std::uint32_t kSectionAddress = 0x1000;
};

// Builds a 64-bit PE file whose one section holds a resource tree of the
// given resources. Resources of one type must be adjacent, those of one
// identifier too, and named identifiers must come before numbered ones, as
// in every file a linker writes.
inline std::vector<std::uint8_t> buildPe(const std::vector<PeResource>& resources)
{
    struct Node {
        std::uint16_t type;
        std::vector<std::vector<std::size_t>> names; // per identifier: the resource indexes
    };
    std::vector<Node> types;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const PeResource& r = resources[i];
        if (types.empty() || types.back().type != r.type)
            types.push_back({r.type, {}});
        auto& names = types.back().names;
        if (names.empty() || !(resources[names.back().front()].id == r.id))
            names.emplace_back();
        names.back().push_back(i);
    }
    // Offsets: root, type directories, name directories, data entries, names, data.
    std::size_t at = 16 + 8 * types.size();
    std::vector<std::size_t> typeDir, nameDir;
    for (const Node& t : types) {
        typeDir.push_back(at);
        at += 16 + 8 * t.names.size();
    }
    for (const Node& t : types)
        for (const auto& n : t.names) {
            nameDir.push_back(at);
            at += 16 + 8 * n.size();
        }
    std::vector<std::size_t> dataEntry(resources.size()), nameString(resources.size()), dataAt(resources.size());
    for (std::size_t i = 0; i < resources.size(); ++i, at += 16)
        dataEntry[i] = at;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        nameString[i] = at;
        if (!resources[i].id.isNumber)
            at += 2 + 2 * resources[i].id.name.size();
    }
    for (std::size_t i = 0; i < resources.size(); ++i) {
        at = (at + 3) / 4 * 4;
        dataAt[i] = at;
        at += resources[i].data.size();
    }
    std::vector<std::uint8_t> tree(at, 0);
    auto put16 = [&](std::size_t o, std::uint32_t v) {
        tree[o] = static_cast<std::uint8_t>(v);
        tree[o + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](std::size_t o, std::uint32_t v) {
        put16(o, v & 0xFFFF);
        put16(o + 2, v >> 16);
    };
    auto idField = [&](std::size_t i) {
        return resources[i].id.isNumber ? std::uint32_t{resources[i].id.number}
                                        : 0x80000000u | static_cast<std::uint32_t>(nameString[i]);
    };
    put16(14, static_cast<std::uint32_t>(types.size()));
    std::size_t nameIndex = 0;
    for (std::size_t t = 0; t < types.size(); ++t) {
        put32(16 + 8 * t, types[t].type);
        put32(20 + 8 * t, 0x80000000u | static_cast<std::uint32_t>(typeDir[t]));
        std::uint32_t named = 0;
        for (std::size_t n = 0; n < types[t].names.size(); ++n, ++nameIndex) {
            const auto& langs = types[t].names[n];
            named += resources[langs.front()].id.isNumber ? 0 : 1;
            put32(typeDir[t] + 16 + 8 * n, idField(langs.front()));
            put32(typeDir[t] + 20 + 8 * n, 0x80000000u | static_cast<std::uint32_t>(nameDir[nameIndex]));
            put16(nameDir[nameIndex] + 14, static_cast<std::uint32_t>(langs.size()));
            for (std::size_t l = 0; l < langs.size(); ++l) {
                put32(nameDir[nameIndex] + 16 + 8 * l, resources[langs[l]].language);
                put32(nameDir[nameIndex] + 20 + 8 * l, static_cast<std::uint32_t>(dataEntry[langs[l]]));
            }
        }
        put16(typeDir[t] + 12, named);
        put16(typeDir[t] + 14, static_cast<std::uint32_t>(types[t].names.size()) - named);
    }
    for (std::size_t i = 0; i < resources.size(); ++i) {
        put32(dataEntry[i], PeLayout::kSectionAddress + static_cast<std::uint32_t>(dataAt[i]));
        put32(dataEntry[i] + 4, static_cast<std::uint32_t>(resources[i].data.size()));
        if (!resources[i].id.isNumber) {
            put16(nameString[i], static_cast<std::uint32_t>(resources[i].id.name.size()));
            for (std::size_t c = 0; c < resources[i].id.name.size(); ++c)
                put16(nameString[i] + 2 + 2 * c, resources[i].id.name[c]);
        }
        std::copy(resources[i].data.begin(), resources[i].data.end(), tree.begin() + static_cast<long>(dataAt[i]));
    }

    std::vector<std::uint8_t> file(PeLayout::kSection + tree.size(), 0);
    auto fput16 = [&](std::size_t o, std::uint32_t v) {
        file[o] = static_cast<std::uint8_t>(v);
        file[o + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto fput32 = [&](std::size_t o, std::uint32_t v) {
        fput16(o, v & 0xFFFF);
        fput16(o + 2, v >> 16);
    };
    fput16(0, 0x5A4D);
    fput32(0x3C, PeLayout::kPeHeader);
    fput32(PeLayout::kPeHeader, 0x4550);
    fput16(PeLayout::kPeHeader + 4, 0x8664);
    fput16(PeLayout::kPeHeader + 6, 1);    // sections
    fput16(PeLayout::kPeHeader + 20, 240); // optional header size
    fput16(PeLayout::kOptionalHeader, 0x20B);
    fput32(PeLayout::kOptionalHeader + 108, 16);
    fput32(PeLayout::kResourceDirectory, PeLayout::kSectionAddress);
    fput32(PeLayout::kResourceDirectory + 4, static_cast<std::uint32_t>(tree.size()));
    fput32(PeLayout::kSectionTable + 8, static_cast<std::uint32_t>(tree.size()));
    fput32(PeLayout::kSectionTable + 12, PeLayout::kSectionAddress);
    fput32(PeLayout::kSectionTable + 16, static_cast<std::uint32_t>(tree.size()));
    fput32(PeLayout::kSectionTable + 20, PeLayout::kSection);
    std::copy(tree.begin(), tree.end(), file.begin() + PeLayout::kSection);
    return file;
}

// Writes a little-endian 32-bit field of a file being damaged on purpose.
inline void patch32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value)
{
    if (at > file.size() || file.size() - at < 4)
        throw std::out_of_range("patch outside the file");
    for (std::size_t i = 0; i < 4; ++i)
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An RT_ICON resource of an image: its bitmap header and data.
inline std::vector<std::uint8_t> iconResource(const IconImage& image)
{
    return bitmapBlock(infoHeaderFor(image), imageData(image));
}

// A group entry pointing at icon resource `number`.
struct GroupEntrySpec {
    std::uint8_t width;
    std::uint8_t height;
    std::uint16_t bitCount;
    std::uint32_t bytes;
    std::uint16_t number;
};

inline std::vector<std::uint8_t> iconGroup(const std::vector<GroupEntrySpec>& entries)
{
    ByteWriter out;
    out.u16le(0);
    out.u16le(1);
    out.u16le(static_cast<std::uint16_t>(entries.size()));
    for (const GroupEntrySpec& e : entries) {
        out.u8(e.width);
        out.u8(e.height);
        out.u8(0);
        out.u8(0);
        out.u16le(1);
        out.u16le(e.bitCount);
        out.u32le(e.bytes);
        out.u16le(e.number);
    }
    return out.take();
}

} // namespace tessaly::test
