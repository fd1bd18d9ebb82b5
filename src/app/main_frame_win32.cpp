#include "app/main_frame_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "app/icon_list_pane_win32.h"
#include "app/main_frame_child_ids.h"
#include "app/preview_window_win32.h"
#include "app/status_bar_win32.h"
#include "editing/edit_canvas_win32.h"
#include "editing/tool_button_layout.h"
#include "editing/tool_window_win32.h"
#include "palette/palette_window_win32.h"
#include "palette/selected_color_window_win32.h"
#include "resources/program_icons.h"
#include "ui/module_instance_win32.h"
#include "ui/window_class_win32.h"
#include "resources/resource_ids.h"
#include "ui/view_class_win32.h"

namespace tessaly {

namespace {

constexpr wchar_t kSaveFileTitle[] = L"ファイルを閉じています";
constexpr wchar_t kSaveFileText[] = L"ファイルの内容が変更されています。\n変更を保存しますか？";
constexpr wchar_t kBeforeSavingTitle[] = L"ファイルを保存しています";
constexpr wchar_t kBeforeSavingText[] = L"ファイルを保存する前に編集中のアイコンを保存しますか？";
constexpr wchar_t kEmptyFileText[] = L"アイコンファイルは必ず１つ以上のアイコンを含まなければなりません。\n"
                                     L"このままファイルを閉じてよろしいですか？";
constexpr wchar_t kImportTitle[] = L"インポート用にファイルを開く";

// Display and pattern pairs, each ending in a NUL, the whole list in a second.
constexpr wchar_t kIcoFilter[] = L"アイコン (*.ico)\0*.ico\0";
constexpr wchar_t kPaletteFilter[] = L"パレット (*.pal)\0*.pal\0";
constexpr wchar_t kImportFilter[] = L"インポート可能な全てのファイル\0*.ico;*.png;*.jpeg;*.jpg;*.bmp;*.exe;*.dll\0"
                                    L"アイコン (*.ico)\0*.ico\0"
                                    L"PNG (*.png)\0*.png\0"
                                    L"JPEG (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
                                    L"ビットマップ (*.bmp)\0*.bmp\0"
                                    L"実行可能ファイル (*.exe)\0*.exe\0"
                                    L"ダイナミックリンクライブラリ (*.dll)\0*.dll\0";

struct FramePlace {
    const wchar_t* title;
    int id; // of the view inside
};

constexpr std::array<FramePlace, kFrameSlotCount> kFramePlaces = {{
    {L"アイコンリスト", kIconListChildId},
    {L"選択色", kSelectedColorChildId},
    {L"パレット", kPaletteChildId},
    {L"ツール", kToolsChildId},
    {L"プレビュー", kPreviewChildId},
}};

void fillRow(HDC dc, int left, int top, int right, int bottom, int systemColour)
{
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, GetSysColorBrush(systemColour));
}

void placeWindow(HWND window, const RECT& rect)
{
    if (window)
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring systemReason()
{
    const DWORD error = GetLastError();
    if (error == 0)
        return {};
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length ? std::wstring(text, length) : L"エラー " + std::to_wstring(error);
    if (text)
        LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

} // namespace

RECT ViewFrame::contentRect(int width, int height) const
{
    if (m_kind == Kind::Plain)
        return RECT{0, 0, width, height};
    return RECT{2, 2, width - 2, height - 2};
}

LRESULT ViewFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = DockFrame::handleMessage(message, wParam, lParam);
        if (m_content)
            placeWindow(m_content->handle(), contentRect(LOWORD(lParam), HIWORD(lParam)));
        if (m_kind == Kind::Sunken)
            InvalidateRect(handle(), nullptr, FALSE);
        return result;
    }
    case WM_SETFOCUS:
        if (m_content && m_content->handle())
            SetFocus(m_content->handle());
        return 0;
    case WM_CLOSE:
        // Alt+F4 in a frame means the program, as it does in the main
        // window; closing the frame alone would destroy its view for good.
        if (site() && site()->handle())
            PostMessageW(site()->handle(), WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT:
        if (m_kind == Kind::Sunken) {
            paintEdge();
            return 0;
        }
        break;
    default:
        break;
    }
    return DockFrame::handleMessage(message, wParam, lParam);
}

