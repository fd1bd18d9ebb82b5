#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// What a channel's value box accepts: up to three digits naming 0..255,
// written without leading zeros. A box is rewritten when its text breaks a
// rule, and the rewrite is then taken like any other text.
class ValueBoxRules {
public:
    static constexpr std::int32_t kMaxCharacters = 3;

    // The text the box must show instead, or none when the text stands:
    // empty becomes "0", "07" becomes "7", anything above 255 "255". Text
    // with other characters than digits (pasted, say) becomes its digits' value.
    static std::optional<std::string> rewrite(std::string_view text);
    // The number the digits of text name, 255 for anything larger.
    static std::uint8_t valueOf(std::string_view text);
    // The values that Up and Down give; none at 255 and at 0.
    static std::optional<std::uint8_t> up(std::uint8_t value);
    static std::optional<std::uint8_t> down(std::uint8_t value);
    // The box after box among the first shownCount, wrapping to the first.
    static std::int32_t nextBox(std::int32_t box, std::int32_t shownCount);
};

} // namespace tessaly
