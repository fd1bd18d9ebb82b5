#include "cli/cli_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

std::optional<CliArguments> parse(std::vector<std::string> args, std::string* errorOut = nullptr)
{
    std::string error;
    auto parsed = CliArguments::parse(args, error);
    EXPECT_EQ(parsed.has_value(), error.empty());
    if (errorOut)
        *errorOut = error;
    return parsed;
}

TEST(CliArguments, TakesApartEachCommand)
{
    EXPECT_EQ(parse({"--help"})->command(), CliCommand::Help);

    const auto info = parse({"info", "a.ico"});
    ASSERT_TRUE(info);
    EXPECT_EQ(info->command(), CliCommand::Info);
    EXPECT_EQ(info->input(), "a.ico");

    const auto exported = parse({"export", "a.ico", "12", "out.pam"});
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->command(), CliCommand::Export);
    EXPECT_EQ(exported->input(), "a.ico");
    EXPECT_EQ(exported->index(), 12);
    EXPECT_EQ(exported->output(), "out.pam");

    const auto converted = parse({"convert", "in.dll", "out.ico"});
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->command(), CliCommand::Convert);
    EXPECT_EQ(converted->input(), "in.dll");
    EXPECT_EQ(converted->output(), "out.ico");
}

TEST(CliArguments, LeavesAnIndexThatIsNoNumberToTheCommand)
{
    for (const char* text : {"-1", "x", "1.5", "", "+3", "99999999999"}) {
        const auto parsed = parse({"export", "a.ico", text, "out.pam"});
        ASSERT_TRUE(parsed) << text;
        EXPECT_FALSE(parsed->index()) << text;
        EXPECT_EQ(parsed->indexText(), text);
    }
    EXPECT_EQ(parse({"export", "a.ico", "007", "out.pam"})->index(), 7);
}

TEST(CliArguments, RefusesUnknownCommandsAndWrongArgumentCounts)
{
    std::string error;
    EXPECT_FALSE(parse({}, &error));
    EXPECT_EQ(error, "no command given");
    EXPECT_FALSE(parse({"list", "a.ico"}, &error));
    EXPECT_EQ(error, "unknown command 'list'");
    EXPECT_FALSE(parse({"info"}, &error));
    EXPECT_EQ(error, "usage: tessaly-cli info FILE");
    EXPECT_FALSE(parse({"info", "a.ico", "b.ico"}));
    EXPECT_FALSE(parse({"export", "a.ico", "0"}, &error));
    EXPECT_EQ(error, "usage: tessaly-cli export FILE INDEX OUT.pam");
    EXPECT_FALSE(parse({"convert", "a.ico"}, &error));
    EXPECT_EQ(error, "usage: tessaly-cli convert IN OUT.ico");
    EXPECT_FALSE(parse({"--help", "info"}));
}

} // namespace
} // namespace tessaly
