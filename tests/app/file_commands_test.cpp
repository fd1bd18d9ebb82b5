#include "app/file_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "document/rect_fill_entry.h"
#include "formats/built_in_icon_file_formats.h"
#include "image/file_bytes.h"
#include "support/document_model.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(TESSALY_TEST_DATA_DIR) / "ico";

// Every dialog and prompt takes the next scripted answer (a cancel when
// none is left) and is recorded.
class ScriptedFileHost final : public FileCommandHost {
public:
    struct Asked {
        FileDialogKind kind;
        std::wstring folder;
        std::wstring name;
    };

    std::optional<std::wstring> askFile(FileDialogKind kind, const std::wstring& folder,
                                        const std::wstring& name) override
    {
        asked.push_back({kind, folder, name});
        if (files.empty())
            return std::nullopt;
        std::wstring file = files.front();
        files.pop_front();
        return file;
    }
    PromptAnswer askSaveFile() override { return next(saveAnswers, PromptAnswer::Cancel, saveAsked); }
    bool askSaveEditedBeforeSaving() override { return next(beforeSaving, false, beforeSavingAsked); }
    bool askCloseEmptyFile() override { return next(closeEmpty, false, closeEmptyAsked); }
    bool askPaletteLength(std::int32_t& length) override
    {
        offeredLength = length;
        if (!paletteLength)
            return false;
        length = *paletteLength;
        return true;
    }
    void showError(const std::wstring& text, bool) override { errors.push_back(text); }
    void setTitle(const std::wstring& text) override { title = text; }
    void showListTab(std::int32_t shown) override { tab = shown; }

