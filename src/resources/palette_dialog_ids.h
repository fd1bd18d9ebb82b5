#pragma once

// Identifiers of the controls of the icon creation, duplication and palette
// length dialogs (palette_dialogs.rc), shared by the resource script and the
// dialog code. The dialogs' own numbers are the program's resource ids.

#include "resource_ids.h"

// Size block (both icon dialogs).
#define IDC_WIDTH 1002
#define IDC_HEIGHT 1003
#define IDC_SIZE_16 1004
#define IDC_SIZE_32 1005
#define IDC_SIZE_48 1006
#define IDC_SIZE_64 1007
#define IDC_SIZE_OTHER 1008

// Colour mode radios (both icon dialogs).
#define IDC_MODE_MONOCHROME 1009
#define IDC_MODE_16 1010
#define IDC_MODE_256 1011
#define IDC_MODE_FULL 1012
#define IDC_MODE_ALPHA 1013

// Conversion choice (duplication dialog only).
#define IDC_CONVERT_NONE 1014
#define IDC_CONVERT_WEB_SAFE 1015
#define IDC_CONVERT_GREYSCALE 1016
#define IDC_KEEP_PALETTE 1017

// Palette length dialog: its one box has the width box's number.
#define IDC_PALETTE_LENGTH 1002

#define IDC_DIALOG_STATIC (-1)
