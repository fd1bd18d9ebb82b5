// Shows the canvas, the tool window and the preview with an icon loaded,
// the pencil chosen, to be drawn in and looked at under Wine:
//   preview_viewer.exe [FILE.ico [INDEX [AUTO_ZOOM [VALUE [QUIT_AFTER_MS]]]]]
// AUTO_ZOOM 1 lets the preview enlarge or reduce the image; VALUE is the
// pencil's value in hexadecimal (a palette index, or 0xAABBGGRR). Without a
// file it shows a 32-bit sample of the test data.

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "formats/ico_reader.h"
#include "support/preview_workbench_win32.h"
#include "support/viewer_loop_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : TESSALY_TEST_DATA_DIR L"/ico/imagemagick_32bit.ico";
    const std::size_t index = argc > 2 ? static_cast<std::size_t>(_wtoi(argv[2])) : 0;
    const bool autoZoom = argc > 3 && _wtoi(argv[3]) != 0;
    const auto value = static_cast<std::uint32_t>(argc > 4 ? std::wcstoul(argv[4], nullptr, 16) : 0xFF0000FFul);
    const UINT quitAfter = argc > 5 ? static_cast<UINT>(_wtoi(argv[5])) : 0;

    tessaly::IconImageList images;
    tessaly::IcoReader reader;
    reader.readFile(file, images);
    if (images.size() <= index)
        return 1;
    tessaly::test::PreviewWorkbench bench;
    bench.frame.quitOnClose = true;
    // The tool columns and, below them, a 200 x 160 preview, right of a 640 x 600 canvas.
    if (!bench.create(880, 640, RECT{0, 0, 640, 600}, RECT{652, 8, 708, 260}, RECT{652, 280, 852, 440},
                      WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX))
        return 1;
    bench.canvas.setBackground(tessaly::EditCanvas::kDefaultBackground);
    bench.preview.setBackgroundChoice(tessaly::PreviewWindow::kDefaultBackgroundChoice);
    bench.preview.controller().setAutoZoom(autoZoom);
    bench.open(*images[index]);
    bench.canvas.setZoom(0);
    bench.toolState.setTool(tessaly::ToolId::Pencil);
    bench.toolState.setDrawingValue(value);
    tessaly::test::runViewerLoop(quitAfter);
    LocalFree(argv);
    return 0;
}
