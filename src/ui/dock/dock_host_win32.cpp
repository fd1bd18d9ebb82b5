#include "ui/dock/dock_host_win32.h"

#include <algorithm>
#include <vector>

#include "ui/dock/dock_bar_win32.h"
#include "ui/dock/dock_frame_win32.h"
#include "ui/dock/dock_rect_win32.h"
#include "ui/dock/dock_site_layout.h"
#include "ui/window_class_win32.h"

namespace tessaly {

namespace {

// Where a frame docks when it should go to the end of its bar.
constexpr RECT kEndOfBar{30000, 30000, 30000, 30000};

bool hasVisibleStyle(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CALLBACK collectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<DockRect>*>(areas)->push_back(toDockRect(info.rcWork));
    return TRUE;
}

} // namespace

DockHost::~DockHost()
{
    destroy();
}

bool DockHost::createSite()
{
    // The placeholder looks like the site: its cursor, icon, background and class style.
    auto* cursor = reinterpret_cast<HCURSOR>(getClassLong(GCLP_HCURSOR));
    auto* icon = reinterpret_cast<HICON>(getClassLong(GCLP_HICON));
    auto* background = reinterpret_cast<HBRUSH>(getClassLong(GCLP_HBRBACKGROUND));
    const auto style = static_cast<UINT>(getClassLong(GCL_STYLE));
    if (!registerWindowClass(kClientClassName, style, icon, cursor, background, nullptr))
        return false;
    auto placeholder = std::make_unique<Window>();
    if (!placeholder->create(kClientClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, this, nullptr))
        return false;
    m_ownedClient = std::move(placeholder);
    m_client = m_ownedClient.get();
    m_destroying = false;
    return true;
}

void DockHost::destroySite()
{
    m_destroying = true;
    // The docked frames go with their bars' windows; none may reach back
    // into a bar being deleted.
    for (DockFrame* frame : m_frames)
        frame->forgetBar();
    for (Side& side : m_sides) {
        side.bars.free();
        side.thicknesses.free();
    }
    m_frames.free();
    m_ownedClient.reset();
    m_client = nullptr;
}

void DockHost::setClientWindow(Window* window)
{
    RECT place{};
    if (m_client && m_client->handle()) {
        m_client->windowRect(place);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&place), 2);
    }
    m_ownedClient.reset();
    m_client = window;
    if (m_client && m_client->handle())
        m_client->setPosition(nullptr, place, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DockHost::setStatusBar(HWND statusBar)
{
    m_statusBar = statusBar;
    layoutSite();
}

DockFrame* DockHost::frameByNumber(std::int32_t number) const
{
    for (DockFrame* frame : m_frames) {
        if (frame->number() == number)
            return frame;
    }
    return nullptr;
}

std::int32_t DockHost::joinFrames(DockFrame& frame)
{
    m_frames.add(&frame);
    return m_nextNumber++;
}

void DockHost::leaveFrames(DockFrame& frame)
{
    m_frames.removeValue(&frame);
    // An emptied bar stays (hidden) until the next drop: it may be the very
    // window being destroyed around this frame.
    layoutSite();
}

bool DockHost::findBar(const DockBar& bar, DockSide& side, std::int32_t& index) const
{
    for (const DockSide s : kDockSides) {
        const auto& bars = m_sides[sideIndex(s)].bars;
        for (std::int32_t i = 0; i < bars.count(); ++i) {
            if (bars.get(i).get() == &bar) {
                side = s;
                index = i;
                return true;
            }
        }
    }
    return false;
}

int DockHost::barThickness(const DockBar& bar) const
{
    DockSide side = DockSide::Top;
    std::int32_t index = 0;
    return findBar(bar, side, index) ? m_sides[sideIndex(side)].thicknesses.get(index) : 0;
}

void DockHost::setBarThickness(DockBar& bar, int pixels)
{
    DockSide side = DockSide::Top;
    std::int32_t index = 0;
    if (!findBar(bar, side, index))
        return;
    m_sides[sideIndex(side)].thicknesses.get(index) = pixels;
    layoutSite();
}

DockBar* DockHost::addBar(DockSide side, int thickness)
{
    auto bar = std::make_unique<DockBar>();
    if (!bar->create(*this, side))
        return nullptr;
    DockBar* added = bar.get();
    Side& s = m_sides[sideIndex(side)];
    if (!s.thicknesses.add(thickness))
        return nullptr;
    if (!s.bars.add(std::move(bar))) {
        s.thicknesses.removeAt(s.thicknesses.count() - 1);
        return nullptr;
    }
    return added;
}

void DockHost::removeEmptyBars()
{
    for (Side& side : m_sides) {
        for (std::int32_t i = side.bars.count() - 1; i >= 0; --i) {
            if (side.bars.get(i)->model().entries().count() == 0) {
                side.bars.removeAt(i);
                side.thicknesses.removeAt(i);
            }
        }
    }
}

void DockHost::removeAllBars()
{
    for (DockFrame* frame : m_frames)
        frame->leaveBar();
    for (Side& side : m_sides) {
        side.bars.free();
        side.thicknesses.free();
    }
}

void DockHost::layoutSite()
{
    if (!handle() || m_destroying)
        return;
    RECT client{};
    clientRect(client);
    DockRect area = toDockRect(client);
    if (m_statusBar && hasVisibleStyle(m_statusBar)) {
        RECT status{};
        GetWindowRect(m_statusBar, &status);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&status), 2);
        area.bottom = std::max(area.top, std::min(area.bottom, static_cast<int>(status.top)));
    }
    std::array<std::vector<DockBarSlot>, kDockSideCount> slots;
    for (const DockSide side : kDockSides) {
        const Side& s = m_sides[sideIndex(side)];
        for (std::int32_t i = 0; i < s.bars.count(); ++i)
            slots[sideIndex(side)].push_back({s.thicknesses.get(i), s.bars.get(i)->model().visibleCount() > 0});
    }
    const DockSiteArrangement arrangement = arrangeDockSite(area, slots);
    // Each bar behind the one placed before it.
    HWND after = HWND_TOP;
    for (const DockSide side : kDockSides) {
        const Side& s = m_sides[sideIndex(side)];
        for (std::int32_t i = 0; i < s.bars.count(); ++i) {
            if (!slots[sideIndex(side)][static_cast<std::size_t>(i)].visible)
                continue;
            DockBar& bar = *s.bars.get(i);
            bar.setPosition(after, toRect(arrangement.bars[sideIndex(side)][static_cast<std::size_t>(i)]),
                            SWP_NOACTIVATE);
            after = bar.handle();
        }
    }
    if (m_client && m_client->handle())
        m_client->setPosition(nullptr, toRect(arrangement.client), SWP_NOZORDER | SWP_NOACTIVATE);
}

