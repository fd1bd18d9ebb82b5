#pragma once

#include <cstdint>

#include "convert/conversion_type.h"

namespace tessaly {

// An answer to a Yes / No / Cancel prompt.
enum class PromptAnswer : std::uint8_t {
    Yes,
    No,
    Cancel,
};

// The size and colour mode of a new icon, or of one made from another.
struct IconFormat {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitCount = 0;
};

// How the document reaches the user and the file state it does not own: the
// dialogs and the prompt, owned by the main frame, and the start of an
// untitled file (its title, its path and the list's tab). The main frame
// implements it.
class IconDocumentHost {
public:
    virtual ~IconDocumentHost() = default;

    // The icon creation dialog; true on OK with the choice in format.
    virtual bool askNewIcon(IconFormat& format) = 0;
    // The duplication dialog, prefilled with format and type; true on OK
    // with the choice in both.
    virtual bool askConvert(IconFormat& format, ConversionType& type) = 0;
    // Whether to store the edited icon's changes before it is closed.
    virtual PromptAnswer askSaveEditedIcon() = 0;
    // The edit list has just become a new untitled file.
    virtual void untitledFileStarted() = 0;
};

} // namespace tessaly
