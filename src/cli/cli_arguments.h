#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "convert/conversion_type.h"
#include "image/color_mode.h"

namespace tessaly {

enum class CliCommand { Help, Info, Export, Convert };

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
    // FILE of info and export, IN of convert.
    const std::string& input() const { return m_input; }
    // OUT.pam of export, OUT.ico of convert.
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

private:
    explicit CliArguments(CliCommand command)
        : m_command(command)
    {
    }

    static std::optional<CliArguments> parseConvert(std::span<const std::string> words, std::string& error);
    bool takeConvertOption(const std::string& name, const std::string& value, std::string& error);
    bool checkConvertOptions(std::string& error) const;

    CliCommand m_command;
    std::string m_input;
    std::string m_output;
    std::string m_indexText;
    std::optional<std::int32_t> m_index;
    std::optional<Size> m_size;
    std::optional<ColorMode> m_mode;
    std::optional<ConversionType> m_palette;
};

} // namespace tessaly