void ViewFrame::paintEdge()
{
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(handle(), &ps);
    RECT c{};
    clientRect(c);
    const int l = c.left;
    const int t = c.top;
    const int r = c.right;
    const int b = c.bottom;
    fillRow(dc, l, t, r, t + 1, COLOR_BTNSHADOW);
    fillRow(dc, l, t, l + 1, b, COLOR_BTNSHADOW);
    fillRow(dc, l + 1, t + 1, r - 1, t + 2, COLOR_3DDKSHADOW);
    fillRow(dc, l + 1, t + 1, l + 2, b - 1, COLOR_3DDKSHADOW);
    fillRow(dc, l + 1, b - 2, r - 1, b - 1, COLOR_3DLIGHT);
    fillRow(dc, r - 2, t + 1, r - 1, b - 1, COLOR_3DLIGHT);
    fillRow(dc, l, b - 1, r, b, COLOR_BTNHIGHLIGHT);
    fillRow(dc, r - 1, t, r, b, COLOR_BTNHIGHLIGHT);
    EndPaint(handle(), &ps);
}

MainFrame::MainFrame(const Views& views, ImageClipboard& imageClipboard, ClipboardLink& clipboardLink)
    : m_views(views)
    , m_imageClipboard(imageClipboard)
    , m_clipboardLink(clipboardLink)
    , m_documentDialogs(*this, [this] {
        if (m_untitled)
            m_untitled();
    })
{
}

MainFrame::~MainFrame()
{
    // Here rather than in the base, so that WM_DESTROY still reaches this class.
    destroy();
}

bool MainFrame::create(HMENU menu)
{
    HICON icon = LoadIconW(moduleInstance(), MAKEINTRESOURCEW(IDI_PROGRAM));
    if (!registerWindowClass(kClassName, CS_HREDRAW | CS_VREDRAW, icon, LoadCursorW(nullptr, IDC_ARROW),
                             static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr))
        return false;
    return Window::create(kClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu);
}

bool MainFrame::onCreate()
{
    if (!createSite())
        return false;
    if (!DockFrame::registerClass() || !registerViewClass())
        return false;
    if (!m_views.statusBar.create(*this, kStatusBarChildId))
        return false;
    setStatusBar(m_views.statusBar.handle());

    RECT c{};
    clientRect(c);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&c), 2);
    const int w = c.right - c.left;
    const int h = c.bottom - c.top;
    const std::array<RECT, kFrameSlotCount> places = {{// x, y, width, height
                                                        {c.right - w / 3, c.top, w / 3, h / 3},
                                                        {c.right - w / 3, c.top + h / 3, w / 3, h / 3},
                                                        {c.right - w / 3, c.top + 2 * (h / 3), w / 3, h / 3 - 22},
                                                        {c.left, c.top, 120, 134},
                                                        {c.left, c.top + 134, 120, 80}}};
    for (std::size_t i = 0; i < kFrameSlotCount; ++i) {
        const RECT& p = places[i];
        if (!m_frames[i].create(DockFrame::kClassName, kFramePlaces[i].title, DockFrame::kStyle, p.left, p.top,
                                p.right, p.bottom, *this))
            return false;
    }
    // The tool frame has no menu item to bring it back.
    frame(FrameSlot::Tools).setHideable(false);
    fitToolFrameToItsButtons();

    if (!m_views.canvas.create(*this, RECT{0, 0, 0, 0}, kCanvasChildId))
        return false;
    setClientWindow(&m_views.canvas);

    const std::array<Window*, kFrameSlotCount> views = {&m_views.iconList, &m_views.selectedColor, &m_views.palette,
                                                        &m_views.tools, &m_views.preview};
    for (std::size_t i = 0; i < kFrameSlotCount; ++i) {
        RECT client{};
        m_frames[i].clientRect(client);
        const RECT inside = m_frames[i].contentRect(client.right, client.bottom);
        bool made = false;
        switch (static_cast<FrameSlot>(i)) {
        case FrameSlot::IconList:
            made = m_views.iconList.create(m_frames[i], inside, kFramePlaces[i].id);
            break;
        case FrameSlot::SelectedColor:
            made = m_views.selectedColor.create(m_frames[i], inside, kFramePlaces[i].id);
            break;
        case FrameSlot::Palette:
            made = m_views.palette.create(m_frames[i], inside, kFramePlaces[i].id);
            break;
        case FrameSlot::Tools:
            made = m_views.tools.create(m_frames[i], inside, kFramePlaces[i].id);
            break;
        case FrameSlot::Preview:
            made = m_views.preview.create(m_frames[i], inside, kFramePlaces[i].id);
            break;
        }
        if (!made)
            return false;
        m_frames[i].setContent(views[i]);
    }

    DragAcceptFiles(handle(), TRUE);
    m_clipboardLink.setOwner(handle());
    m_imageClipboard.setObserver(this);
    // Joining sends the first WM_DRAWCLIPBOARD at once, which picks up
    // whatever picture is already on the clipboard.
    m_clipboardLink.joinViewerChain(handle());
    return true;
}

