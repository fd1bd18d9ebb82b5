// Shows the canvas with an icon loaded and the tool window beside it, to be
// looked at (and used) under Wine:
//   canvas_viewer.exe [FILE.ico [INDEX [ZOOM [QUIT_AFTER_MS]]]]
// Without a file it shows a 32-bit sample of the test data.

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "formats/ico_reader.h"
#include "support/canvas_workbench_win32.h"
#include "support/viewer_loop_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : TESSALY_TEST_DATA_DIR L"/ico/imagemagick_32bit.ico";
    const std::size_t index = argc > 2 ? static_cast<std::size_t>(_wtoi(argv[2])) : 0;
    const int zoom = argc > 3 ? _wtoi(argv[3]) : 0;
    const UINT quitAfter = argc > 4 ? static_cast<UINT>(_wtoi(argv[4])) : 0;

    tessaly::IconImageList images;
    tessaly::IcoReader reader;
    reader.readFile(file, images);
    if (images.size() <= index)
        return 1;
    tessaly::test::CanvasWorkbench bench;
    bench.frame.quitOnClose = true;
    // Two tool columns, 56 pixels, to the right of an 800 x 600 canvas.
    if (!bench.create(880, 640, RECT{0, 0, 800, 600}, RECT{812, 8, 868, 260}, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX))
        return 1;
    bench.canvas.setBackground(tessaly::EditCanvas::kDefaultBackground);
    bench.open(*images[index]);
    bench.canvas.setZoom(zoom);
    tessaly::test::runViewerLoop(quitAfter);
    LocalFree(argv);
    return 0;
}