DockTargets DockHost::targetsFor(const DockFrame& frame) const
{
    DockTargets targets;
    for (const DockSide side : kDockSides) {
        const Side& s = m_sides[sideIndex(side)];
        for (std::int32_t i = 0; i < s.bars.count(); ++i) {
            const DockBar& bar = *s.bars.get(i);
            RECT r{};
            bar.windowRect(r);
            targets.bars.push_back({side, toDockRect(r), bar.isVisible(), bar.containsFrame(frame)});
        }
    }
    RECT r{};
    if (m_client && m_client->windowRect(r))
        targets.clientWindow = toDockRect(r);
    clientRect(r);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    targets.siteClient = toDockRect(r);
    return targets;
}

void DockHost::dropFrame(DockFrame& frame, const RECT& rect)
{
    const DockTargets targets = targetsFor(frame);
    std::vector<DockBar*> bars;
    for (const DockSide side : kDockSides) {
        for (std::int32_t i = 0; i < barCount(side); ++i)
            bars.push_back(&bar(side, i));
    }
    const DockDropPlan plan = targets.planDrop(toDockRect(rect), frame.isDocked(), frame.sizes());
    switch (plan.action) {
    case DockDropPlan::Action::MoveWithinBar:
        bars[plan.bar]->moveFrame(frame, rect);
        break;
    case DockDropPlan::Action::DockIntoBar: {
        DockBar& target = *bars[plan.bar];
        if (plan.thickness > barThickness(target))
            setBarThickness(target, plan.thickness);
        frame.dock(target, rect);
        break;
    }
    case DockDropPlan::Action::DockIntoNewBar: {
        DockBar* added = addBar(plan.side, plan.thickness);
        if (!added)
            return; // no window for the bar: nothing changes
        frame.dock(*added, rect);
        break;
    }
    case DockDropPlan::Action::Float:
        frame.floatAt(toRect(plan.rect));
        break;
    }
    removeEmptyBars();
    layoutSite();
}

void DockHost::saveLayout(ByteWriter& out) const
{
    DockLayoutRecord record;
    for (const DockSide side : kDockSides) {
        const Side& s = m_sides[sideIndex(side)];
        for (std::int32_t i = 0; i < s.bars.count(); ++i) {
            DockRecordBar bar;
            bar.thickness = s.thicknesses.get(i);
            for (const DockBarEntry& entry : s.bars.get(i)->model().entries()) {
                const DockFrame* frame = frameByNumber(entry.frame);
                bar.frames.push_back(frame ? m_frames.find(frame) : -1);
                bar.extents.push_back(entry.extent);
            }
            record.sides[sideIndex(side)].push_back(std::move(bar));
        }
    }
    for (const DockFrame* frame : m_frames) {
        const DockFrameSizes& sizes = frame->sizes();
        record.frames.push_back({frame->isDocked(), hasVisibleStyle(frame->handle()), sizes.dockedWidth,
                                 sizes.dockedHeight, toDockRect(frame->floatingRect())});
    }
    record.write(out);
}

