#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/huffman_table.h"
#include "formats/inflate_bit_reader.h"

namespace tessaly {

// Decodes a zlib stream (RFC 1950) of deflate data (RFC 1951) into a buffer
// whose size the caller knows exactly: the PNG reader's scanlines.
//
// The program's own rules where decoders differ:
// - The header's window size is honoured as stated: a distance is taken
//   within a window of that size, and a distance reaching before the first
//   byte produced reads zeros (as from a freshly cleared window) instead of
//   failing. Every decode starts from such a cleared window.
// - The header may name windows larger than 32 KiB (CINFO above 7).
// - Codes with too many or too few codes of a length are decoded by the
//   canonical rule rather than refused (see HuffmanTable), and an unused
//   length or distance symbol of the code (286, 287, 30, 31) fails only when
//   it is read.
// - The Adler-32 checksum after the data is not read.
// Nothing is ever read past the input or written past the output.
//
// The output doubles as the window, so the decoder keeps no copy of it.
class InflateDecoder {
public:
    static constexpr int kMinWindowBits = 8;
    static constexpr int kMaxWindowBits = 23; // what a CINFO of 15 names
    static constexpr int kDefaultWindowBits = 15;

    // Checks the two header bytes, takes the window size from them and
    // decodes the rest. True only when exactly output.size() bytes result.
    bool inflateZlib(std::span<const std::uint8_t> data, std::span<std::uint8_t> output);

    // The window for later calls of inflate: 2^windowBits bytes. False for
    // a size no zlib header can name. Until it is called the window is 32 KiB.
    bool setWindow(int windowBits);

    // Raw deflate data; the number of bytes produced, or -1 when the data is
    // damaged or truncated, or would produce more than output.size() bytes.
    // Bytes of output past the count returned may have been overwritten.
    std::int64_t inflate(std::span<const std::uint8_t> data, std::span<std::uint8_t> output);

private:
    enum class Progress { Continue, EndOfBlock, Failed };

    bool decodeBlock(std::uint32_t type);
    bool decodeStored();
    bool readDynamicCodes();
    bool readCodeLengths(InflateBitReader& reader, std::span<std::uint8_t> lengths) const;
    bool decodeData(const HuffmanTable& literals, const HuffmanTable& distances);
    Progress decodeFast(const HuffmanTable& literals, const HuffmanTable& distances);
    Progress decodeOneCarefully(const HuffmanTable& literals, const HuffmanTable& distances);
    bool copyMatch(std::size_t length, std::size_t distance);
    [[gnu::always_inline]] static bool takeSymbol(InflateBitReader& in, const HuffmanTable& table,
                                                  std::uint32_t& entry);

    InflateBitReader m_in;
    std::uint8_t* m_out = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_written = 0;
    std::size_t m_windowMask = (std::size_t{1} << kDefaultWindowBits) - 1;
    HuffmanTable m_literals;
    HuffmanTable m_distances;
    HuffmanTable m_codeLengthCodes;
};

} // namespace tessaly
