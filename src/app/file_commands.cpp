#include "app/file_commands.h"

#include <filesystem>
#include <fstream>

#include "app/file_path_rules.h"

namespace tessaly {

using file_path_rules::defaultSaveName;
using file_path_rules::fileTitle;
using file_path_rules::folderOf;

namespace {

constexpr std::int32_t kEditTab = 0;
constexpr std::int32_t kImportTab = 2;

std::wstring lastComponent(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring bracketedName(const std::wstring& path)
{
    return L"\u300C" + lastComponent(path) + L"\u300D";
}

// How many images an .ico file's directory announces; 0 when it is no .ico
// file or its header cannot be read.
std::int32_t announcedImages(const std::wstring& path)
{
    const std::optional<std::string> extension = IconCollection::extensionOf(std::filesystem::path(path));
    if (!extension || *extension != ".ico")
        return 0;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    unsigned char header[6] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return 0;
    return header[4] | header[5] << 8;
}

} // namespace

FileCommands::FileCommands(EditorModel& model, FileCommandHost& host)
    : m_model(model)
    , m_host(host)
{
}

std::wstring FileCommands::title() const
{
    return fileTitle(m_path, m_model.editIcons.isNamed());
}

bool FileCommands::close()
{
    if (!m_model.document.closeEditedIcon())
        return false;
    if (m_model.editIcons.isModified()) {
        if (m_model.editIcons.count() == 0) {
            if (!m_host.askCloseEmptyFile())
                return false;
        } else {
            const PromptAnswer answer = m_host.askSaveFile();
            if (answer == PromptAnswer::Cancel)
                return false;
            if (answer == PromptAnswer::Yes && !(m_path.empty() ? saveAs() : save()))
                return false;
        }
    }
    m_model.editIcons.closeFile();
    m_path.clear();
    m_host.setTitle(title());
    return true;
}

void FileCommands::startUntitled()
{
    m_host.showListTab(kEditTab);
    m_path.clear();
    m_host.setTitle(title());
}

void FileCommands::untitledFileStarted()
{
    startUntitled();
}

void FileCommands::newFile(bool withIcon)
{
    if (!close())
        return;
    m_model.editIcons.newFile();
    startUntitled();
    if (withIcon && m_model.document.newIcon()) {
        m_model.editList.selectItem(m_model.editIcons.count() - 1);
        m_model.document.openIconForEditing();
    }
}

void FileCommands::open()
{
    const std::optional<std::wstring> path = m_host.askFile(FileDialogKind::OpenIco, m_lastFolder, {});
    if (path)
        openPath(*path);
}

void FileCommands::openPath(const std::wstring& path)
{
    if (!close())
        return;
    const bool complete = m_model.editIcons.open(std::filesystem::path(path));
    m_host.showListTab(kEditTab);
    m_lastFolder = folderOf(path);
    if (!complete && m_model.editIcons.count() == 0) {
        // Nothing to show: leaving the name would let Save write an empty
        // file over one that may only have been unreadable here.
        m_model.editIcons.closeFile();
        m_host.setTitle(title());
        m_host.showError(L"ファイル" + bracketedName(path) + L"を開けませんでした。", false);
        return;
    }
    if (!complete) {
        // Saving what was read under the old name would lose the rest.
        const std::int32_t lost = announcedImages(path) - m_model.editIcons.count();
        m_model.editIcons.markModified();
        m_host.setTitle(title());
        std::wstring text = L"ファイル" + bracketedName(path) + L"の一部の画像を読み込めませんでした";
        if (lost > 0)
            text += L"（" + std::to_wstring(lost) + L" 個）";
        text += L"。\n元のファイルを上書きしないよう、無題のファイルとして開きました。";
        m_host.showError(text, false);
        return;
    }
    m_path = path;
    m_host.setTitle(title());
}

void FileCommands::offerToSaveEditedIcon()
{
    if (m_model.document.hasUnsavedEdit() && m_host.askSaveEditedBeforeSaving())
        m_model.document.saveEditedIcon();
}

bool FileCommands::writeTo(const std::wstring& path)
{
    if (m_model.editIcons.count() == 0) {
        m_host.showError(L"ファイル" + bracketedName(path) +
                             L"を保存できませんでした。\nアイコンファイルは必ず１つ以上のアイコンを含まなければなりません。",
                         false);
        return false;
    }
    if (m_model.editIcons.save(std::filesystem::path(path)))
        return true;
    m_host.showError(L"ファイル" + bracketedName(path) + L"を保存できませんでした。", true);
    return false;
}

bool FileCommands::save()
{
    if (m_path.empty())
        return false;
    offerToSaveEditedIcon();
    return writeTo(m_path);
}

bool FileCommands::saveAs()
{
    offerToSaveEditedIcon();
    const std::optional<std::wstring> path =
        m_host.askFile(FileDialogKind::SaveIco, m_lastFolder, defaultSaveName(m_path));
    if (!path)
        return false;
    m_lastFolder = folderOf(*path);
    if (!writeTo(*path))
        return false;
    m_path = *path;
    m_host.setTitle(title());
    return true;
}

void FileCommands::import()
{
    const std::optional<std::wstring> path = m_host.askFile(FileDialogKind::Import, m_lastFolder, {});
    if (path)
        importPaths({*path});
}

void FileCommands::importPaths(const std::vector<std::wstring>& paths)
{
    if (paths.empty())
        return;
    m_lastFolder = folderOf(paths.back());
    // Read aside first, so that files with nothing to import leave the
    // import list as it was.
    IconCollection read(m_model.importIcons.formats());
    std::wstring empty;
    for (const std::wstring& path : paths) {
        IconCollection part(m_model.importIcons.formats());
        part.open(std::filesystem::path(path));
        if (part.count() == 0 && empty.empty())
            empty = path;
        for (std::int32_t i = 0; i < part.count(); ++i)
            read.addCopy(*part.get(i));
    }
    if (!empty.empty())
        m_host.showError(L"ファイル" + bracketedName(empty) + L"からインポートできるアイコンはありませんでした。", false);
    if (read.count() == 0)
        return;
    m_model.importIcons.takeImagesOf(read);
    m_host.showListTab(kImportTab);
}

void FileCommands::loadPalette()
{
    const std::optional<std::wstring> path = m_host.askFile(FileDialogKind::OpenPalette, {}, {});
    if (path && !m_model.palette.loadFile(std::filesystem::path(*path)))
        m_host.showError(L"パレット" + bracketedName(*path) + L"を読み込めませんでした。", false);
}

void FileCommands::savePalette()
{
    const std::optional<std::wstring> path = m_host.askFile(FileDialogKind::SavePalette, {}, {});
    if (path && !m_model.palette.saveFile(std::filesystem::path(*path)))
        m_host.showError(L"パレット" + bracketedName(*path) + L"を保存できませんでした。", true);
}

void FileCommands::newPalette()
{
    std::vector<ColorValue>& user = m_model.document.userPalette();
    auto length = static_cast<std::int32_t>(user.size());
    if (!m_host.askPaletteLength(length) || length < 0)
        return;
    user.assign(static_cast<std::size_t>(length), ColorValue{0});
    m_model.palette.replace(user);
}

} // namespace tessaly
