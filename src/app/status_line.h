#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaly {

// Where the status texts go: the status bar, which takes a layout of parts
// (set again only when its number changes) and one text per part.
class StatusLine {
public:
    virtual ~StatusLine() = default;

    virtual void show(std::int32_t layout, std::span<const std::u16string> parts) = 0;
};

} // namespace tessaly
