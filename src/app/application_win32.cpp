#include "app/application_win32.h"

#include "app/main_menu_layout.h"
#include "app/settings_record.h"
#include "editing/canvas_backgrounds.h"
#include "formats/platform_icon_file_formats_win32.h"
#include "image/byte_reader.h"
#include "image/byte_writer.h"
#include "image/color_value.h"
#include "ui/module_instance_win32.h"

namespace tessaly {

namespace {

std::uint8_t redLevel(ColorValue colour)
{
    return static_cast<std::uint8_t>(colour & 0xFF);
}

} // namespace

Application::Application()
    : m_model(platformIconFileFormats())
    , m_canvas(m_model.image, m_model.palette, m_model.selection, m_model.controller)
    , m_tools(m_model.toolState)
    , m_paletteWindow(m_model.palette, m_model.paletteController)
    , m_colourWindow(m_model.colorController)
    , m_preview(m_model.image, m_model.palette)
    , m_editView(m_model.editList, m_model.editController, m_listMenus)
    , m_trashView(m_model.trash, m_model.trashController, m_listMenus)
    , m_importView(m_model.imports, m_model.importController, m_listMenus)
    , m_pane(m_editView, m_trashView, m_importView)
    , m_selectionMenu(m_model.commands)
    , m_texts(m_statusBar, m_model.toolState, m_model.image, m_model.palette)
    , m_mainMenu(*this)
    , m_mainFrame(MainFrame::Views{m_pane, m_canvas, m_colourWindow, m_paletteWindow, m_tools, m_preview, m_statusBar},
                  m_model.clipboard, m_clipboardLink)
    , m_fileCommands(m_model, m_mainFrame)
{
}

Application::~Application()
{
    // The windows go before the models they show; exitInstance has run when
    // the loop ended, and must not run a second time here.
    m_mainFrame.destroy();
    unwire();
}

void Application::wire()
{
    EditorModel& m = m_model;
    m.image.setObservers(&m_canvas, &m_preview.controller());
    m.palette.setObservers(PaletteObservers{&m.paletteController, &m.colorController, &m_canvas, &m_preview.controller()});
    m.toolState.addObserver(&m_tools);
    m.toolState.addObserver(&m_canvas);
    m.selection.setView(&m_canvas, &m_canvas);
    m.controller.setView(&m_canvas, &m_canvas);
    m_canvas.setSelectionMenu(&m_selectionMenu);

    m_texts.setCanvas(&m.controller, &m.selection, &m_canvas);
    m_canvas.setStatusSink(&m_texts);
    m_tools.setStatusSink(&m_texts);
    m_preview.setStatusSink(&m_texts);
    m.paletteController.setStatusSink(&m_texts);
    m.editController.setStatusSink(&m_texts);
    m.trashController.setStatusSink(&m_texts);
    m.importController.setStatusSink(&m_texts);

    m.document.setHost(&m_mainFrame.documentDialogs());
    m_mainFrame.setUntitledHandler([this] { m_fileCommands.untitledFileStarted(); });
    MainFrame::Owner owner;
    owner.closeRequested = [this] { exit(); };
    owner.command = [this](std::int32_t id) { m_mainMenu.execute(id); };
    owner.menuOpening = [this] { m_mainMenu.updateStates(); };
    owner.menuClosed = [this] { m_mainMenu.enableAcceleratedItems(); };
    owner.menuItemSelected = [this](std::int32_t id) { m_texts.menuHint(id); };
    owner.filesDropped = [this](const std::vector<std::wstring>& files, bool shift) { filesDropped(files, shift); };
    m_mainFrame.setOwner(std::move(owner));
    m_wired = true;
}

void Application::unwire()
{
    if (!m_wired)
        return;
    EditorModel& m = m_model;
    m.document.setHost(nullptr);
    m.image.setObservers(nullptr, nullptr);
    m.palette.setObservers(PaletteObservers{&m.paletteController, &m.colorController, nullptr, nullptr});
    m.toolState.removeObserver(&m_canvas);
    m.toolState.removeObserver(&m_tools);
    m.selection.setView(nullptr, nullptr);
    m.controller.setView(nullptr, nullptr);
    m.paletteController.setStatusSink(nullptr);
    m.editController.setStatusSink(nullptr);
    m.trashController.setStatusSink(nullptr);
    m.importController.setStatusSink(nullptr);
    m_texts.setCanvas(nullptr, nullptr, nullptr);
    m_wired = false;
}

bool Application::initInstance()
{
    setModuleInstance(instance());
    std::error_code ec;
    m_startDirectory = std::filesystem::current_path(ec);
    if (ec)
        return false;

    m_accelerators = LoadAcceleratorsW(instance(), MAKEINTRESOURCEW(kAcceleratorResourceId));
    if (!m_accelerators)
        return false;
    wire();
    if (!m_mainMenu.load() || !m_listMenus.create() || !m_selectionMenu.create())
        return false;
    if (!m_mainFrame.create(m_mainMenu.handle()))
        return false;

    if (!loadSettings()) {
        setCanvasBackground(6);
        setPreviewBackground(3);
        m_mainFrame.show(showCommand());
    }
    if (m_model.palette.loadFile(m_startDirectory / kPaletteFile))
        m_model.palette.copyTo(m_model.document.userPalette());
    m_mainFrame.setTitle(m_fileCommands.title());
    m_mainFrame.update();
    return true;
}

void Application::exitInstance()
{
    // Closing the window destroys it before the loop ends; this covers the
    // other ways out.
    m_mainFrame.destroy();
    if (m_accelerators) {
        DestroyAcceleratorTable(m_accelerators);
        m_accelerators = nullptr;
    }
}

void Application::pumpMessage(const MSG& message)
{
    if (m_accelerators && m_mainFrame.handle() &&
        TranslateAcceleratorW(m_mainFrame.handle(), m_accelerators, const_cast<MSG*>(&message)))
        return;
    if (m_mainFrame.routeMenuKey(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Application::exit()
{
    if (!m_fileCommands.close())
        return;
    saveSettings();
    m_model.palette.saveFile(m_startDirectory / kPaletteFile);
    m_mainFrame.destroy();
    PostQuitMessage(0);
}

void Application::undo()
{
    m_model.document.undo();
}

void Application::redo()
{
    m_model.document.redo();
}

void Application::newIcon()
{
    m_model.document.ensureFile();
    m_model.document.newIcon();
}

void Application::setCanvasBackground(std::int32_t index)
{
    m_canvasBackground = index;
    if (!CanvasBackgrounds::isChoice(index))
        return;
    m_canvas.setBackground(index);
    // The selected colour is shown over the same background as the canvas.
    const CanvasAppearance& look = m_canvas.appearance();
    if (look.twoTone)
        m_model.colorController.setTwoToneBackground(redLevel(look.background1), redLevel(look.background2));
    else
        m_model.colorController.setSolidBackground(look.background1);
}

void Application::setPreviewBackground(std::int32_t index)
{
    m_previewBackground = index;
    m_preview.setBackgroundChoice(index);
}

MenuConditions Application::menuConditions() const
{
    const EditorModel& m = m_model;
    MenuConditions c;
    c.fileOpen = m.editIcons.isNamed();
    c.fileHasPath = !m_fileCommands.currentPath().empty();
    c.canUndo = m.history.canUndo();
    c.canRedo = m.history.canRedo();
    c.hasSelection = m.selection.hasRect();
    c.hasPasteContent = !m.clipboard.isEmpty();
    c.editingIcon = m.image.hasImage();
    c.editListHasSelection = m.editList.selectedIcon() >= 0;
    c.importListHasSelection = m.imports.selectedIcon() >= 0;
    c.trashHasSelection = m.trash.selectedIcon() >= 0;
    c.paletteLinked = m.palette.isLinked();
    c.paletteEmpty = m.palette.length() == 0;
    c.applyColorChanges = m.palette.applyColorChanges();
    c.canvasBackground = m_canvasBackground;
    c.zoomSetting = m_canvas.currentZoomSetting();
    c.gridShown = m_canvas.appearance().gridShown;
    c.paletteShowsWhole = m.paletteController.showWhole();
    c.previewBackground = m_previewBackground;
    c.previewAutoZoom = m_preview.controller().autoZoom();
    c.previewSelected = m_preview.controller().showSelected();
    c.iconListFrameVisible = m_mainFrame.frameVisible(FrameSlot::IconList);
    c.selectedColorFrameVisible = m_mainFrame.frameVisible(FrameSlot::SelectedColor);
    c.paletteFrameVisible = m_mainFrame.frameVisible(FrameSlot::Palette);
    c.previewFrameVisible = m_mainFrame.frameVisible(FrameSlot::Preview);
    return c;
}

void Application::filesDropped(const std::vector<std::wstring>& files, bool shift)
{
    const auto isIco = [](const std::wstring& file) {
        const std::optional<std::string> extension = IconCollection::extensionOf(std::filesystem::path(file));
        return extension && *extension == ".ico";
    };
    SetForegroundWindow(m_mainFrame.handle());
    if (files.size() == 1 && isIco(files[0]) && !shift) {
        m_fileCommands.openPath(files[0]);
        return;
    }
    m_fileCommands.importPaths(files);
}

namespace {

// Placements are in workspace coordinates: those of the screen shifted so
// that the primary monitor's work area starts at (0, 0).
std::vector<DockRect> workAreasInWorkspace()
{
    std::vector<DockRect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                const RECT& w = info.rcWork;
                reinterpret_cast<std::vector<DockRect>*>(data)->push_back({w.left, w.top, w.right, w.bottom});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    RECT primary{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    for (DockRect& a : areas) {
        a.left -= primary.left;
        a.right -= primary.left;
        a.top -= primary.top;
        a.bottom -= primary.top;
    }
    return areas;
}

// The folder as the system code page writes it; none when the code page
// cannot hold every character of it.
std::string folderInCodePage(const std::wstring& folder)
{
    if (folder.empty())
        return {};
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), static_cast<int>(folder.size()),
                                         nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), static_cast<int>(folder.size()), text.data(),
                        size, nullptr, &lost);
    return lost ? std::string() : text;
}

std::wstring folderFromCodePage(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring folder(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), folder.data(), size);
    return folder;
}

} // namespace

bool Application::loadSettings()
{
    std::optional<SettingsRecord> record =
        readSettingsFile(m_startDirectory / kSettingsFile, static_cast<std::size_t>(m_mainFrame.frameCount()));
    if (!record)
        return false;
    if (record->placementRead) {
        record->boundPlacement(workAreasInWorkspace(), GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CXMIN));
        const WindowPlacementRecord& p = record->placement;
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        placement.flags = p.flags;
        placement.showCmd = p.showCommand;
        placement.ptMinPosition = {p.minimised.x, p.minimised.y};
        placement.ptMaxPosition = {p.maximised.x, p.maximised.y};
        placement.rcNormalPosition = {p.normal.left, p.normal.top, p.normal.right, p.normal.bottom};
        SetWindowPlacement(m_mainFrame.handle(), &placement);
    } else {
        // A file cut before its placement must not leave the window hidden.
        m_mainFrame.show(showCommand());
    }
    if (record->dockLayoutRead) {
        ByteWriter layout;
        record->dockLayout.write(layout);
        ByteReader in(layout.data());
        m_mainFrame.loadLayout(in);
    }
    m_fileCommands.setLastFolder(folderFromCodePage(record->lastFolderText()));
    setCanvasBackground(static_cast<std::int32_t>(record->canvasBackground));
    setZoom(record->zoom);
    setGrid(record->grid);
    setPaletteShowWhole(record->paletteShowsWhole);
    setPreviewBackground(static_cast<std::int32_t>(record->previewBackground));
    setPreviewAutoZoom(record->previewAutoZoom);
    setApplyColorChanges(record->applyColorChanges);
    return true;
}