void MainFrame::onDestroy()
{
    m_clipboardLink.leaveViewerChain();
    m_imageClipboard.setObserver(nullptr);
    m_clipboardLink.setOwner(nullptr);
    // The menu object destroys its menu; the window must not as well.
    SetMenu(handle(), nullptr);
    for (ViewFrame& f : m_frames)
        f.setContent(nullptr);
    destroySite();
    PostQuitMessage(0);
}

LRESULT MainFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_CLOSE:
        if (m_owner.closeRequested)
            m_owner.closeRequested();
        else
            destroy();
        return 0;
    case WM_COMMAND:
        // Notifications of the views' own controls are theirs.
        if (lParam == 0 && m_owner.command)
            m_owner.command(LOWORD(wParam));
        return 0;
    case WM_MENUSELECT:
        if (m_owner.menuItemSelected)
            m_owner.menuItemSelected(LOWORD(wParam));
        return 0;
    case WM_ENTERMENULOOP:
        if (m_owner.menuOpening)
            m_owner.menuOpening();
        return 0;
    case WM_EXITMENULOOP:
        if (m_owner.menuClosed)
            m_owner.menuClosed();
        return 0;
    case WM_WINDOWPOSCHANGED:
        // Owned windows belong above their owner. Windows keeps them there;
        // Wine does so only for popups, so the frames are raised whenever
        // this window shows or comes up in the z-order.
        if (const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
            (flags & SWP_SHOWWINDOW) || !(flags & SWP_NOZORDER)) {
            raiseFrames();
        } else if (!(flags & SWP_NOSIZE)) {
            // Maximising and restoring restack the window in Wine after
            // this message: the frames go back on top once that is done.
            PostMessageW(handle(), kRaiseFramesMessage, 0, 0);
        }
        return DockHost::handleMessage(message, wParam, lParam);
    case WM_ACTIVATE:
        // Wine raises an activated window above its owned frames without
        // telling the window; the frames are put back on top once it has.
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageW(handle(), kRaiseFramesMessage, 0, 0);
        return DockHost::handleMessage(message, wParam, lParam);
    case kRaiseFramesMessage:
        raiseFrames();
        return 0;
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_CHANGECBCHAIN:
        m_clipboardLink.chainChanged(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWCLIPBOARD:
        clipboardChanged(wParam, lParam);
        return 0;
    default:
        return DockHost::handleMessage(message, wParam, lParam);
    }
}

void MainFrame::onDropFiles(HANDLE dropHandle)
{
    auto* drop = static_cast<HDROP>(dropHandle);
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        files.push_back(std::move(name));
    }
    DragFinish(drop);
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!files.empty() && m_owner.filesDropped)
        m_owner.filesDropped(files, shift);
}

bool MainFrame::routeMenuKey(const MSG& message)
{
    // Alt and a letter in a view of a floating frame would look for a menu
    // bar from that view up to the frame, which has none: the letter opens
    // this window's menu instead, as it does wherever the focus is here.
    if (message.message != WM_SYSCHAR || !handle() || !(HIWORD(message.lParam) & KF_ALTDOWN))
        return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || root == handle() || GetWindow(root, GW_OWNER) != handle())
        return false;
    if (message.wParam == L'\t' || message.wParam == 0x1B || message.wParam == L' ')
        return false;
    SetActiveWindow(handle());
    SendMessageW(handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(message.wParam));
    return true;
}

// At its first-start size the tool frame's view is three buttons wide and
// shows four rows of the five or six its tools need: the rest would be out
// of reach until the user thought of enlarging the frame. It grows to show
// them all, with the alpha tools, and the preview frame moves down with it.
void MainFrame::fitToolFrameToItsButtons()
{
    ViewFrame& tools = frame(FrameSlot::Tools);
    RECT client{};
    tools.clientRect(client);
    const RECT inside = tools.contentRect(client.right, client.bottom);
    const int grow = ToolButtonLayout::heightFor(inside.right - inside.left, true) - (inside.bottom - inside.top);
    if (grow <= 0)
        return;
    RECT toolsPlace{};
    GetWindowRect(tools.handle(), &toolsPlace);
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(tools.handle(), nullptr, 0, 0, toolsPlace.right - toolsPlace.left,
                 toolsPlace.bottom - toolsPlace.top + grow, kFlags | SWP_NOMOVE);
    RECT previewPlace{};
    GetWindowRect(frame(FrameSlot::Preview).handle(), &previewPlace);
    SetWindowPos(frame(FrameSlot::Preview).handle(), nullptr, previewPlace.left, previewPlace.top + grow, 0, 0,
                 kFlags | SWP_NOSIZE);
}

