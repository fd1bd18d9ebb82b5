// Shows the palette window and the selected-colour window beside the canvas,
// to be looked at (and used) under Wine:
//   palette_viewer.exe [FILE.ico [INDEX [QUIT_AFTER_MS]]]
// The free palette is the 16 standard colours; an image of 8 bits or fewer
// links the palette to its own colours. Without a file it opens an 8-bit
// sample of the test data.

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "formats/ico_reader.h"
#include "support/palette_workbench_win32.h"
#include "support/viewer_loop_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : TESSALY_TEST_DATA_DIR L"/ico/imagemagick_palette.ico";
    const std::size_t index = argc > 2 ? static_cast<std::size_t>(_wtoi(argv[2])) : 0;
    const UINT quitAfter = argc > 3 ? static_cast<UINT>(_wtoi(argv[3])) : 0;

    tessaly::IconImageList images;
    tessaly::IcoReader reader;
    reader.readFile(file, images);
    if (images.size() <= index)
        return 1;
    tessaly::IconImage standard;
    standard.create(1, 1, 4);
    standard.setStandardPalette();
    std::vector<tessaly::ColorValue> free;
    for (std::int32_t i = 0; i < standard.colorCount(); ++i)
        free.push_back(standard.getPaletteColor(i));

    tessaly::test::PaletteWorkbench bench;
    bench.frame.quitOnClose = true;
    if (!bench.create(820, 600, RECT{0, 0, 560, 560}, RECT{572, 8, 572 + 217, 8 + 290},
                      RECT{572, 306, 572 + 220, 306 + 250}, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX))
        return 1;
    bench.canvas.setBackground(tessaly::EditCanvas::kDefaultBackground);
    bench.colorController.setTwoToneBackground(0xFF, 0xC0);
    bench.palette.replace(free);
    bench.openForEditing(*images[index]);
    tessaly::test::runViewerLoop(quitAfter);
    LocalFree(argv);
    return 0;
}