    std::deque<std::wstring> files;
    std::deque<PromptAnswer> saveAnswers;
    std::deque<bool> beforeSaving;
    std::deque<bool> closeEmpty;
    std::optional<std::int32_t> paletteLength;
    std::vector<Asked> asked;
    int saveAsked = 0;
    int beforeSavingAsked = 0;
    int closeEmptyAsked = 0;
    std::int32_t offeredLength = -1;
    std::vector<std::wstring> errors;
    std::wstring title = L"Tessaly";
    std::int32_t tab = -1;

private:
    template <typename T> static T next(std::deque<T>& answers, T otherwise, int& count)
    {
        ++count;
        if (answers.empty())
            return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct Commands {
    Commands()
    {
        model.document.setHost(&documentHost);
    }
    EditorModel model{builtInIconFileFormats()};
    test::ScriptedDocumentHost documentHost;
    ScriptedFileHost host;
    FileCommands commands{model, host};

    // Opens the first image of the open file and draws into it, unsaved.
    void editFirstIcon()
    {
        model.editList.selectItem(0);
        ASSERT_TRUE(model.document.openIconForEditing());
        // One undoable pixel change, as a tool makes it.
        auto step = std::make_unique<RectFillEntry>(model.image);
        ASSERT_TRUE(step->apply(PixelRect{0, 0, 1, 1}, 0xFF00FF00u, 0));
        model.history.push(std::move(step));
    }
};

std::wstring wide(const fs::path& path)
{
    return path.wstring();
}

TEST(FileCommands, OpenAsksForTheFileFirstAndTakesItsNameTitleAndFolder)
{
    Commands c;
    const fs::path file = kSamples / "imagemagick_32bit.ico";
    c.commands.setLastFolder(L"start");
    c.host.files = {wide(file)};
    c.commands.open();
    ASSERT_EQ(c.host.asked.size(), 1u);
    EXPECT_EQ(c.host.asked[0].kind, FileDialogKind::OpenIco);
    EXPECT_EQ(c.host.asked[0].folder, L"start");
    EXPECT_EQ(c.model.editIcons.count(), 4);
    EXPECT_EQ(c.host.title, L"imagemagick_32bit - Tessaly");
    EXPECT_EQ(c.host.tab, 0);
    EXPECT_EQ(c.commands.currentPath(), wide(file));
    EXPECT_EQ(c.commands.lastFolder(), wide(kSamples));
    EXPECT_TRUE(c.host.errors.empty());

    // A cancelled dialog changes nothing, and asks nothing else.
    c.commands.open();
    EXPECT_EQ(c.model.editIcons.count(), 4);
    EXPECT_EQ(c.host.saveAsked, 0);
}

TEST(FileCommands, ClosingAsksAboutTheEditedIconThenTheFileAndACancelKeepsEverything)
{
    Commands c;
    c.host.files = {wide(kSamples / "imagemagick_32bit.ico")};
    c.commands.open();
    c.editFirstIcon();
    c.model.editIcons.markModified();

    // Open: the file dialog comes first, then the edited icon's prompt; its
    // Cancel keeps the old file and the edit.
    c.host.files = {wide(kSamples / "pillow_png.ico")};
    c.documentHost.answers = {PromptAnswer::Cancel};
    c.commands.open();
    EXPECT_EQ(c.documentHost.saveAsked, 1);
    EXPECT_EQ(c.model.editIcons.count(), 4);
    EXPECT_TRUE(c.model.image.hasImage());

    // The edit is dropped, then the file's own prompt is cancelled.
    c.documentHost.answers = {PromptAnswer::No};
    c.host.saveAnswers = {PromptAnswer::Cancel};
    EXPECT_FALSE(c.commands.close());
    EXPECT_FALSE(c.model.image.hasImage());
    EXPECT_TRUE(c.model.editIcons.isNamed());
    EXPECT_EQ(c.host.title, L"imagemagick_32bit - Tessaly");

    c.host.saveAnswers = {PromptAnswer::No};
    EXPECT_TRUE(c.commands.close());
    EXPECT_FALSE(c.model.editIcons.isNamed());
    EXPECT_EQ(c.host.title, L"Tessaly");
    EXPECT_TRUE(c.commands.currentPath().empty());
    // With no file open, closing asks nothing.
    EXPECT_TRUE(c.commands.close());
    EXPECT_EQ(c.host.saveAsked, 2);
}

TEST(FileCommands, AnEmptiedNewFileAsksTheEmptyFileQuestionAndYesOnAnUntitledFileGoesToSaveAs)
{
    Commands c;
    c.commands.newFile(false);
    EXPECT_EQ(c.host.title, L"無題 - Tessaly");
    EXPECT_TRUE(c.model.editIcons.isModified());
    EXPECT_FALSE(c.commands.close());
    EXPECT_EQ(c.host.closeEmptyAsked, 1);
    EXPECT_EQ(c.host.saveAsked, 0);
    c.host.closeEmpty = {true};
    EXPECT_TRUE(c.commands.close());

    // New with its first icon: the dialog's icon is opened for editing.
    c.documentHost.newIcons = {IconFormat{16, 16, 8}};
    c.commands.newFile(true);
    ASSERT_EQ(c.model.editIcons.count(), 1);
    EXPECT_TRUE(c.model.image.hasImage());
    c.documentHost.answers = {PromptAnswer::No};
    c.host.saveAnswers = {PromptAnswer::Yes};
    EXPECT_FALSE(c.commands.close()); // Save As offered and cancelled
    ASSERT_EQ(c.host.asked.size(), 1u);
    EXPECT_EQ(c.host.asked[0].kind, FileDialogKind::SaveIco);
    EXPECT_EQ(c.host.asked[0].name, L"無題");
    EXPECT_TRUE(c.model.editIcons.isNamed());
}

TEST(FileCommands, SaveAsWritesTheFileOffersTheEditAndAFailureKeepsTheOldPath)
{
    test::TempDir dir;
    Commands c;
    const fs::path original = kSamples / "imagemagick_32bit.ico";
    c.host.files = {wide(original)};
    c.commands.open();
    c.editFirstIcon();

    // Ctrl+S writes to the file's own path; here Save As goes elsewhere, and
    // the edited icon is stored first when the user says so.
    const fs::path copy = dir.path() / "copy.ico";
    c.host.beforeSaving = {true};
    c.host.files = {wide(copy)};
    ASSERT_TRUE(c.commands.saveAs());
    EXPECT_EQ(c.host.asked.back().name, wide(kSamples / "imagemagick_32bit"));
    EXPECT_EQ(c.commands.currentPath(), wide(copy));
    EXPECT_EQ(c.host.title, L"copy - Tessaly");
    EXPECT_EQ(c.commands.lastFolder(), wide(dir.path()));
    IconCollection reread(builtInIconFileFormats());
    IconCollection before(builtInIconFileFormats());
    ASSERT_TRUE(reread.open(copy));
    ASSERT_TRUE(before.open(original));
    ASSERT_EQ(reread.count(), before.count());
    EXPECT_NE(reread.get(0)->getPixel(0, 0), before.get(0)->getPixel(0, 0)) << "the edit was stored and written";
    EXPECT_EQ(reread.get(0)->getPixel(0, 0), c.model.editIcons.get(0)->getPixel(0, 0));
    EXPECT_EQ(reread.get(1)->getPixel(3, 3), before.get(1)->getPixel(3, 3));

    // A folder that does not exist: the user is told, the path and title stay.
    c.host.files = {wide(dir.path() / "missing" / "x.ico")};
    EXPECT_FALSE(c.commands.saveAs());
    EXPECT_EQ(c.host.errors.size(), 1u);
    EXPECT_EQ(c.commands.currentPath(), wide(copy));
    EXPECT_EQ(c.host.title, L"copy - Tessaly");

    // Save of an untitled file does nothing at all.
    c.documentHost.answers = {PromptAnswer::No};
    c.host.saveAnswers = {PromptAnswer::No};
    c.commands.newFile(false);
    const std::size_t asked = c.host.asked.size();
    EXPECT_FALSE(c.commands.save());
    EXPECT_EQ(c.host.asked.size(), asked);
}

TEST(FileCommands, AFileReadOnlyInPartOpensUntitledAndOneNotReadAtAllOpensNothing)
{
    test::TempDir dir;
    Commands c;
    // The last of five images cut off.
    const std::vector<std::uint8_t> whole = *readFileBytes(kSamples / "icotool_mixed.ico");
    const fs::path cut = dir.path() / "cut.ico";
    ASSERT_TRUE(writeFileReplacing(cut, std::span(whole).first(whole.size() - 40)));
    c.host.files = {wide(cut)};
    c.commands.open();
    EXPECT_EQ(c.model.editIcons.count(), 4);
    EXPECT_TRUE(c.commands.currentPath().empty());
    EXPECT_EQ(c.host.title, L"無題 - Tessaly");
    ASSERT_EQ(c.host.errors.size(), 1u);
    EXPECT_NE(c.host.errors[0].find(L"1 個"), std::wstring::npos);

    const fs::path junk = dir.path() / "junk.ico";
    ASSERT_TRUE(writeFileReplacing(junk, std::vector<std::uint8_t>(100, 0x5A)));
    c.host.files = {wide(junk)};
    c.host.saveAnswers = {PromptAnswer::No};
    c.commands.open();
    EXPECT_FALSE(c.model.editIcons.isNamed());
    EXPECT_EQ(c.host.title, L"Tessaly");
    EXPECT_EQ(c.host.errors.size(), 2u);
}

TEST(FileCommands, ImportReplacesTheImportListUnlessTheFileHasNothingToImport)
{
    Commands c;
    c.host.files = {wide(kSamples / "imagemagick_palette.ico")};
    c.commands.import();
    EXPECT_EQ(c.host.asked[0].kind, FileDialogKind::Import);
    EXPECT_EQ(c.model.importIcons.count(), 2);
    EXPECT_EQ(c.host.tab, 2);
    EXPECT_EQ(c.host.title, L"Tessaly"); // the edit list and its file are not touched
    EXPECT_FALSE(c.model.editIcons.isNamed());

    c.host.tab = -1;
    c.host.files = {wide(kSamples / "imagemagick_palette.0.rgba")};
    c.commands.import();
    EXPECT_EQ(c.model.importIcons.count(), 2);
    EXPECT_EQ(c.host.errors.size(), 1u);
    EXPECT_EQ(c.host.tab, -1);
}

TEST(FileCommands, ANewPaletteIsAsLongAsTheUserChoosesAndAllBlack)
{
    Commands c;
    c.model.document.userPalette() = {0x112233, 0x445566, 0x778899};
    c.commands.newPalette(); // cancelled
    EXPECT_EQ(c.host.offeredLength, 3);
    EXPECT_EQ(c.model.document.userPalette().size(), 3u);
    c.host.paletteLength = 5;
    c.commands.newPalette();
    ASSERT_EQ(c.model.palette.length(), 5);
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(c.model.palette.entry(i) & 0xFFFFFF, 0u);
}

} // namespace
} // namespace tessaly
