#include "image/icon_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// Stands in for the file formats: records which reader was chosen and hands
// back prepared images.
class RecordingFormats final : public IconFileFormats {
public:
    bool read(IconFileKind kind, const fs::path& path, IconImageList& images) const override
    {
        reads.push_back({kind, path});
        for (int width : widthsToDeliver) {
            auto image = std::make_unique<IconImage>();
            EXPECT_TRUE(image->create(width, 1, 32));
            images.push_back(std::move(image));
        }
        return readResult;
    }
    bool writeIco(const fs::path& path, const IconCollection& collection) const override
    {
        writes.push_back({path, collection.count()});
        return writeResult;
    }

    struct Read {
        IconFileKind kind;
        fs::path path;
    };
    struct Write {
        fs::path path;
        int count;
    };
    mutable std::vector<Read> reads;
    mutable std::vector<Write> writes;
    std::vector<int> widthsToDeliver;
    bool readResult = true;
    bool writeResult = true;
};

class CountingListener final : public IconCollectionListener {
public:
    void collectionChanged(const IconCollection& collection) override
    {
        ++refreshes;
        lastCount = collection.count();
    }
    int refreshes = 0;
    int lastCount = -1;
};

// An image recognisable by its width.
IconImage tagged(int width)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, 2, 4));
    return image;
}

class IconCollectionTest : public ::testing::Test {
protected:
    IconCollectionTest() { collection.setListener(&listener); }

    void fill(std::initializer_list<int> widths)
    {
        for (int w : widths)
            ASSERT_TRUE(collection.addCopy(tagged(w)));
    }
    std::vector<int> widths() const
    {
        std::vector<int> result;
        for (int i = 0; i < collection.count(); ++i)
            result.push_back(collection.get(i)->width());
        return result;
    }

    RecordingFormats formats;
    CountingListener listener;
    IconCollection collection{formats};
};

TEST_F(IconCollectionTest, StartsUnnamedUnmodifiedAndEmpty)
{
    EXPECT_EQ(collection.count(), 0);
    EXPECT_FALSE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
    EXPECT_EQ(collection.get(0), nullptr);
}

TEST_F(IconCollectionTest, AddCopyStoresAnIndependentCopyAndRefreshes)
{
    IconImage original = tagged(5);
    ASSERT_TRUE(collection.addCopy(original));
    EXPECT_TRUE(collection.isModified());
    EXPECT_EQ(listener.refreshes, 1);
    EXPECT_EQ(listener.lastCount, 1);
    original.setPixel(0, 0, 3);
    EXPECT_EQ(collection.get(0)->getPixel(0, 0), 0u);
    EXPECT_NE(collection.get(0), &original);
}

TEST_F(IconCollectionTest, GetRefusesIndicesOutsideTheList)
{
    fill({1, 2});
    EXPECT_EQ(collection.get(-1), nullptr);
    EXPECT_EQ(collection.get(2), nullptr);
    EXPECT_EQ(collection.get(1)->width(), 2);
}

TEST_F(IconCollectionTest, InsertCopyClampsTheIndex)
{
    fill({1, 2});
    ASSERT_TRUE(collection.insertCopy(-5, tagged(7)));
    ASSERT_TRUE(collection.insertCopy(99, tagged(8)));
    ASSERT_TRUE(collection.insertCopy(2, tagged(9)));
    EXPECT_EQ(widths(), (std::vector<int>{7, 1, 9, 2, 8}));
}

TEST_F(IconCollectionTest, RemoveAtFreesTheImageAndRefusesBadIndices)
{
    fill({1, 2, 3});
    const int before = listener.refreshes;
    EXPECT_FALSE(collection.removeAt(3));
    EXPECT_FALSE(collection.removeAt(-1));
    EXPECT_EQ(listener.refreshes, before);
    ASSERT_TRUE(collection.removeAt(1));
    EXPECT_EQ(widths(), (std::vector<int>{1, 3}));
    EXPECT_EQ(listener.refreshes, before + 1);
}