bool DockHost::loadLayout(ByteReader& in)
{
    std::vector<DockFrameDefaults> defaults;
    for (const DockFrame* frame : m_frames)
        defaults.push_back({toDockRect(frame->creationRect()), frame->hideable()});
    DockLayoutRecord record;
    const DockRecordError error = record.read(in, defaults.size());
    if (error != DockRecordError::None)
        record = DockLayoutRecord::creationLayout(defaults);
    record.bound(defaults, screen());
    applyLayout(record);
    return error == DockRecordError::None;
}

void DockHost::applyLayout(const DockLayoutRecord& record)
{
    removeAllBars();
    for (const DockSide side : kDockSides) {
        for (const DockRecordBar& saved : record.sides[sideIndex(side)]) {
            DockBar* bar = addBar(side, saved.thickness);
            if (!bar)
                continue; // its frames go back to where they were made, below
            for (const std::int32_t number : saved.frames)
                m_frames.get(number)->dock(*bar, kEndOfBar);
            bar->setExtents(saved.extents);
            bar->layoutBar();
        }
    }
    // Every docked frame in its place once, so that one hidden below keeps
    // the place it will show in.
    layoutSite();
    for (std::int32_t i = 0; i < m_frames.count(); ++i) {
        DockFrame& f = *m_frames.get(i);
        const DockRecordFrame& saved = record.frames[static_cast<std::size_t>(i)];
        if (saved.docked && !f.isDocked()) {
            const RECT& made = f.creationRect();
            f.setDockedSize(made.right - made.left, made.bottom - made.top);
            f.floatAt(made);
            f.show(SW_SHOWNA);
            continue;
        }
        f.setDockedSize(saved.dockedWidth, saved.dockedHeight);
        if (saved.docked)
            f.rememberFloatingRect(toRect(saved.floating));
        else
            f.floatAt(toRect(saved.floating));
        f.show(saved.visible ? SW_SHOWNA : SW_HIDE);
    }
    layoutSite();
}

DockScreen DockHost::screen() const
{
    DockScreen s;
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    s.bounds = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EnumDisplayMonitors(nullptr, nullptr, collectWorkArea, reinterpret_cast<LPARAM>(&s.workAreas));
    RECT work{};
    if (s.workAreas.empty() && SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        s.workAreas.push_back(toDockRect(work));
    s.captionHeight = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYSMCAPTION);
    s.minimumWidth = GetSystemMetrics(SM_CXMIN);
    s.minimumHeight = GetSystemMetrics(SM_CYMIN);
    return s;
}

bool DockHost::isActive() const
{
    HWND active = GetActiveWindow();
    return handle() && IsWindowEnabled(handle()) && active && active == GetForegroundWindow();
}

void DockHost::refreshCaptions()
{
    if (!handle() || isMinimized())
        return;
    const bool active = isActive();
    drawCaption(active);
    for (DockFrame* frame : m_frames)
        frame->drawSmallCaption(active);
}

void DockHost::drawCaption(bool active)
{
    RECT caption{};
    if (!titleBarInWindow(handle(), caption))
        return;
    // The title bar's rectangle leaves out the window menu's icon, which the
    // caption draws itself: from the border on, as wide as the top one.
    caption.left = caption.top;
    HDC dc = GetWindowDC(handle());
    if (!dc)
        return;
    DrawCaption(handle(), dc, &caption, DC_GRADIENT | DC_TEXT | DC_ICON | (active ? DC_ACTIVE : 0));
    // The caption buttons, 16 pixels wide, 2 pixels in from the caption's
    // top and bottom: close at the right end, then maximise or restore, then minimise.
    const LONG_PTR style = getWindowLong(GWL_STYLE);
    const auto button = [&](int right, UINT kind) {
        RECT r{caption.right - right, caption.top + 2, caption.right - right + 16, caption.bottom - 2};
        DrawFrameControl(dc, &r, DFC_CAPTION, kind);
    };
    if (style & WS_SYSMENU)
        button(18, DFCS_CAPTIONCLOSE);
    if (style & WS_MAXIMIZEBOX)
        button(36, isMaximized() ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX);
    if (style & WS_MINIMIZEBOX)
        button(52, DFCS_CAPTIONMIN);
    ReleaseDC(handle(), dc);
}

LRESULT DockHost::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return createSite() ? 0 : -1;
    case WM_DESTROY:
        destroySite();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            // The status bar places itself along the bottom first.
            if (m_statusBar)
                SendMessageW(m_statusBar, WM_SIZE, wParam, lParam);
            layoutSite();
        }
        return 0;
    case WM_ENABLE:
        for (DockFrame* frame : m_frames) {
            if (!frame->isDocked())
                EnableWindow(frame->handle(), wParam != FALSE);
        }
        break;
    case WM_SETTEXT:
    case WM_NCPAINT: {
        const LRESULT result = defaultProcess(message, wParam, lParam);
        if (!isMinimized())
            drawCaption(isActive());
        return result;
    }
    case WM_ACTIVATEAPP:
        if (wParam)
            SetActiveWindow(handle());
        break;
    case WM_NCACTIVATE:
        refreshCaptions();
        return TRUE;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace tessaly
