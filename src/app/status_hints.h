#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly {

// The fixed one-line hints of the status bar: for the main menu's items,
// the popups' items and the tools. Each begins with one space; an id that
// has no hint gives the empty text.
namespace status_hints {

std::u16string_view menuHint(std::int32_t commandId);
std::u16string_view listPopupHint(std::int32_t commandId);
std::u16string_view selectionPopupHint(std::int32_t commandId);
std::u16string_view palettePopupHint(std::int32_t commandId);
// A tool's name and how it is used; empty for a number outside 0..15.
std::u16string_view toolName(std::int32_t tool);
std::u16string_view toolUse(std::int32_t tool);

} // namespace status_hints

} // namespace tessaly
