#pragma once

#include <vector>

#include "palette/color_window_controller.h"
#include "palette/palette_menu.h"
#include "palette/palette_window_controller.h"
#include "support/editing_model.h"

namespace tessaly::test {

// The editing model with the palette window's and the colour window's
// controllers wired in as the editor wires them, and the document's steps
// that link the palette to an edited image and free it again. The views are
// set by whoever uses it.
struct PaletteModel : EditingModel {
    PaletteModel()
    {
        palette.setObservers(PaletteObservers{&paletteController, &colorController, nullptr, nullptr});
        toolState.addObserver(&paletteController);
        toolState.addObserver(&colorController);
    }
    ~PaletteModel()
    {
        palette.setObservers(PaletteObservers{});
        toolState.removeObserver(&colorController);
        toolState.removeObserver(&paletteController);
    }

    // Opening an image for editing: the free palette is put aside, and an
    // image with a colour table links the palette to it.
    bool openForEditing(const IconImage& icon)
    {
        closeEditing();
        if (!palette.isLinked() && !palette.copyTo(userPalette))
            return false;
        if (!image.load(icon))
            return false;
        toolState.setColourMode(icon.bitCount());
        if (icon.hasPalette())
            palette.takeFromIcon(icon);
        return true;
    }

    // Ending the edit: the free palette comes back.
    void closeEditing()
    {
        colorController.commitPaletteEdit();
        image.clear();
        if (palette.isLinked())
            palette.replace(userPalette);
        toolState.setColourMode(24);
        history.clear();
    }

    std::vector<ColorValue> userPalette;
    std::vector<ColorValue> paletteClipboard;
    PaletteMenu paletteMenu{palette, paletteClipboard, history};
    PaletteWindowController paletteController{palette, toolState, paletteMenu};
    ColorWindowController colorController{palette, toolState, history, paletteController};
};

} // namespace tessaly::test
