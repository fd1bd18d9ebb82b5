#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tessaly {

enum class CliCommand { Help, Info, Export, Convert };

// The command line of tessaly-cli, taken apart without touching any file.
// Arguments are UTF-8 text on every platform.
class CliArguments {
public:
    // None, with a one-line reason in error, when the words make no command.
    static std::optional<CliArguments> parse(std::span<const std::string> args, std::string& error);

    CliCommand command() const { return m_command; }
    // FILE of info and export, IN of convert.
    const std::string& input() const { return m_input; }
    // OUT.pam of export, OUT.ico of convert.
    const std::string& output() const { return m_output; }
    // The image index of export as given, and its value when it is a plain
    // decimal number that fits; an index that is no number is left to the
    // command to refuse, because only it can say how many images there are.
    const std::string& indexText() const { return m_indexText; }
    std::optional<std::int32_t> index() const { return m_index; }

private:
    explicit CliArguments(CliCommand command)
        : m_command(command)
    {
    }

    CliCommand m_command;
    std::string m_input;
    std::string m_output;
    std::string m_indexText;
    std::optional<std::int32_t> m_index;
};

} // namespace tessaly
