#include "cli/cli_arguments.h"

#include <limits>

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
    if (command == "convert") {
        if (!expectCount(args, 3, "convert IN OUT.ico", error))
            return std::nullopt;
        CliArguments parsed(CliCommand::Convert);
        parsed.m_input = args[1];
        parsed.m_output = args[2];
        return parsed;
    }
    error = "unknown command '" + command + "'";
    return std::nullopt;
}

} // namespace tessaly
