#include "formats/pe_resource_directory.h"

#include <algorithm>

#include "image/byte_reader.h"

namespace tessaly {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::size_t kSectionHeaderBytes = 40;
constexpr std::size_t kDirectoryHeaderBytes = 16;
constexpr std::size_t kDirectoryEntryBytes = 8;
constexpr std::uint32_t kHighBit = 0x80000000u;
// A tree may share subdirectories, so its entries can multiply far beyond its
// bytes; no real file comes near this many resources.
constexpr std::size_t kMaxEntries = 65536;
// For the same reason the walk itself is bounded: directory entries visited
// and name characters copied. A directory that lists itself would otherwise
// be walked count^3 times, for hours, from a file of a few kilobytes.
constexpr std::size_t kMaxWalkSteps = std::size_t{1} << 20;
constexpr std::uint16_t kNeutralLanguage = 0;
constexpr std::uint16_t kUsEnglish = 0x409;

PeProblem report(PeProblem* problem, PeProblem what)
{
    if (problem)
        *problem = what;
    return what;
}

} // namespace

// Walks the type / name / language levels of the tree, whose offsets count
// from its root; data blocks are addressed by virtual address and mapped to
// the file through the section table.
class PeResourceDirectory::TreeReader {
public:
    TreeReader(std::span<const std::uint8_t> file, std::span<const std::uint8_t> tree, std::vector<Section> sections)
        : m_file(file)
        , m_tree(tree)
        , m_sections(std::move(sections))
    {
    }

    bool readTypes(std::vector<Entry>& entries)
    {
        std::vector<RawEntry> types;
        if (!readDirectory(0, types))
            return false;
        for (const RawEntry& type : types) {
            // Types with names are never icons; their subtrees are not needed.
            if ((type.nameField & kHighBit) || !(type.offsetField & kHighBit))
                continue;
            Entry entry;
            entry.type = static_cast<std::uint16_t>(type.nameField);
            if (!readNames(type.offsetField & ~kHighBit, entry, entries))
                return false;
        }
        return true;
    }

private:
    struct RawEntry {
        std::uint32_t nameField = 0;
        std::uint32_t offsetField = 0;
    };

    // False once the walk has taken more steps than any real tree needs.
    bool spend(std::size_t steps)
    {
        if (steps > m_stepsLeft)
            return false;
        m_stepsLeft -= steps;
        return true;
    }

    bool readDirectory(std::uint32_t offset, std::vector<RawEntry>& out)
    {
        ByteReader in(m_tree);
        if (!in.seek(offset) || !in.skip(kDirectoryHeaderBytes - 4))
            return false;
        const std::size_t count = std::size_t{in.u16le()} + in.u16le();
        if (!in.ok() || in.remaining() / kDirectoryEntryBytes < count || !spend(count))
            return false;
        out.resize(count);
        for (RawEntry& raw : out) {
            raw.nameField = in.u32le();
            raw.offsetField = in.u32le();
        }
        return in.ok();
    }

    bool readNames(std::uint32_t offset, Entry entry, std::vector<Entry>& entries)
    {
        std::vector<RawEntry> names;
        if (!readDirectory(offset, names))
            return false;
        for (const RawEntry& name : names) {
            if (!(name.offsetField & kHighBit))
                continue;
            if (!readId(name.nameField, entry.id))
                return false;
            if (!readLanguages(name.offsetField & ~kHighBit, entry, entries))
                return false;
        }
        return true;
    }

    bool readId(std::uint32_t field, ResourceId& id)
    {
        id = ResourceId{};
        if (!(field & kHighBit)) {
            id.number = static_cast<std::uint16_t>(field);
            return true;
        }
        id.isNumber = false;
        ByteReader in(m_tree);
        in.seek(field & ~kHighBit);
        const std::uint16_t length = in.u16le();
        if (!in.ok() || in.remaining() / 2 < length || !spend(length))
            return false;
        id.name.reserve(length);
        for (std::uint16_t i = 0; i < length; ++i)
            id.name.push_back(static_cast<char16_t>(in.u16le()));
        return in.ok();
    }

    bool readLanguages(std::uint32_t offset, Entry entry, std::vector<Entry>& entries)
    {
        std::vector<RawEntry> languages;
        if (!readDirectory(offset, languages))
            return false;
        for (const RawEntry& language : languages) {
            if (language.offsetField & kHighBit)
                continue; // a fourth level exists in no valid file
            // Every entry keeps its own copy of the name.
            if (entries.size() >= kMaxEntries || !spend(entry.id.name.size()))
                return false;
            entry.language = static_cast<std::uint16_t>(language.nameField);
            ByteReader in(m_tree);
            in.seek(language.offsetField);
            const std::uint32_t address = in.u32le();
            const std::uint32_t size = in.u32le();
            if (!in.ok())
                return false;
            // A block outside the file costs only its own resource.
            if (const auto data = mapBlock(address, size)) {
                entry.data = *data;
                entries.push_back(entry);
            }
        }
        return true;
    }

