#include "cli/cli_arguments.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

#include "convert/conversion_limits.h"

namespace tessaly {

namespace {

std::optional<std::int32_t> parseIndex(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool expectCount(std::span<const std::string> args, std::size_t count, const char* usage, std::string& error)
{
    if (args.size() == count)
        return true;
    error = std::string("usage: tessaly-cli ") + usage;
    return false;
}

constexpr const char* kConvertUsage = "convert IN OUT.ico [--size WxH] [--mode mono|16|256|full|alpha] "
                                      "[--palette none|keep|websafe|grey] [--index N] [--png keep|never|large|all]";
constexpr const char* kMakeUsage = "make PICTURE OUT.ico [--sizes 16,24,32,48,64,128,256] [--png keep|never|large|all]";

constexpr std::array<std::pair<std::string_view, ColorMode>, 5> kModeWords{{
    {"mono", ColorMode::Monochrome},
    {"16", ColorMode::Color16},
    {"256", ColorMode::Color256},
    {"full", ColorMode::FullColor},
    {"alpha", ColorMode::SemiTransparent},
}};

constexpr std::array<std::pair<std::string_view, ConversionType>, 4> kPaletteWords{{
    {"none", ConversionType::None},
    {"keep", ConversionType::KeepPalette},
    {"websafe", ConversionType::WebSafe},
    {"grey", ConversionType::Greyscale},
}};

constexpr std::array<std::pair<std::string_view, PngPolicy>, 4> kPngWords{{
    {"keep", PngPolicy::Keep},
    {"never", PngPolicy::Never},
    {"large", PngPolicy::Large},
    {"all", PngPolicy::All},
}};

template <typename Value, std::size_t N>
std::optional<Value> lookUp(const std::array<std::pair<std::string_view, Value>, N>& words, const std::string& text)
{
    for (const auto& [word, value] : words)
        if (word == text)
            return value;
    return std::nullopt;
}

std::optional<std::int32_t> parseSide(const std::string& text)
{
    const std::optional<std::int32_t> side = parseIndex(text);
    if (!side || *side < 1 || *side > kMaxRequestedSide)
        return std::nullopt;
    return side;
}

std::optional<CliArguments::Size> parseSize(const std::string& text)
{
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos)
        return std::nullopt;
    const std::optional<std::int32_t> width = parseSide(text.substr(0, cross));
    const std::optional<std::int32_t> height = parseSide(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return CliArguments::Size{*width, *height};
}

std::string invalidValue(const std::string& name, const std::string& value, const std::string& expected)
{
    return "invalid " + name + " '" + value + "': " + expected;
}

} // namespace

std::optional<CliArguments> CliArguments::parse(std::span<const std::string> args, std::string& error)
{
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    const std::string& command = args[0];
    if (command == "--help") {
        if (!expectCount(args, 1, "--help", error))
            return std::nullopt;
        return CliArguments(CliCommand::Help);
    }
    if (command == "info") {
        if (!expectCount(args, 2, "info FILE", error))
            return std::nullopt;
        CliArguments parsed(CliCommand::Info);
        parsed.m_input = args[1];
        return parsed;
    }
    if (command == "export") {
        if (!expectCount(args, 4, "export FILE INDEX OUT.pam", error))
            return std::nullopt;
        CliArguments parsed(CliCommand::Export);
        parsed.m_input = args[1];
        parsed.m_indexText = args[2];
        parsed.m_index = parseIndex(args[2]);
        parsed.m_output = args[3];
        return parsed;
    }
    if (command == "convert")
        return parseWithOptions(CliCommand::Convert, args.subspan(1), error);
    if (command == "make")
        return parseWithOptions(CliCommand::Make, args.subspan(1), error);
    error = "unknown command '" + command + "'";
    return std::nullopt;
}

std::optional<CliArguments> CliArguments::parseWithOptions(CliCommand command, std::span<const std::string> words,
                                                           std::string& error)
{
    CliArguments parsed(command);
    const std::string usage =
        std::string("usage: tessaly-cli ") + (command == CliCommand::Make ? kMakeUsage : kConvertUsage);
    std::size_t positional = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.starts_with("--")) {
            if (i + 1 == words.size()) {
                error = "option " + word + " needs a value";
                return std::nullopt;
            }
            if (!parsed.takeOption(word, words[++i], error))
                return std::nullopt;
            continue;
        }
        if (positional == 2) {
            error = usage;
            return std::nullopt;
        }
        (positional++ == 0 ? parsed.m_input : parsed.m_output) = word;
    }
    if (positional != 2) {
        error = usage;
        return std::nullopt;
    }
    if (command == CliCommand::Make && !parsed.m_sizesGiven)
        parsed.m_sizes.assign(std::begin(kDefaultSizes), std::end(kDefaultSizes));
    if (command == CliCommand::Convert && !parsed.checkConvertOptions(error))
        return std::nullopt;
    return parsed;
}

