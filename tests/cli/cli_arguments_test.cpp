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
    EXPECT_EQ(error, "usage: tessaly-cli convert IN OUT.ico [--size WxH] [--mode mono|16|256|full|alpha] "
                     "[--palette none|keep|websafe|grey] [--index N] [--png keep|never|large|all]");
    EXPECT_FALSE(parse({"make", "a.png"}, &error));
    EXPECT_EQ(error,
              "usage: tessaly-cli make PICTURE OUT.ico [--sizes 16,24,32,48,64,128,256] [--png keep|never|large|all]");
    EXPECT_FALSE(parse({"convert", "a.ico", "b.ico", "c.ico"}));
    EXPECT_FALSE(parse({"--help", "info"}));
}

TEST(CliArguments, TakesConvertOptionsInAnyOrder)
{
    const auto plain = parse({"convert", "in.ico", "out.ico"});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->convertsImages());
    EXPECT_EQ(plain->indexText(), "");

    const auto full = parse(
        {"convert", "--mode", "alpha", "in.ico", "--size", "1024x7", "out.ico", "--palette", "none", "--index", "2"});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->input(), "in.ico");
    EXPECT_EQ(full->output(), "out.ico");
    EXPECT_EQ(full->size()->width, 1024);
    EXPECT_EQ(full->size()->height, 7);
    EXPECT_EQ(full->mode(), ColorMode::SemiTransparent);
    EXPECT_EQ(full->palette(), ConversionType::None);
    EXPECT_EQ(full->index(), 2);
    EXPECT_TRUE(full->convertsImages());

    const std::pair<const char*, ColorMode> modes[] = {{"mono", ColorMode::Monochrome},
                                                       {"16", ColorMode::Color16},
                                                       {"256", ColorMode::Color256},
                                                       {"full", ColorMode::FullColor}};
    for (const auto& [word, mode] : modes)
        EXPECT_EQ(parse({"convert", "a", "b", "--mode", word})->mode(), mode) << word;
    EXPECT_EQ(parse({"convert", "a", "b", "--palette", "keep"})->palette(), ConversionType::KeepPalette);
    EXPECT_EQ(parse({"convert", "a", "b", "--palette", "websafe"})->palette(), ConversionType::WebSafe);
    EXPECT_EQ(parse({"convert", "a", "b", "--palette", "grey", "--mode", "256"})->palette(), ConversionType::Greyscale);
    const auto indexOnly = parse({"convert", "a", "b", "--index", "x"});
    EXPECT_FALSE(indexOnly->convertsImages());
    EXPECT_FALSE(indexOnly->index());
    EXPECT_EQ(indexOnly->indexText(), "x");
}

TEST(CliArguments, RefusesBadConvertOptionsNamingThem)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--size", "0x16"}, "invalid --size '0x16': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--size", "1025x16"}, "invalid --size '1025x16': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--size", "16"}, "invalid --size '16': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--size", "16x"}, "invalid --size '16x': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--size", "16x16x16"}, "invalid --size '16x16x16': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--size", "-16x16"}, "invalid --size '-16x16': give WIDTHxHEIGHT, each from 1 to 1024"},
        {{"--mode", "8"}, "invalid --mode '8': give mono, 16, 256, full or alpha"},
        {{"--palette", "gray"}, "invalid --palette 'gray': give none, keep, websafe or grey"},
        {{"--index", ""}, "invalid --index '': give an image number from 0"},
        {{"--colours", "8"}, "unknown option '--colours'"},
        {{"--size"}, "option --size needs a value"},
        {{"--mode", "16", "--mode", "256"}, "option --mode given twice"},
        {{"--palette", "keep", "--mode", "16"}, "--palette keep keeps each image's colour mode; leave out --mode"},
        {{"--palette", "websafe", "--mode", "16"}, "--palette websafe and --palette grey need --mode 256"},
        {{"--mode", "full", "--palette", "grey"}, "--palette websafe and --palette grey need --mode 256"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args{"convert", "in.ico", "out.ico"};
        args.insert(args.end(), options.begin(), options.end());
        std::string error;
        EXPECT_FALSE(parse(args, &error)) << message;
        EXPECT_EQ(error, message);
    }
}

TEST(CliArguments, TakesMakeWithItsSizesAndBothCommandsWithAPngPolicy)
{
    const auto plain = parse({"make", "picture.png", "out.ico"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->command(), CliCommand::Make);
    EXPECT_EQ(plain->input(), "picture.png");
    EXPECT_EQ(plain->output(), "out.ico");
    EXPECT_EQ(plain->sizes(), (std::vector<std::int32_t>{16, 24, 32, 48, 64, 128, 256}));
    EXPECT_EQ(plain->pngPolicy(), PngPolicy::Large);
    EXPECT_EQ(parse({"convert", "a.ico", "b.ico"})->pngPolicy(), PngPolicy::Keep);

    const auto chosen = parse({"make", "--png", "all", "p.bmp", "--sizes", "256,1,048", "o.ico"});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->sizes(), (std::vector<std::int32_t>{256, 1, 48}));
    EXPECT_EQ(chosen->pngPolicy(), PngPolicy::All);
    const std::pair<const char*, PngPolicy> policies[] = {
        {"keep", PngPolicy::Keep}, {"never", PngPolicy::Never}, {"large", PngPolicy::Large}, {"all", PngPolicy::All}};
    for (const auto& [word, policy] : policies) {
        EXPECT_EQ(parse({"convert", "a", "b", "--png", word})->pngPolicy(), policy) << word;
        EXPECT_EQ(parse({"make", "a", "b", "--png", word})->pngPolicy(), policy) << word;
    }

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"make", "a", "b", "--sizes", "16,257"},
         "invalid --sizes '16,257': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", "0"}, "invalid --sizes '0': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", "16,,32"},
         "invalid --sizes '16,,32': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", "16,"}, "invalid --sizes '16,': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", ""}, "invalid --sizes '': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", "32x32"},
         "invalid --sizes '32x32': give sides from 1 to 256, separated by commas"},
        {{"make", "a", "b", "--sizes", "16,32,16"}, "invalid --sizes '16,32,16': size 16 is given twice"},
        {{"make", "a", "b", "--sizes", "16", "--sizes", "32"}, "option --sizes given twice"},
        {{"make", "a", "b", "--png", "some"}, "invalid --png 'some': give keep, never, large or all"},
        {{"convert", "a", "b", "--png", "all", "--png", "all"}, "option --png given twice"},
        {{"make", "a", "b", "--size", "16x16"}, "unknown option '--size'"},
        {{"convert", "a", "b", "--sizes", "16"}, "unknown option '--sizes'"},
    };
    for (const auto& [args, message] : refused) {
        std::string error;
        EXPECT_FALSE(parse(args, &error)) << message;
        EXPECT_EQ(error, message);
    }
}

} // namespace
} // namespace tessaly