void MainFrame::raiseFrames()
{
    for (ViewFrame& f : m_frames) {
        if (!f.handle() || f.isDocked() || !IsWindowVisible(f.handle()))
            continue;
        // A move to the top that the system thinks is no move is skipped;
        // through the topmost band it is always carried out.
        constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        SetWindowPos(f.handle(), HWND_TOPMOST, 0, 0, 0, 0, kFlags);
        SetWindowPos(f.handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
    }
}

void MainFrame::showFrame(FrameSlot slot, bool shown)
{
    ShowWindow(frame(slot).handle(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool MainFrame::frameVisible(FrameSlot slot) const
{
    return IsWindowVisible(m_frames[static_cast<std::size_t>(slot)].handle()) != FALSE;
}

std::optional<std::wstring> MainFrame::askFile(FileDialogKind kind, const std::wstring& folder,
                                               const std::wstring& name)
{
    wchar_t file[MAX_PATH] = {};
    wchar_t fileTitle[64] = {};
    name.copy(file, MAX_PATH - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = handle();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.nFilterIndex = 1;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    bool save = false;
    switch (kind) {
    case FileDialogKind::OpenIco:
    case FileDialogKind::SaveIco:
        save = kind == FileDialogKind::SaveIco;
        dialog.lpstrFilter = kIcoFilter;
        dialog.lpstrFileTitle = fileTitle;
        dialog.nMaxFileTitle = 64;
        dialog.lpstrDefExt = L"ico";
        break;
    case FileDialogKind::Import:
        dialog.lpstrFilter = kImportFilter;
        dialog.lpstrTitle = kImportTitle;
        break;
    case FileDialogKind::OpenPalette:
    case FileDialogKind::SavePalette:
        save = kind == FileDialogKind::SavePalette;
        dialog.lpstrFilter = kPaletteFilter;
        dialog.lpstrDefExt = L"pal";
        dialog.lpstrInitialDir = nullptr;
        break;
    }
    // Replacing a file the user did not mean to is data lost: ask first.
    dialog.Flags |= save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return std::wstring(file);
}

PromptAnswer MainFrame::askSaveFile()
{
    return askYesNoCancel(handle(), kSaveFileText, kSaveFileTitle);
}

bool MainFrame::askSaveEditedBeforeSaving()
{
    return MessageBoxW(handle(), kBeforeSavingText, kBeforeSavingTitle, MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool MainFrame::askCloseEmptyFile()
{
    return MessageBoxW(handle(), kEmptyFileText, kSaveFileTitle, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

bool MainFrame::askPaletteLength(std::int32_t& length)
{
    return m_paletteLength.ask(this, length);
}

void MainFrame::showError(const std::wstring& text, bool withSystemReason)
{
    std::wstring shown = text;
    if (withSystemReason) {
        const std::wstring reason = systemReason();
        if (!reason.empty())
            shown += L"\n" + reason;
    }
    MessageBoxW(handle(), shown.c_str(), kTitle, MB_OK | MB_ICONERROR);
}

void MainFrame::setTitle(const std::wstring& title)
{
    SetWindowTextW(handle(), title.c_str());
}

void MainFrame::showListTab(std::int32_t tab)
{
    m_views.iconList.selectTab(tab);
}

void MainFrame::imageCopied(const CellGrid& content)
{
    m_clipboardLink.copyToClipboard(content);
}

void MainFrame::clipboardChanged(WPARAM wParam, LPARAM lParam)
{
    // Our own copy is already in the buffer, with its alpha and masks, which
    // the clipboard's bitmap does not carry; only other programs' changes
    // replace it.
    if (!m_clipboardLink.clipboardChanged(wParam, lParam))
        return;
    m_imageClipboard.clear();
    if (!m_clipboardLink.clipboardHasDib())
        return;
    CellGrid content;
    m_clipboardLink.readClipboard(content);
    m_imageClipboard.mirror(std::move(content));
}

} // namespace tessaly
