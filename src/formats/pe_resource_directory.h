#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

// The rule a program or library file broke, for logs and tests.
enum class PeProblem {
    None,
    NotAnExecutable,       // no "MZ" header, or no "PE\0\0" signature where it points
    HeadersTruncated,      // file, optional header or section table cut short
    UnknownOptionalHeader, // neither the 32-bit nor the 64-bit layout
    NoResources,           // no resource directory, or it lies in no section
    ResourceTreeDamaged,   // a directory, name or data entry outside the resource section
    NoIconGroups,          // resources, but no icon group among them
    ImagesExceedFile,      // groups sharing icons decode to more than the file can hold
};

// A resource's identifier: a 16-bit number, or a name (UTF-16, as stored).
struct ResourceId {
    bool isNumber = true;
    std::uint16_t number = 0;
    std::u16string name;

    friend bool operator==(const ResourceId&, const ResourceId&) = default;
};

// The resources of a Windows program or library (PE file), read from the
// file's bytes without loading it: the type / name / language tree of its
// resource section, flattened. Every offset of the tree is checked against
// the section and every data block against the file, and a tree is walked
// only to its fixed depth of three, so loops in a hostile file cannot trap it.
class PeResourceDirectory {
public:
    static constexpr std::uint16_t kIconType = 3;       // RT_ICON
    static constexpr std::uint16_t kIconGroupType = 14; // RT_GROUP_ICON

    // None when the file is no PE file or its resource tree is damaged; a
    // file without resources gives an empty directory with NoResources.
    static std::optional<PeResourceDirectory> parse(std::span<const std::uint8_t> file, PeProblem* problem = nullptr);

    // The identifiers of one type's resources in the order the file lists
    // them (named ones first, then numbered ones, each sorted, as the
    // system enumerates them).
    std::vector<ResourceId> namesOf(std::uint16_t type) const;
    // The data of a resource, in the language the system would choose first
    // (neutral, then US English, then the first one listed); none when absent.
    std::optional<std::span<const std::uint8_t>> find(std::uint16_t type, const ResourceId& id) const;

private:
    struct Entry {
        std::uint16_t type = 0;
        ResourceId id;
        std::uint16_t language = 0;
        std::span<const std::uint8_t> data;
    };
    struct Section {
        std::uint32_t virtualAddress = 0;
        std::uint32_t rawSize = 0;
        std::uint32_t rawOffset = 0;
    };
    class TreeReader;

    std::vector<Entry> m_entries;
};

} // namespace tessaly
