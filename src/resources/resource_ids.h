#pragma once

// The numbers of the program's resources, shared by the resource scripts and
// the code that loads them. The resource compiler reads this file too, so it
// holds only preprocessor definitions.

// The menu bar and its accelerator table (command_resources.rc).
#define IDR_MAIN_MENU 101
#define IDR_ACCELERATORS 102

// The application icon, at 16, 24, 32 and 48 pixels (program_icons.rc).
#define IDI_PROGRAM 103

// The icon creation, palette length and icon duplication dialogs
// (palette_dialogs.rc).
#define IDD_ICON_CREATE 104
#define IDD_PALETTE_LENGTH 105
#define IDD_ICON_DUPLICATE 106

// One 24 x 24 icon per tool (program_icons.rc): the five basic tools, then
// line to move, then the combined and alpha tools.
#define IDI_TOOL_PENCIL 110
#define IDI_TOOL_ERASER 111
#define IDI_TOOL_FILL 112
#define IDI_TOOL_STRIP 113
#define IDI_TOOL_EYEDROPPER 114
#define IDI_TOOL_LINE 115
#define IDI_TOOL_RECT_FILL 116
#define IDI_TOOL_MASK_ADJUST 117
#define IDI_TOOL_SELECT 118
#define IDI_TOOL_MOVE 119
#define IDI_TOOL_PENCIL_ERASER 120
#define IDI_TOOL_PENCIL_EYEDROPPER 121
#define IDI_TOOL_FILL_STRIP 122
#define IDI_TOOL_FILL_EYEDROPPER 123
#define IDI_TOOL_ALPHA_SET 124
#define IDI_TOOL_ALPHA_NUDGE 125