bool CliArguments::takeOption(const std::string& name, const std::string& value, std::string& error)
{
    if (name == "--png") {
        if (m_pngPolicy) {
            error = "option --png given twice";
            return false;
        }
        m_pngPolicy = lookUp(kPngWords, value);
        if (!m_pngPolicy)
            error = invalidValue(name, value, "give keep, never, large or all");
        return m_pngPolicy.has_value();
    }
    if (m_command == CliCommand::Convert)
        return takeConvertOption(name, value, error);
    if (name == "--sizes") {
        if (m_sizesGiven) {
            error = "option --sizes given twice";
            return false;
        }
        return takeSizes(value, error);
    }
    error = "unknown option '" + name + "'";
    return false;
}

// A comma-separated list of sides, each 1 to 256 and given once.
bool CliArguments::takeSizes(const std::string& value, std::string& error)
{
    m_sizesGiven = true;
    const std::string expected = "give sides from 1 to " + std::to_string(kMaxMadeSide) + ", separated by commas";
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const std::string word = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::optional<std::int32_t> side = parseIndex(word);
        if (!side || *side < 1 || *side > kMaxMadeSide) {
            error = invalidValue("--sizes", value, expected);
            return false;
        }
        if (std::find(m_sizes.begin(), m_sizes.end(), *side) != m_sizes.end()) {
            error = invalidValue("--sizes", value, "size " + word + " is given twice");
            return false;
        }
        m_sizes.push_back(*side);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

bool CliArguments::takeConvertOption(const std::string& name, const std::string& value, std::string& error)
{
    const bool repeated = (name == "--size" && m_size) || (name == "--mode" && m_mode) ||
                          (name == "--palette" && m_palette) || (name == "--index" && !m_indexText.empty());
    if (repeated) {
        error = "option " + name + " given twice";
        return false;
    }
    if (name == "--size") {
        m_size = parseSize(value);
        if (!m_size)
            error = invalidValue(name, value, "give WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxRequestedSide));
        return m_size.has_value();
    }
    if (name == "--mode") {
        m_mode = lookUp(kModeWords, value);
        if (!m_mode)
            error = invalidValue(name, value, "give mono, 16, 256, full or alpha");
        return m_mode.has_value();
    }
    if (name == "--palette") {
        m_palette = lookUp(kPaletteWords, value);
        if (!m_palette)
            error = invalidValue(name, value, "give none, keep, websafe or grey");
        return m_palette.has_value();
    }
    if (name == "--index") {
        if (value.empty()) {
            error = invalidValue(name, value, "give an image number from 0");
            return false;
        }
        m_indexText = value;
        m_index = parseIndex(value);
        return true;
    }
    error = "unknown option '" + name + "'";
    return false;
}

// The same rules as the duplication dialog: a kept palette keeps the colour
// mode too, and web-safe or grey palettes are 256-colour palettes.
bool CliArguments::checkConvertOptions(std::string& error) const
{
    if (m_palette == ConversionType::KeepPalette && m_mode) {
        error = "--palette keep keeps each image's colour mode; leave out --mode";
        return false;
    }
    const bool needs256 = m_palette == ConversionType::WebSafe || m_palette == ConversionType::Greyscale;
    if (needs256 && m_mode && m_mode != ColorMode::Color256) {
        error = "--palette websafe and --palette grey need --mode 256";
        return false;
    }
    return true;
}

} // namespace tessaly
