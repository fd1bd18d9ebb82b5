#include "formats/module_icon_reader.h"

#include "formats/ico_reader.h"
#include "formats/icon_group_reader.h"
#include "image/file_bytes.h"

namespace tessaly {

bool ModuleIconReader::readFile(const std::filesystem::path& path, IconImageList& images)
{
    images.clear();
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes) {
        m_problem = PeProblem::NotAnExecutable;
        return false;
    }
    return read(*bytes, images);
}

bool ModuleIconReader::read(std::span<const std::uint8_t> file, IconImageList& images)
{
    images.clear();
    m_skipped = 0;
    const std::optional<PeResourceDirectory> directory = PeResourceDirectory::parse(file, &m_problem);
    if (!directory)
        return false;
    const std::vector<ResourceId> groups = directory->namesOf(PeResourceDirectory::kIconGroupType);
    if (groups.empty()) {
        if (m_problem == PeProblem::None)
            m_problem = PeProblem::NoIconGroups;
        return false;
    }
    m_problem = PeProblem::None;
    IconGroupReader reader(IcoReader::decodedBytesLimit(file.size()));
    const auto findIcon = [&](std::uint16_t number) {
        return directory->find(PeResourceDirectory::kIconType, ResourceId{true, number, {}});
    };
    for (const ResourceId& group : groups) {
        if (const auto bytes = directory->find(PeResourceDirectory::kIconGroupType, group))
            reader.read(*bytes, findIcon, images);
    }
    m_skipped = reader.skippedEntries();
    if (reader.limitReached()) {
        m_problem = PeProblem::ImagesExceedFile;
        return false;
    }
    return true;
}

} // namespace tessaly