void Application::saveSettings()
{
    SettingsRecord record;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(m_mainFrame.handle(), &placement)) {
        WindowPlacementRecord& p = record.placement;
        p.flags = placement.flags;
        p.showCommand = placement.showCmd;
        p.minimised = {placement.ptMinPosition.x, placement.ptMinPosition.y};
        p.maximised = {placement.ptMaxPosition.x, placement.ptMaxPosition.y};
        const RECT& n = placement.rcNormalPosition;
        p.normal = {n.left, n.top, n.right, n.bottom};
    }
    ByteWriter layout;
    m_mainFrame.saveLayout(layout);
    ByteReader in(layout.data());
    record.dockLayout.read(in, static_cast<std::size_t>(m_mainFrame.frameCount()));
    record.setLastFolder(folderInCodePage(m_fileCommands.lastFolder()));
    record.canvasBackground = static_cast<std::uint32_t>(m_canvasBackground);
    record.zoom = m_canvas.currentZoomSetting();
    record.grid = m_canvas.appearance().gridShown;
    record.paletteShowsWhole = m_model.paletteController.showWhole();
    record.previewBackground = static_cast<std::uint32_t>(m_previewBackground);
    record.previewAutoZoom = m_preview.controller().autoZoom();
    record.applyColorChanges = m_model.palette.applyColorChanges();
    writeSettingsFile(m_startDirectory / kSettingsFile, record);
}

} // namespace tessaly
