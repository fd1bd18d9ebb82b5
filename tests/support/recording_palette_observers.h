#pragma once

#include <string>
#include <vector>

#include "palette/model/palette_observers.h"

namespace tessaly::test {

// Stands in for the four views of the palette and writes every call they get
// into one shared log, in order ("canvas: indices 3-5").
class RecordingPaletteObservers {
public:
    RecordingPaletteObservers()
        : m_window(log)
        , m_colour(log)
        , m_canvas(log, "canvas")
        , m_preview(log, "preview")
    {
    }
    RecordingPaletteObservers(const RecordingPaletteObservers&) = delete;
    RecordingPaletteObservers& operator=(const RecordingPaletteObservers&) = delete;

    PaletteObservers observers() { return PaletteObservers{&m_window, &m_colour, &m_canvas, &m_preview}; }

    std::vector<std::string> log;

private:
    class Window : public PaletteWindowObserver {
    public:
        explicit Window(std::vector<std::string>& log)
            : m_log(log)
        {
        }
        void relayoutAndReset() override { m_log.push_back("window: relayout"); }
        void repaintCells(std::int32_t first, std::int32_t last) override
        {
            m_log.push_back("window: cells " + std::to_string(first) + "-" + std::to_string(last));
        }
        void selectIndex(std::int32_t index) override { m_log.push_back("window: select " + std::to_string(index)); }

    private:
        std::vector<std::string>& m_log;
    };

    class Colour : public ColorWindowObserver {
    public:
        explicit Colour(std::vector<std::string>& log)
            : m_log(log)
        {
        }
        void refresh() override { m_log.push_back("colour: refresh"); }

    private:
        std::vector<std::string>& m_log;
    };

    class Image : public PaletteImageObserver {
    public:
        Image(std::vector<std::string>& log, std::string name)
            : m_log(log)
            , m_name(std::move(name))
        {
        }
        void redrawAll() override { m_log.push_back(m_name + ": all"); }
        void repaintIndexRange(std::int32_t first, std::int32_t last) override
        {
            m_log.push_back(m_name + ": indices " + std::to_string(first) + "-" + std::to_string(last));
        }

    private:
        std::vector<std::string>& m_log;
        std::string m_name;
    };

    Window m_window;
    Colour m_colour;
    Image m_canvas;
    Image m_preview;
};

} // namespace tessaly::test
