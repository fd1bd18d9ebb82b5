#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "convert/conversion_type.h"
#include "image/color_mode.h"

namespace tessaly {

enum class CliCommand { Help, Info, Export, Convert, Make };

// Which images of a written icon are stored as PNG (--png).
enum class PngPolicy {
    Keep,  // as each image was read: PNG entries stay PNG, all else is a bitmap
    Never, // every image a bitmap
    Large, // images 256 pixels wide or high, or more, as PNG; the others bitmaps
    All,   // every image as PNG
};

// The command line of tessaly-cli, taken apart without touching any file.
// Arguments are UTF-8 text on every platform.
class CliArguments {
public:
    struct Size {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    // None, with a one-line reason in error, when the words make no command.
    static std::optional<CliArguments> parse(std::span<const std::string> args, std::string& error);

    CliCommand command() const { return m_command; }
    // FILE of info and export, IN of convert, PICTURE of make.
    const std::string& input() const { return m_input; }
    // OUT.pam of export, OUT.ico of convert and make.
    const std::string& output() const { return m_output; }
    // The image index of export (or convert's --index) as given, and its
    // value when it is a plain decimal number that fits; an index that is no
    // number is left to the command to refuse, because only it can say how
    // many images there are. indexText is empty when convert has no --index.
    const std::string& indexText() const { return m_indexText; }
    std::optional<std::int32_t> index() const { return m_index; }

    // Convert's --size, --mode and --palette; absent ones leave each image's
    // own size and colour mode, and no palette treatment.
    std::optional<Size> size() const { return m_size; }
    std::optional<ColorMode> mode() const { return m_mode; }
    std::optional<ConversionType> palette() const { return m_palette; }
    bool convertsImages() const { return m_size || m_mode || m_palette; }

    // --png of convert (Keep when absent) and make (Large when absent).
    PngPolicy pngPolicy() const
    {
        return m_pngPolicy.value_or(m_command == CliCommand::Make ? PngPolicy::Large : PngPolicy::Keep);
    }
    // Make's --sizes, in the order given: each side of a square image.
    const std::vector<std::int32_t>& sizes() const { return m_sizes; }

    // Make's sizes when --sizes is absent: the ones the platform shows icons at.
    static constexpr std::int32_t kDefaultSizes[] = {16, 24, 32, 48, 64, 128, 256};
    // The largest side an .ico directory can state (as 0).
    static constexpr std::int32_t kMaxMadeSide = 256;

private:
    explicit CliArguments(CliCommand command)
        : m_command(command)
    {
    }

    // The words after the command: two positional ones (IN and OUT) and
    // options, each with a value, in any order.
    static std::optional<CliArguments> parseWithOptions(CliCommand command, std::span<const std::string> words,
                                                        std::string& error);
    bool takeOption(const std::string& name, const std::string& value, std::string& error);
    bool takeConvertOption(const std::string& name, const std::string& value, std::string& error);
    bool takeSizes(const std::string& value, std::string& error);
    bool checkConvertOptions(std::string& error) const;

    CliCommand m_command;
    std::string m_input;
    std::string m_output;
    std::string m_indexText;
    std::optional<std::int32_t> m_index;
    std::optional<Size> m_size;
    std::optional<ColorMode> m_mode;
    std::optional<ConversionType> m_palette;
    std::optional<PngPolicy> m_pngPolicy;
    std::vector<std::int32_t> m_sizes;
    bool m_sizesGiven = false;
};

} // namespace tessaly
