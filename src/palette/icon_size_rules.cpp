#include "palette/icon_size_rules.h"

#include <array>

namespace tessaly {

namespace {

constexpr std::array<std::uint32_t, 4> kPresetSides{16, 32, 48, 64};

} // namespace

IconSizeRules::Preset IconSizeRules::presetFor(std::uint32_t width, std::uint32_t height)
{
    for (std::size_t i = 0; i < kPresetSides.size(); ++i)
        if (width == kPresetSides[i] && height == kPresetSides[i])
            return static_cast<Preset>(i);
    return Preset::Other;
}

std::optional<std::uint32_t> IconSizeRules::sideOf(Preset preset)
{
    const auto i = static_cast<std::size_t>(preset);
    if (i >= kPresetSides.size())
        return std::nullopt;
    return kPresetSides[i];
}

} // namespace tessaly
