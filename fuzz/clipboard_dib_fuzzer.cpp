// Feeds arbitrary bytes to the reading of a clipboard bitmap, as another
// program could put them there. A grid it fills must hold opaque cells only,
// and must come back unchanged through our own copy format.

#include <cstdint>
#include <cstdlib>

#include "editing/clipboard_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaly::CellGrid grid;
    if (!tessaly::ClipboardDib::toGrid({data, size}, grid)) {
        if (!grid.isEmpty())
            std::abort();
        return 0;
    }
    for (std::int32_t r = 0; r < grid.rows(); ++r)
        for (const tessaly::Cell& cell : grid.row(r))
            if (cell.value >> 24 != 0xFF || cell.mask != 0)
                std::abort();
    tessaly::CellGrid back;
    if (!tessaly::ClipboardDib::toGrid(tessaly::ClipboardDib::fromGrid(grid), back) || !(back == grid))
        std::abort();
    return 0;
}
