#include "palette/icon_duplicate_rules.h"

namespace tessaly {

IconDuplicateRules::Controls IconDuplicateRules::controlsFor(bool keepPalette, ColorMode checkedMode) const
{
    if (keepPalette)
        return Controls{m_sourceMode, false, false};
    return Controls{checkedMode, true, checkedMode == ColorMode::Color256};
}

IconDuplicateRules::Choice IconDuplicateRules::choiceFor(bool keepPalette, ColorMode checkedMode,
                                                         ConversionType checkedConversion) const
{
    if (keepPalette)
        return Choice{m_sourceMode, ConversionType::KeepPalette};
    const bool paletteChoice =
        checkedConversion == ConversionType::WebSafe || checkedConversion == ConversionType::Greyscale;
    if (checkedMode == ColorMode::Color256 && paletteChoice)
        return Choice{checkedMode, checkedConversion};
    return Choice{checkedMode, ConversionType::None};
}

} // namespace tessaly