TEST_F(IconCollectionTest, MoveToTheSamePlaceDoesNothing)
{
    fill({0, 1, 2, 3, 4});
    const int before = listener.refreshes;
    EXPECT_FALSE(collection.move(2, 3));
    EXPECT_FALSE(collection.move(2, 2));
    EXPECT_FALSE(collection.move(5, 0));
    EXPECT_FALSE(collection.move(-1, 0));
    EXPECT_EQ(widths(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(listener.refreshes, before);
}

TEST_F(IconCollectionTest, MoveTakesAnInsertionPointInTheListBeforeTheMove)
{
    fill({0, 1, 2, 3, 4});
    ASSERT_TRUE(collection.move(2, 4)); // swaps 2 and 3
    EXPECT_EQ(widths(), (std::vector<int>{0, 1, 3, 2, 4}));
    ASSERT_TRUE(collection.move(3, 0)); // image 3 to the front
    EXPECT_EQ(widths(), (std::vector<int>{2, 0, 1, 3, 4}));
    ASSERT_TRUE(collection.move(0, 99)); // to the end
    EXPECT_EQ(widths(), (std::vector<int>{0, 1, 3, 4, 2}));
    ASSERT_TRUE(collection.move(4, -3)); // clamped to the front
    EXPECT_EQ(widths(), (std::vector<int>{2, 0, 1, 3, 4}));
}

TEST_F(IconCollectionTest, ClearNewAndCloseSetTheFlags)
{
    fill({1});
    collection.newFile();
    EXPECT_EQ(collection.count(), 0);
    EXPECT_TRUE(collection.isNamed());
    EXPECT_TRUE(collection.isModified());
    collection.closeFile();
    EXPECT_FALSE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
    collection.clear();
    EXPECT_TRUE(collection.isModified());
}

TEST_F(IconCollectionTest, OpenDispatchesOnTheLowerCasedExtension)
{
    const std::vector<std::pair<std::string, IconFileKind>> cases = {
        {"a.ico", IconFileKind::Ico},         {"picture.PNG", IconFileKind::Png},
        {"photo.JpG", IconFileKind::Picture}, {"photo.jpeg", IconFileKind::Picture},
        {"p.bmp", IconFileKind::Bitmap},      {"shell32.DLL", IconFileKind::Module},
        {"app.exe", IconFileKind::Module},    {"dir.v2/archive.tar.ico", IconFileKind::Ico},
    };
    for (const auto& [name, kind] : cases) {
        formats.reads.clear();
        EXPECT_TRUE(collection.open(name)) << name;
        ASSERT_EQ(formats.reads.size(), 1u) << name;
        EXPECT_EQ(formats.reads[0].kind, kind) << name;
        EXPECT_EQ(formats.reads[0].path, fs::path(name));
    }
}

TEST_F(IconCollectionTest, OpenReplacesTheListAndMarksItNamedAndUnmodified)
{
    fill({1, 2, 3});
    formats.widthsToDeliver = {16, 32};
    const int before = listener.refreshes;
    ASSERT_TRUE(collection.open("x.ico"));
    EXPECT_EQ(widths(), (std::vector<int>{16, 32}));
    EXPECT_TRUE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
    EXPECT_EQ(listener.refreshes, before + 1);
}

TEST_F(IconCollectionTest, AFailedReadKeepsWhatTheReaderDelivered)
{
    fill({1, 2, 3});
    formats.widthsToDeliver = {48};
    formats.readResult = false;
    EXPECT_FALSE(collection.open("broken.ico"));
    EXPECT_EQ(widths(), (std::vector<int>{48}));
    EXPECT_TRUE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
}

TEST_F(IconCollectionTest, AReadRefusedWithoutAnyImageKeepsTheList)
{
    fill({1, 2, 3});
    formats.readResult = false;
    EXPECT_FALSE(collection.open("cursor.ico"));
    EXPECT_EQ(widths(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
}

TEST_F(IconCollectionTest, ASuccessfulReadOfNoImagesEmptiesTheList)
{
    fill({1, 2});
    EXPECT_TRUE(collection.open("empty.ico"));
    EXPECT_EQ(collection.count(), 0);
}

TEST_F(IconCollectionTest, OpenWithoutAnExtensionChangesNothing)
{
    fill({1, 2});
    const int before = listener.refreshes;
    for (const char* path : {"noextension", ".ico"}) {
        EXPECT_FALSE(collection.open(path)) << path;
        EXPECT_TRUE(formats.reads.empty()) << path;
        EXPECT_EQ(widths(), (std::vector<int>{1, 2}));
        EXPECT_FALSE(collection.isNamed());
        EXPECT_TRUE(collection.isModified());
    }
    EXPECT_EQ(listener.refreshes, before);
}

TEST_F(IconCollectionTest, OpenWithAnUnknownExtensionCallsNoReaderButSetsTheFlags)
{
    fill({1, 2});
    EXPECT_FALSE(collection.open("notes.txt"));
    EXPECT_TRUE(formats.reads.empty());
    EXPECT_EQ(widths(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(collection.isNamed());
    EXPECT_FALSE(collection.isModified());
    // Only ASCII letters are lower-cased: a full-width "ＩＣＯ" is no ".ico".
    EXPECT_FALSE(collection.open(fs::path(u8"icon.ＩＣＯ")));
    EXPECT_TRUE(formats.reads.empty());
}

TEST_F(IconCollectionTest, SaveWritesOnlyIcoFiles)
{
    fill({1});
    EXPECT_FALSE(collection.save("out.png"));
    EXPECT_FALSE(collection.save("out"));
    EXPECT_TRUE(formats.writes.empty());
    EXPECT_TRUE(collection.isModified());
    ASSERT_TRUE(collection.save("OUT.ICO"));
    ASSERT_EQ(formats.writes.size(), 1u);
    EXPECT_EQ(formats.writes[0].count, 1);
    EXPECT_FALSE(collection.isModified());
}

TEST_F(IconCollectionTest, AFailedSaveKeepsTheListMarkedModified)
{
    fill({1});
    formats.writeResult = false;
    EXPECT_FALSE(collection.save("out.ico"));
    EXPECT_EQ(formats.writes.size(), 1u);
    EXPECT_TRUE(collection.isModified());
}

} // namespace
} // namespace tessaly
