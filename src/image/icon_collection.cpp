#include "image/icon_collection.h"

#include <algorithm>
#include <utility>

namespace tessaly {

IconCollection::IconCollection(const IconFileFormats& formats) : m_formats(formats) {}

void IconCollection::refresh()
{
    if (m_listener)
        m_listener->collectionChanged(*this);
}

void IconCollection::clear()
{
    m_images.free();
    m_modified = true;
    refresh();
}

void IconCollection::newFile()
{
    clear();
    m_named = true;
}

void IconCollection::closeFile()
{
    clear();
    m_named = false;
    m_modified = false;
}

std::optional<std::string> IconCollection::extensionOf(const std::filesystem::path& path)
{
    const auto& text = path.native();
    const auto dot = text.rfind('.');
    if (dot == text.npos || dot == 0)
        return std::nullopt;
    std::string extension;
    extension.reserve(text.size() - dot);
    for (auto it = text.begin() + static_cast<std::ptrdiff_t>(dot); it != text.end(); ++it) {
        const auto c = static_cast<std::uint32_t>(*it);
        // Characters outside ASCII can never match a known extension.
        if (c >= 0x80)
            extension += '\x7f';
        else if (c >= 'A' && c <= 'Z')
            extension += static_cast<char>(c - 'A' + 'a');
        else
            extension += static_cast<char>(c);
    }
    return extension;
}

std::optional<IconFileKind> IconCollection::kindOfExtension(std::string_view extension)
{
    if (extension == ".ico")
        return IconFileKind::Ico;
    if (extension == ".jpg" || extension == ".jpeg")
        return IconFileKind::Picture;
    if (extension == ".png")
        return IconFileKind::Png;
    if (extension == ".bmp")
        return IconFileKind::Bitmap;
    if (extension == ".exe" || extension == ".dll")
        return IconFileKind::Module;
    return std::nullopt;
}

void IconCollection::adopt(IconImageList& images)
{
    m_images.free();
    for (auto& image : images) {
        if (image && !m_images.add(std::move(image)))
            break;
    }
    images.clear();
}

bool IconCollection::open(const std::filesystem::path& path)
{
    const std::optional<std::string> extension = extensionOf(path);
    if (!extension)
        return false;
    bool result = false;
    if (const std::optional<IconFileKind> kind = kindOfExtension(*extension)) {
        IconImageList images;
        result = m_formats.read(*kind, path, images);
        // A file refused outright (a cursor file, a picture that is none)
        // delivers nothing; the list keeps what it had rather than losing it.
        if (result || !images.empty())
            adopt(images);
    }
    m_named = true;
    m_modified = false;
    refresh();
    return result;
}

void IconCollection::takeImagesOf(IconCollection& other)
{
    if (&other == this)
        return;
    m_images.free();
    for (std::int32_t i = 0; i < other.count(); ++i) {
        if (!m_images.add(std::move(other.m_images.get(i))))
            break;
    }
    other.m_images.free();
    other.refresh();
    m_named = true;
    m_modified = false;
    refresh();
}

bool IconCollection::save(const std::filesystem::path& path)
{
    const std::optional<std::string> extension = extensionOf(path);
    if (!extension || *extension != ".ico")
        return false;
    // A failed write keeps the list marked as changed, so that closing the
    // file still offers to save it.
    if (!m_formats.writeIco(path, *this))
        return false;
    m_modified = false;
    return true;
}

IconImage* IconCollection::get(std::int32_t index)
{
    return index < 0 || index >= count() ? nullptr : m_images.get(index).get();
}

const IconImage* IconCollection::get(std::int32_t index) const
{
    return index < 0 || index >= count() ? nullptr : m_images.get(index).get();
}

bool IconCollection::addCopy(const IconImage& image)
{
    return insertCopy(count(), image);
}

bool IconCollection::insertCopy(std::int32_t index, const IconImage& image)
{
    auto copy = std::make_unique<IconImage>();
    if (!copy->copyFrom(image))
        return false;
    if (!m_images.insertAt(std::clamp(index, 0, count()), std::move(copy)))
        return false;
    m_modified = true;
    refresh();
    return true;
}

bool IconCollection::removeAt(std::int32_t index)
{
    if (!m_images.removeAt(index))
        return false;
    m_modified = true;
    refresh();
    return true;
}

bool IconCollection::move(std::int32_t from, std::int32_t to)
{
    if (from < 0 || from >= count())
        return false;
    to = std::clamp(to, 0, count());
    if (to == from || to == from + 1)
        return false;
    std::unique_ptr<IconImage> moving = std::move(m_images.get(from));
    if (from < to) {
        for (std::int32_t i = from; i < to - 1; ++i)
            m_images.get(i) = std::move(m_images.get(i + 1));
        m_images.get(to - 1) = std::move(moving);
    } else {
        for (std::int32_t i = from; i > to; --i)
            m_images.get(i) = std::move(m_images.get(i - 1));
        m_images.get(to) = std::move(moving);
    }
    m_modified = true;
    refresh();
    return true;
}

} // namespace tessaly
