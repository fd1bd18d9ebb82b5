#pragma once

// What the Win32 timing programs share: a millisecond clock, medians of
// interleaved rounds, and a window whose paint cycle is nothing but one
// blit, the floor of any WM_PAINT that ends in one.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "convert/dib_section_win32.h"
#include "ui/window_class_win32.h"
#include "ui/window_win32.h"

namespace tessaly::bench {

inline double nowMs()
{
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median time of each piece of work, the pieces run in turn in every
// round, so that a busy machine weighs on all of them alike.
inline std::vector<double> interleavedMediansMs(int rounds, const std::vector<std::function<void()>>& works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int i = 0; i < rounds; ++i) {
        for (std::size_t w = 0; w < works.size(); ++w) {
            const double start = nowMs();
            works[w]();
            GdiFlush();
            times[w].push_back(nowMs() - start);
        }
    }
    std::vector<double> medians;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

template <typename Work> double medianMs(int rounds, Work work)
{
    return interleavedMediansMs(rounds, {work})[0];
}

// A child window that does nothing in its paint cycle but blit one
// prepared bitmap.
class PlainPaintWindow final : public Window {
public:
    explicit PlainPaintWindow(const DibSection& picture)
        : m_picture(picture)
    {
    }
    ~PlainPaintWindow() override { destroy(); }
    bool create(const Window& parent, const RECT& rect)
    {
        if (!registerWindowClass(L"TessalyBenchPlainPaint", 0, nullptr, nullptr, nullptr, nullptr))
            return false;
        return Window::create(L"TessalyBenchPlainPaint", L"", WS_CHILD | WS_VISIBLE, rect, &parent, nullptr);
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message != WM_PAINT)
            return Window::handleMessage(message, wParam, lParam);
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(handle(), &paint);
        m_picture.drawTo(dc, paint.rcPaint, POINT{paint.rcPaint.left, paint.rcPaint.top}, SRCCOPY);
        EndPaint(handle(), &paint);
        return 0;
    }

private:
    const DibSection& m_picture;
};

} // namespace tessaly::bench
