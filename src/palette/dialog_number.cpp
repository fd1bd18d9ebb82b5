#include "palette/dialog_number.h"

#include <algorithm>
#include <limits>

namespace tessaly {

std::uint32_t readDialogNumber(std::wstring_view text)
{
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return 0;
        value = std::min(kLargest, value * 10 + static_cast<std::uint64_t>(c - L'0'));
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace tessaly
