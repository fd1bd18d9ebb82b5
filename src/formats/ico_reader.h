#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "formats/bitmap_info_header.h"
#include "formats/ico_directory_entry.h"
#include "image/byte_reader.h"
#include "image/icon_file_formats.h"

namespace tessaly {

// The rule an .ico file broke, for logs and tests; callers see only a boolean.
enum class IcoReadProblem {
    None,
    FileUnreadable,             // missing, not a regular file, unreadable or over the input cap
    HeaderTruncated,            // fewer than the 6 bytes of the file header
    NotAnIconFile,              // type other than 1 (2 is a cursor file)
    NoImages,                   // image count 0
    DirectoryTruncated,         // the directory does not fit in the file
    EntryOffsetInsideDirectory, // an image would start inside the header or directory
    EntryPastEndOfFile,         // an image starts, or its bitmap header ends, past the end of the file
    BitmapHeaderTooSmall,       // header size field below 40
    UnsupportedCompression,     // compressed bitmap rows
    UnsupportedBitCount,        // anything but 1, 4, 8, 24, 32
    ImpossibleSize,             // width or height 0, negative or over IconImage::kMaxSide
    ImageDataPastEndOfFile,     // colour table, rows or mask run past the end of the file
    ImageNotCreated,            // over IconImage's size limit, or memory ran out
    PngEntryDamaged,            // a PNG-compressed image that does not decode (see PngReader)
    ImagesExceedFile,           // entries sharing images decode to more than the file can hold
};

// Reads .ico files. Every image is read at the offset its directory entry
// gives, and every size is checked against the file before anything is
// allocated, so files whose images are not stored back to back in directory
// order read as well as the ones this program writes, and hostile files cost
// no more memory than their own size justifies.
//
// How the directory and an image's own bitmap header are combined:
// - Width and height come from the directory entry, or, where it holds 0
//   (256 and more), from the bitmap header (its height halved: it counts the
//   mask rows too).
// - The bit count comes from the bitmap header, because that is what the rows
//   were written with; the directory's bit count (or, failing that, its
//   colour count) is used only when the header's is 0, and 8 when all are 0.
// - The image offset is always used. The directory's byte count is not
//   trusted as a bound: several writers store a wrong one. The end of the
//   file bounds every read instead. Its one use is to recognise mask rows
//   stored in another layout than padded to 32 bits, where padded rows would
//   not fit before the next image or the end of the file: a count that ends
//   exactly after the colour rows means there are none (the mask is then
//   made from the alpha of a 32-bit image, and is opaque for others), one
//   that ends exactly after unpadded mask rows means they are packed.
// - A bitmap header longer than 40 bytes is skipped by its size field. Its
//   colours-used field, when not 0, tells how many colour table entries are
//   stored (at most 256 are taken); entries missing from a short table stay
//   black, entries beyond the image's palette are skipped.
// - Impossible values are refused: a header size below 40, compressed rows,
//   an unsupported bit count, a side of 0 or beyond IconImage::kMaxSide, and
//   an offset inside the directory or past the end of the file.
class IcoReader {
public:
    // Empties images, then fills it with every complete, valid image of the
    // file in directory order. False when the file is not an icon file or any
    // of its entries was damaged; the images read completely are kept then
    // too. PNG-compressed entries become 32-bit images, transparent in the
    // mask exactly where their alpha is 0, and stored as PNG (storage()).
    bool readFile(const std::filesystem::path& path, IconImageList& images);
    bool read(std::span<const std::uint8_t> file, IconImageList& images);

    // The first problem the last read met; None after a clean read.
    IcoReadProblem problem() const { return m_problem; }

    // The most that the images decoded from input of this size may take
    // together: what the input would give if every byte of it were deflated
    // at the densest ratio there is. Entries may share one image, so without
    // a bound on the sum a small file naming one large picture thousands of
    // times would claim gigabytes.
    static std::uint64_t decodedBytesLimit(std::size_t inputBytes);

private:
    enum class EntryOutcome { Read, Failed };

    struct Shape {
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int32_t bitCount = 0;
    };

    bool readHeader(ByteReader& in, std::uint16_t& count);
    bool readDirectory(ByteReader& in, std::uint16_t count, std::vector<IcoDirectoryEntry>& directory);
    // spaceEnd: where the next image starts, or the end of the file.
    EntryOutcome readEntry(std::span<const std::uint8_t> file, std::size_t directoryEnd, std::size_t spaceEnd,
                           const IcoDirectoryEntry& entry, IconImageList& images);
    EntryOutcome readPngEntry(std::span<const std::uint8_t> png, IconImageList& images);
    // block: the file from the image's offset on; ownBytes: its part before the next image.
    EntryOutcome readBitmapEntry(std::span<const std::uint8_t> block, std::size_t ownBytes,
                                 const IcoDirectoryEntry& entry, IconImageList& images);
    bool deriveShape(const IcoDirectoryEntry& entry, const BitmapInfoHeader& header, Shape& shape);
    EntryOutcome failEntry(IcoReadProblem problem);
    bool fail(IcoReadProblem problem);

    IcoReadProblem m_problem = IcoReadProblem::None;
};

} // namespace tessaly
