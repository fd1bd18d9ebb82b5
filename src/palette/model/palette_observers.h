#pragma once

#include "palette/model/color_window_observer.h"
#include "palette/model/palette_image_observer.h"
#include "palette/model/palette_window_observer.h"

namespace tessaly {

// The four views the Palette tells about its changes; it owns none of them,
// and any may be none (tests, start-up before the windows exist).
struct PaletteObservers {
    PaletteWindowObserver* paletteWindow = nullptr;
    ColorWindowObserver* colorWindow = nullptr;
    PaletteImageObserver* canvas = nullptr;
    PaletteImageObserver* preview = nullptr;
};

} // namespace tessaly
