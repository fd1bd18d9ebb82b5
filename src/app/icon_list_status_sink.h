#pragma once

#include <cstdint>

namespace tessaly {

// What an icon list view reports while the pointer moves over it: the item
// under the pointer (-1 for none), the view's tab in the pane, the number of
// icons it shows and its edited item (-1 for none).
struct ListReadout {
    std::int32_t index = -1;
    std::int32_t tab = 0;
    std::int32_t count = 0;
    std::int32_t editedIndex = -1;

    friend bool operator==(const ListReadout&, const ListReadout&) = default;
};

// Where the icon list views send what the status bar shows about them. The
// status bar implements it.
class IconListStatusSink {
public:
    virtual ~IconListStatusSink() = default;

    virtual void listReadout(const ListReadout& readout) = 0;
    // The popup item highlighted while a list popup is open.
    virtual void listPopupHint(std::int32_t commandId) = 0;
};

} // namespace tessaly
