#include "formats/ico_writer.h"

#include <limits>
#include <new>

#include "formats/bitmap_info_header.h"
#include "formats/ico_directory_entry.h"
#include "image/file_bytes.h"
#include "image/icon_collection.h"

namespace tessaly {

namespace {

std::uint32_t imageBlockBytes(const IconImage& image)
{
    return BitmapInfoHeader::kBytes + static_cast<std::uint32_t>(image.dataBytes());
}

// A side of 256 or more is written as 0; readers take it from the bitmap header.
std::uint8_t directorySide(std::int32_t side)
{
    return side < 256 ? static_cast<std::uint8_t>(side) : 0;
}

} // namespace

bool IcoWriter::fail(IcoWriteProblem problem)
{
    m_problem = problem;
    return false;
}

bool IcoWriter::encode(const IconCollection& collection, std::vector<std::uint8_t>& file)
{
    std::vector<const IconImage*> images;
    images.reserve(static_cast<std::size_t>(collection.count()));
    for (std::int32_t i = 0; i < collection.count(); ++i)
        images.push_back(collection.get(i));
    return encode(images, file);
}

bool IcoWriter::encode(std::span<const IconImage* const> images, std::vector<std::uint8_t>& file)
{
    m_problem = IcoWriteProblem::None;
    std::uint64_t fileBytes = 0;
    if (!checkImages(images, fileBytes))
        return false;
    try {
        ByteWriter out;
        out.reserve(static_cast<std::size_t>(fileBytes));
        writeHeader(out, images.size());
        writeDirectory(out, images);
        for (const IconImage* image : images)
            writeImage(out, *image);
        file = out.take();
    } catch (const std::bad_alloc&) {
        return fail(IcoWriteProblem::OutOfMemory);
    }
    return true;
}

bool IcoWriter::writeFile(const std::filesystem::path& path, const IconCollection& collection)
{
    std::vector<std::uint8_t> file;
    if (!encode(collection, file))
        return false;
    return writeFileReplacing(path, file) || fail(IcoWriteProblem::FileNotWritten);
}

bool IcoWriter::checkImages(std::span<const IconImage* const> images, std::uint64_t& fileBytes)
{
    if (images.empty())
        return fail(IcoWriteProblem::NoImages);
    if (images.size() > std::numeric_limits<std::uint16_t>::max())
        return fail(IcoWriteProblem::TooManyImages);
    fileBytes = IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes * images.size();
    for (const IconImage* image : images) {
        if (image->width() == 0 || image->height() == 0)
            return fail(IcoWriteProblem::EmptyImage);
        fileBytes += imageBlockBytes(*image);
    }
    if (fileBytes > std::numeric_limits<std::uint32_t>::max())
        return fail(IcoWriteProblem::TooLarge);
    return true;
}

void IcoWriter::writeHeader(ByteWriter& out, std::size_t count) const
{
    out.u16le(0);
    out.u16le(IcoLayout::kIconType);
    out.u16le(static_cast<std::uint16_t>(count));
}

void IcoWriter::writeDirectory(ByteWriter& out, std::span<const IconImage* const> images) const
{
    auto offset =
        static_cast<std::uint32_t>(IcoLayout::kFileHeaderBytes + IcoLayout::kDirectoryEntryBytes * images.size());
    for (const IconImage* image : images) {
        IcoDirectoryEntry entry;
        entry.width = directorySide(image->width());
        entry.height = directorySide(image->height());
        entry.colorCount = static_cast<std::uint8_t>(image->colorCount()); // 256 colours are written as 0
        entry.planes = 1;
        entry.bitCount = static_cast<std::uint16_t>(image->bitCount());
        entry.bytesInImage = imageBlockBytes(*image);
        entry.imageOffset = offset;
        entry.write(out);
        offset += entry.bytesInImage;
    }
}

void IcoWriter::writeImage(ByteWriter& out, const IconImage& image) const
{
    BitmapInfoHeader header;
    header.width = image.width();
    header.height = 2 * image.height(); // colour rows and mask rows
    header.planes = 1;
    header.bitCount = static_cast<std::uint16_t>(image.bitCount());
    header.imageSize = static_cast<std::uint32_t>(image.pixelBytes());
    header.write(out);
    image.writeData(out);
}

} // namespace tessaly
