#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_model.h"
#include "app/icon_document_host.h"

namespace tessaly {

// The file dialogs the commands ask; the main frame shows them.
enum class FileDialogKind : std::uint8_t {
    OpenIco,
    SaveIco,
    Import,
    OpenPalette,
    SavePalette,
};

// How the file commands reach the user: the dialogs, the prompts, the error
// messages, the window title and the list pane's tabs. The main frame
// implements it; the tests script it.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;

    // The chosen path, or none when the dialog was cancelled. folder is the
    // initial folder (empty: the system's choice), name the name offered.
    virtual std::optional<std::wstring> askFile(FileDialogKind kind, const std::wstring& folder,
                                                const std::wstring& name) = 0;
    // "The file has changed: save it?" Yes / No / Cancel.
    virtual PromptAnswer askSaveFile() = 0;
    // "Save the edited icon before saving the file?" Yes (true) / No.
    virtual bool askSaveEditedBeforeSaving() = 0;
    // "An icon file must hold an icon: close it anyway?" OK (true) / Cancel.
    virtual bool askCloseEmptyFile() = 0;
    // The palette length dialog, prefilled with length; true on OK.
    virtual bool askPaletteLength(std::int32_t& length) = 0;
    // A failure the user must know about. withSystemReason: the system's
    // text for the last error is added.
    virtual void showError(const std::wstring& text, bool withSystemReason) = 0;
    virtual void setTitle(const std::wstring& title) = 0;
    // 0 edit list, 1 trash, 2 import list.
    virtual void showListTab(std::int32_t tab) = 0;
};

// New, Open, Close, Save, Save As, Import and the palette files, each with
// its prompts in order; a cancel at any step leaves everything as it was.
// Holds the current file's path (empty: untitled) and the last folder of the
// file dialogs.
class FileCommands {
public:
    FileCommands(EditorModel& model, FileCommandHost& host);

    // Closes the file, asking about the edited icon and the file's changes;
    // false when the user cancelled or a save failed.
    bool close();
    // A new untitled file; withIcon also asks for its first icon.
    void newFile(bool withIcon);
    void open();
    // Open without the dialog: a file dropped on the window.
    void openPath(const std::wstring& path);
    bool save();
    bool saveAs();
    void import();
    // Import without the dialog; several files fill the import list together.
    void importPaths(const std::vector<std::wstring>& paths);
    void loadPalette();
    void savePalette();
    void newPalette();
    // The document started an untitled file by itself.
    void untitledFileStarted();

    const std::wstring& currentPath() const { return m_path; }
    const std::wstring& lastFolder() const { return m_lastFolder; }
    void setLastFolder(std::wstring folder) { m_lastFolder = std::move(folder); }
    std::wstring title() const;

private:
    void startUntitled();
    // Step 2 of Save and Save As.
    void offerToSaveEditedIcon();
    bool writeTo(const std::wstring& path);

    EditorModel& m_model;
    FileCommandHost& m_host;
    std::wstring m_path;
    std::wstring m_lastFolder;
};

} // namespace tessaly
