#include "palette/value_box_rules.h"

#include <algorithm>

namespace tessaly {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits' value, stopping once it is past any channel value.
std::uint32_t digitsValue(std::string_view text)
{
    std::uint32_t value = 0;
    for (const char c : text) {
        if (isDigit(c))
            value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(c - '0'), 1000);
    }
    return value;
}

} // namespace

std::optional<std::string> ValueBoxRules::rewrite(std::string_view text)
{
    const std::uint32_t value = digitsValue(text);
    const bool onlyDigits = std::all_of(text.begin(), text.end(), isDigit);
    if (text.empty() || !onlyDigits || (text.size() > 1 && text.front() == '0'))
        return std::to_string(std::min<std::uint32_t>(value, 255));
    if (value > 255)
        return std::string("255");
    return std::nullopt;
}

std::uint8_t ValueBoxRules::valueOf(std::string_view text)
{
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(digitsValue(text), 255));
}

std::optional<std::uint8_t> ValueBoxRules::up(std::uint8_t value)
{
    if (value >= 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value + 1);
}

std::optional<std::uint8_t> ValueBoxRules::down(std::uint8_t value)
{
    if (value == 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(value - 1);
}

std::int32_t ValueBoxRules::nextBox(std::int32_t box, std::int32_t shownCount)
{
    if (shownCount <= 0)
        return box;
    return (box + 1) % shownCount;
}

} // namespace tessaly
