// Shows a host window with the editor's five tool frames, to be looked at
// and used under Wine:
//   dock_viewer.exe [LAYOUT_FILE]
// With a layout file, the layout is loaded from it at the start (when it
// exists) and saved into it when the window is closed.

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

#include "image/file_bytes.h"
#include "support/dock_workbench_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring layout = argc > 1 ? argv[1] : L"";
    LocalFree(argv);

    tessaly::test::DockWorkbench bench;
    if (!bench.create(0, 0, 1000, 720))
        return 1;
    if (const auto bytes = layout.empty() ? std::nullopt : tessaly::readFileBytes(layout)) {
        tessaly::ByteReader in(*bytes);
        bench.host.loadLayout(in);
    }
    // Escape ends the program with the layout saved; so does the close box,
    // whose WM_CLOSE arrives sent, not posted, and is caught by its sys command.
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            break;
        if (message.message == WM_NCLBUTTONDOWN && message.hwnd == bench.host.handle() && message.wParam == HTCLOSE)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!layout.empty() && IsWindow(bench.host.handle())) {
        tessaly::ByteWriter out;
        bench.host.saveLayout(out);
        tessaly::writeFileReplacing(layout, out.data());
    }
    return 0;
}
