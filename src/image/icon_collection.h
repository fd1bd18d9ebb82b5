#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "image/icon_file_formats.h"
#include "image/icon_image.h"
#include "image/pointer_array.h"

namespace tessaly {

class IconCollection;

// The view that shows a collection; told after every change of the list.
class IconCollectionListener {
public:
    virtual ~IconCollectionListener() = default;
    virtual void collectionChanged(const IconCollection& collection) = 0;
};

// An ordered list of owned icon images: the edit list, the trash or the
// import list. It is the unit that files are read into and written from.
class IconCollection {
public:
    explicit IconCollection(const IconFileFormats& formats);

    void clear();
    void newFile();
    void closeFile();

    // Replaces the list with the file's images, choosing the reader by the
    // file name's extension.
    bool open(const std::filesystem::path& path);
    // Writes the list as an .ico file; only the ".ico" extension is written.
    bool save(const std::filesystem::path& path);
    // Replaces the list with other's images, as open would with the file
    // other was read from; other is left empty.
    void takeImagesOf(IconCollection& other);
    const IconFileFormats& formats() const { return m_formats; }

    std::int32_t count() const { return m_images.count(); }
    // None when index is outside the list.
    IconImage* get(std::int32_t index);
    const IconImage* get(std::int32_t index) const;

    bool addCopy(const IconImage& image);
    bool insertCopy(std::int32_t index, const IconImage& image);
    bool removeAt(std::int32_t index);
    // Moves image `from` to the insertion point `to`, which is counted in the
    // list as it was before the move.
    bool move(std::int32_t from, std::int32_t to);

    bool isNamed() const { return m_named; }
    bool isModified() const { return m_modified; }
    void markModified() { m_modified = true; }
    void setListener(IconCollectionListener* listener) { m_listener = listener; }

    // The extension is the text from the last dot of the whole path on, dot
    // included, ASCII lower-cased; none when there is no dot or the only dot
    // is the path's first character.
    static std::optional<std::string> extensionOf(const std::filesystem::path& path);
    // The reader an extension selects; none for an unknown extension.
    static std::optional<IconFileKind> kindOfExtension(std::string_view extension);

private:
    void refresh();
    void adopt(IconImageList& images);

    const IconFileFormats& m_formats;
    PointerArray<std::unique_ptr<IconImage>> m_images{16};
    IconCollectionListener* m_listener = nullptr;
    bool m_named = false;
    bool m_modified = false;
};

} // namespace tessaly
