// Shows the icon list pane with a file in its edit list, to be looked at
// (and used) under Wine:
//   icon_list_viewer.exe [FILE [IMPORT_FILE [SELECTED [EDITED [QUIT_AFTER_MS]]]]]
// FILE goes to the edit list and to the trash, IMPORT_FILE (an .ico, a
// picture or a program file) to the import list. Without a file it shows
// a sample of the test data.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/document_dialogs_win32.h"
#include "formats/platform_icon_file_formats_win32.h"
#include "support/icon_list_workbench_win32.h"
#include "support/viewer_loop_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : TESSALY_TEST_DATA_DIR L"/ico/icotool_mixed.ico";
    const std::wstring imported = argc > 2 ? argv[2] : L"";
    const int selected = argc > 3 ? _wtoi(argv[3]) : -1;
    const int edited = argc > 4 ? _wtoi(argv[4]) : -1;
    const UINT quitAfter = argc > 5 ? static_cast<UINT>(_wtoi(argv[5])) : 0;

    tessaly::test::IconListWorkbench bench(tessaly::platformIconFileFormats());
    bench.frame.quitOnClose = true;
    if (!bench.create(340, 420, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX))
        return 1;
    tessaly::DocumentDialogs dialogs(bench.frame, [&] { bench.pane.selectTab(tessaly::IconListPane::kEditTab); });
    bench.document.setHost(&dialogs);
    bench.editIcons.open(file);
    bench.trashIcons.open(file);
    if (!imported.empty())
        bench.importIcons.open(imported);
    if (edited >= 0) {
        bench.editList.selectItem(edited);
        bench.document.openIconForEditing();
    }
    bench.editList.selectItem(selected);
    tessaly::test::runViewerLoop(quitAfter);
    LocalFree(argv);
    return 0;
}
