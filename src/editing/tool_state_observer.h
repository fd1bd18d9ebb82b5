#pragma once

#include <cstdint>

#include "editing/tool_id.h"

namespace tessaly {

// A window or part of the editor that follows the ToolState: the tool window,
// the canvas, the palette window, the selected-colour window, and the
// selection and canvas controller, which must finish their work before the
// tool changes. Every notification has an empty default, so each observer
// overrides only what it shows.
class ToolStateObserver {
public:
    virtual ~ToolStateObserver() = default;

    // The tool is about to change from `from` to `to`: a drag in progress is
    // closed and floating content committed while `from` is still current.
    virtual void toolChanging(ToolId from, ToolId to)
    {
        static_cast<void>(from);
        static_cast<void>(to);
    }
    // The tool has changed (repaint both buttons; the mask overlay follows
    // whether `to` is the mask tool; the colour window whether it is a mask tool).
    virtual void toolChanged(ToolId from, ToolId to)
    {
        static_cast<void>(from);
        static_cast<void>(to);
    }
    // The edited image's bit count changed; the alpha tools are shown exactly
    // when it is 32 (ToolState::hasAlphaTools).
    virtual void colourModeChanged(std::int32_t bitCount) { static_cast<void>(bitCount); }
    // The drawing value changed (in palette modes an index to select in the
    // palette window; the colour window shows it again).
    virtual void drawingValueChanged(std::uint32_t value) { static_cast<void>(value); }
    // The drawing mask flag changed: the colour window repaints its display.
    virtual void drawingMaskFlagChanged(std::uint8_t flag) { static_cast<void>(flag); }
};

} // namespace tessaly
