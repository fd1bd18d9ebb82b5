#include "formats/module_icon_import_win32.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "formats/ico_reader.h"
#include "formats/icon_group_reader.h"
#include "formats/pe_resource_directory.h"

namespace tessaly {

namespace {

// A module loaded as a data file, freed with the object.
class DataModule {
public:
    explicit DataModule(const std::filesystem::path& path)
        : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    ~DataModule()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    HMODULE handle() const { return m_module; }

private:
    HMODULE m_module;
};

BOOL CALLBACK collectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names)
{
    ResourceId id;
    if (IS_INTRESOURCE(name)) {
        id.number = static_cast<std::uint16_t>(reinterpret_cast<ULONG_PTR>(name));
    } else {
        id.isNumber = false;
        for (const wchar_t* c = name; *c; ++c)
            id.name.push_back(static_cast<char16_t>(*c));
    }
    reinterpret_cast<std::vector<ResourceId>*>(names)->push_back(std::move(id));
    return TRUE; // every group, whatever happens to the others
}

std::optional<std::span<const std::uint8_t>> lockedResource(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::span(static_cast<const std::uint8_t*>(data), SizeofResource(module, found));
}

} // namespace

bool ModuleIconImport::readFile(const std::filesystem::path& path, IconImageList& images)
{
    images.clear();
    m_skipped = 0;
    const DataModule module(path);
    if (!module.handle())
        return false;
    std::vector<ResourceId> groups;
    if (!EnumResourceNamesW(module.handle(), MAKEINTRESOURCEW(PeResourceDirectory::kIconGroupType), collectName,
                            reinterpret_cast<LONG_PTR>(&groups)) ||
        groups.empty())
        return false;
    std::error_code error;
    const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
    IconGroupReader reader(IcoReader::decodedBytesLimit(error ? 0 : static_cast<std::size_t>(fileBytes)));
    const auto findIcon = [&](std::uint16_t number) {
        return lockedResource(module.handle(), MAKEINTRESOURCEW(number),
                              MAKEINTRESOURCEW(PeResourceDirectory::kIconType));
    };
    for (const ResourceId& group : groups) {
        const std::wstring name(group.name.begin(), group.name.end());
        const LPCWSTR id = group.isNumber ? MAKEINTRESOURCEW(group.number) : name.c_str();
        if (const auto bytes =
                lockedResource(module.handle(), id, MAKEINTRESOURCEW(PeResourceDirectory::kIconGroupType)))
            reader.read(*bytes, findIcon, images);
    }
    m_skipped = reader.skippedEntries();
    return !reader.limitReached();
}

} // namespace tessaly
