#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "ui/dock/dock_frame_win32.h"
#include "ui/dock/dock_host_win32.h"
#include "ui/window_class_win32.h"

namespace tessaly::test {

// A top-level window built on the dock host. It keeps the system commands
// that reach it instead of running the menu loop they would start.
class DockTestHost final : public DockHost {
public:
    static constexpr wchar_t kClassName[] = L"TessalyDockTestHost";

    ~DockTestHost() override { destroy(); }
    bool quitOnClose = false;
    std::vector<WPARAM> systemCommands;

    bool create(int x, int y, int width, int height)
    {
        auto* background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
        if (!registerWindowClass(kClassName, CS_HREDRAW | CS_VREDRAW, LoadIconW(nullptr, IDI_APPLICATION),
                                 LoadCursorW(nullptr, IDC_ARROW), background, nullptr))
            return false;
        return Window::create(kClassName, L"Tessaly", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height,
                              nullptr, nullptr);
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && ((wParam & 0xFFF0) == SC_KEYMENU || (wParam & 0xFFF0) == SC_MOUSEMENU)) {
            systemCommands.push_back(wParam & 0xFFF0);
            return 0;
        }
        const LRESULT result = DockHost::handleMessage(message, wParam, lParam);
        if (message == WM_DESTROY && quitOnClose)
            PostQuitMessage(0);
        return result;
    }
};

// A frame that shows its colour and its title, so that it can be told apart
// on a screenshot.
class DockTestFrame final : public DockFrame {
public:
    ~DockTestFrame() override { destroy(); }
    COLORREF colour = RGB(255, 255, 255);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_SIZE)
            InvalidateRect(handle(), nullptr, FALSE); // the title stays centred
        if (message != WM_PAINT)
            return DockFrame::handleMessage(message, wParam, lParam);
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(handle(), &ps);
        RECT client{};
        clientRect(client);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        wchar_t title[64] = {};
        GetWindowTextW(handle(), title, 64);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(handle(), &ps);
        return 0;
    }
};

// The host with the editor's five tool frames, made in the editor's order
// and places: icon list, selected colour, palette, tools, preview.
struct DockWorkbench {
    DockTestHost host;
    std::array<DockTestFrame, 5> frames;

    bool create(int x, int y, int width, int height)
    {
        if (!DockFrame::registerClass())
            return false;
        if (!host.create(x, y, width, height))
            return false;
        host.show(SW_SHOWNORMAL);
        host.update();
        RECT c{};
        host.clientRect(c);
        MapWindowPoints(host.handle(), nullptr, reinterpret_cast<POINT*>(&c), 2);
        const int w = c.right - c.left;
        const int h = c.bottom - c.top;
        const RECT places[5] = {{c.right - w / 3, c.top, w / 3, h / 3},
                                {c.right - w / 3, c.top + h / 3, w / 3, h / 3},
                                {c.right - w / 3, c.top + 2 * (h / 3), w / 3, h / 3 - 22},
                                {c.left, c.top, 120, 134},
                                {c.left, c.top + 134, 120, 80}};
        const wchar_t* titles[5] = {L"アイコンリスト", L"選択色", L"パレット", L"ツール", L"プレビュー"};
        const COLORREF colours[5] = {RGB(255, 236, 200), RGB(210, 240, 210), RGB(205, 225, 255), RGB(255, 215, 230),
                                     RGB(235, 225, 255)};
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i].colour = colours[i];
            const RECT& p = places[i]; // x, y, width, height
            if (!frames[i].create(DockFrame::kClassName, titles[i], DockFrame::kStyle, p.left, p.top, p.right,
                                  p.bottom, host))
                return false;
        }
        // The tool frame has no menu item to bring it back.
        frames[3].setHideable(false);
        return true;
    }
};

} // namespace tessaly::test