    std::optional<std::span<const std::uint8_t>> mapBlock(std::uint32_t address, std::uint32_t size) const
    {
        for (const Section& section : m_sections) {
            if (address < section.virtualAddress || address - section.virtualAddress >= section.rawSize)
                continue;
            const std::uint64_t start = std::uint64_t{section.rawOffset} + (address - section.virtualAddress);
            const std::uint64_t sectionEnd = std::uint64_t{section.rawOffset} + section.rawSize;
            if (start + size > sectionEnd || start + size > m_file.size())
                return std::nullopt;
            return m_file.subspan(static_cast<std::size_t>(start), size);
        }
        return std::nullopt;
    }

    std::span<const std::uint8_t> m_file;
    std::span<const std::uint8_t> m_tree;
    std::vector<Section> m_sections;
    std::size_t m_stepsLeft = kMaxWalkSteps;
};

std::optional<PeResourceDirectory> PeResourceDirectory::parse(std::span<const std::uint8_t> file, PeProblem* problem)
{
    report(problem, PeProblem::None);
    ByteReader in(file);
    const std::uint16_t dosMagic = in.u16le();
    in.seek(kPeOffsetField);
    const std::uint32_t peOffset = in.u32le();
    if (!in.ok() || dosMagic != kDosMagic || !in.seek(peOffset) || in.u32le() != kPeSignature) {
        report(problem, PeProblem::NotAnExecutable);
        return std::nullopt;
    }
    in.skip(2); // machine: resources are read the same for every processor
    const std::uint16_t sectionCount = in.u16le();
    in.skip(12);
    const std::uint16_t optionalSize = in.u16le();
    in.skip(2);
    const std::size_t optionalStart = in.position();
    const std::uint16_t magic = in.u16le();
    if (!in.ok() || optionalStart + optionalSize > file.size()) {
        report(problem, PeProblem::HeadersTruncated);
        return std::nullopt;
    }
    if (magic != kPe32 && magic != kPe32Plus) {
        report(problem, PeProblem::UnknownOptionalHeader);
        return std::nullopt;
    }
    // The directory count and the directories sit 16 bytes later in the 64-bit layout.
    const std::size_t countField = magic == kPe32 ? 92 : 108;
    const std::size_t resourceField = countField + 4 + 8 * kResourceDirectoryIndex;
    in.seek(optionalStart + countField);
    const std::uint32_t directoryCount = in.u32le();
    in.seek(optionalStart + resourceField);
    const std::uint32_t resourceAddress = in.u32le();
    const std::uint32_t resourceSize = in.u32le();
    const bool hasResources =
        in.ok() && resourceField + 8 <= optionalSize && directoryCount > kResourceDirectoryIndex && resourceSize != 0;

    std::vector<Section> sections;
    in.seek(optionalStart + optionalSize);
    if (in.remaining() / kSectionHeaderBytes < sectionCount) {
        report(problem, PeProblem::HeadersTruncated);
        return std::nullopt;
    }
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        in.skip(12); // name, virtual size
        Section section;
        section.virtualAddress = in.u32le();
        section.rawSize = in.u32le();
        section.rawOffset = in.u32le();
        in.skip(16);
        sections.push_back(section);
    }

    PeResourceDirectory directory;
    if (!hasResources) {
        report(problem, PeProblem::NoResources);
        return directory;
    }
    for (const Section& section : sections) {
        if (resourceAddress < section.virtualAddress || resourceAddress - section.virtualAddress >= section.rawSize)
            continue;
        const std::uint64_t root = std::uint64_t{section.rawOffset} + (resourceAddress - section.virtualAddress);
        const std::uint64_t end =
            std::min<std::uint64_t>(std::uint64_t{section.rawOffset} + section.rawSize, file.size());
        if (root >= end)
            break;
        const auto tree = file.subspan(static_cast<std::size_t>(root), static_cast<std::size_t>(end - root));
        if (!TreeReader(file, tree, sections).readTypes(directory.m_entries)) {
            report(problem, PeProblem::ResourceTreeDamaged);
            return std::nullopt;
        }
        return directory;
    }
    report(problem, PeProblem::NoResources);
    return directory;
}

std::vector<ResourceId> PeResourceDirectory::namesOf(std::uint16_t type) const
{
    std::vector<ResourceId> names;
    for (const Entry& entry : m_entries) {
        if (entry.type == type && (names.empty() || !(names.back() == entry.id)))
            names.push_back(entry.id);
    }
    return names;
}

std::optional<std::span<const std::uint8_t>> PeResourceDirectory::find(std::uint16_t type, const ResourceId& id) const
{
    const Entry* chosen = nullptr;
    for (const Entry& entry : m_entries) {
        if (entry.type != type || !(entry.id == id))
            continue;
        if (entry.language == kNeutralLanguage)
            return entry.data;
        if (!chosen || (entry.language == kUsEnglish && chosen->language != kUsEnglish))
            chosen = &entry;
    }
    if (!chosen)
        return std::nullopt;
    return chosen->data;
}

} // namespace tessaly
