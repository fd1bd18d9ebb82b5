#pragma once

#include "convert/conversion_type.h"
#include "image/color_mode.h"

namespace tessaly {

// How the duplication dialog's colour-mode and conversion choices depend on
// each other. Keeping the palette keeps the source's colour mode, so the mode
// choice is fixed to it; web-safe and grey palettes are 256-colour palettes,
// so they are offered only with 256 colours.
class IconDuplicateRules {
public:
    struct Controls {
        ColorMode mode;          // the colour mode shown checked
        bool modesEnabled;       // the five colour-mode choices
        bool conversionsEnabled; // none, web-safe and greyscale
    };
    struct Choice {
        ColorMode mode;
        ConversionType type;
    };

    explicit IconDuplicateRules(ColorMode sourceMode)
        : m_sourceMode(sourceMode)
    {
    }

    // The state of the controls at the start (keepPalette false, the
    // source's mode checked) and after every click.
    Controls controlsFor(bool keepPalette, ColorMode checkedMode) const;
    // What OK reports. checkedConversion is None, WebSafe or Greyscale: the
    // conversion choice shown, which counts only with 256 colours.
    Choice choiceFor(bool keepPalette, ColorMode checkedMode, ConversionType checkedConversion) const;

private:
    ColorMode m_sourceMode;
};

} // namespace tessaly
