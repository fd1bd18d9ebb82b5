#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/icon_list_status_sink.h"

namespace tessaly {

// The status bar texts of a list readout, and the filter that keeps a
// pointer resting over one item from sending them again.
class ListReadoutTexts {
public:
    // The layout number of the status bar and the text of each part.
    struct Texts {
        std::int32_t layout = 0;
        std::vector<std::u16string> parts;

        friend bool operator==(const Texts&, const Texts&) = default;
    };

    // None when the item, the tab and the edited item are those of the
    // last readout and nothing else was shown since.
    std::optional<Texts> update(const ListReadout& readout);
    // Another text took the status bar.
    void forget() { m_last.reset(); }

    static Texts textsOf(const ListReadout& readout);

private:
    std::optional<ListReadout> m_last;
};

} // namespace tessaly
