#include <gtest/gtest.h>

#include "cli/command_line.h"

namespace zav {
namespace {

ParsedCommandLine Parse(std::vector<std::string> arguments)
{
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, ReadsConvertOptionsAsTheDialogsReadThem)
{
    const auto parsed = Parse({"convert", "in.s19", "out.bin", "--device", "MC68HC11E9", "--in-format=S19",
                               "--load-range", "0x1FF:0x100", "--offset", "-0x100", "--clear", "ff",
                               "--save-range=512:256", "--save-unimplemented"});
    ASSERT_TRUE(parsed.Ok()) << parsed.error;
    const CommandLine& c = parsed.command;
    EXPECT_EQ(c.subcommand, Subcommand::Convert);
    EXPECT_EQ(c.files, (std::vector<std::string>{"in.s19", "out.bin"}));
    EXPECT_EQ(c.device, "MC68HC11E9");
    EXPECT_EQ(c.inFormat, FileFormat::MotorolaS);
    EXPECT_EQ(c.loadRange, (AddressSpan{0x100, 0x1FF}));
    EXPECT_EQ(c.offset, -0x100);
    EXPECT_EQ(c.clearMode, ClearMode::Ones);
    EXPECT_EQ(c.saveRange, (AddressSpan{256, 512}));
    EXPECT_TRUE(c.saveUnimplemented);
}

TEST(CommandLineTest, SimulateTakesItsVariantsOnlyAfterAnEqualsSign)
{
    const auto bare = Parse({"read", "--device", "MC68HC05B6", "--simulate", "--out", "x.zef"});
    ASSERT_TRUE(bare.Ok()) << bare.error;
    EXPECT_EQ(bare.command.simulate, "");
    EXPECT_EQ(bare.command.outFile, "x.zef");

    const auto listed = Parse({"read", "--device", "MC68HC05B6", "--simulate=never-ready,stuck-cell=0x100"});
    ASSERT_TRUE(listed.Ok()) << listed.error;
    EXPECT_EQ(listed.command.simulate, "never-ready,stuck-cell=0x100");

    EXPECT_FALSE(Parse({"read", "--device", "MC68HC05B6", "--simulate=hc11=PA9"}).Ok());
}

// A second value of a one-value option would silently win over the first; only --port
// gathers several.
TEST(CommandLineTest, AOneValueOptionGivenTwiceIsRefused)
{
    const std::vector<std::vector<std::string>> repeated = {
        {"read", "--device", "MC68HC05B6", "--out", "a.zef", "--out", "b.zef"},
        {"read", "--device", "MC68HC05B6", "--device", "MC68HC11E9"},
        {"convert", "in.s19", "out.bin", "--offset", "1", "--offset=2"},
        {"program", "--device", "MC68HC05B6", "--in", "a.s19", "--log", "a", "--log", "a"},
        {"read", "--device", "MC68HC05B6", "--simulate", "--simulate=never-ready"},
    };
    for (const auto& arguments : repeated) {
        const auto parsed = Parse(arguments);
        const std::string option = arguments[arguments.size() - 1].starts_with("--")
                                       ? arguments.back().substr(0, arguments.back().find('='))
                                       : arguments[arguments.size() - 2];
        EXPECT_EQ(parsed.error, option + " is given twice; it takes one value") << arguments.back();
    }
    const auto ports = Parse({"program", "--device", "MC68HC05B6", "--in", "a.s19", "--port", "LPT1",
                              "--port", "LPT2", "--quiet", "--quiet"});
    ASSERT_TRUE(ports.Ok()) << ports.error;
    EXPECT_EQ(ports.command.ports, (std::vector<std::string>{"LPT1", "LPT2"}));
}

TEST(CommandLineTest, AfterADoubleDashEverythingIsAFileName)
{
    const auto parsed = Parse({"detect", "--", "--help"});
    ASSERT_TRUE(parsed.Ok()) << parsed.error;
    EXPECT_FALSE(parsed.command.help);
    EXPECT_EQ(parsed.command.files, std::vector<std::string>{"--help"});
}

TEST(CommandLineTest, HelpWinsOverEveryOtherMistake)
{
    const auto parsed = Parse({"program", "--bogus", "--help"});
    EXPECT_TRUE(parsed.Ok());
    EXPECT_TRUE(parsed.command.help);
    EXPECT_EQ(parsed.command.subcommand, Subcommand::Program);
    EXPECT_TRUE(Parse({"help", "dump"}).command.help);
    EXPECT_EQ(Parse({"help", "dump"}).command.subcommand, Subcommand::Dump);
}

// Every subcommand takes --quiet, before its name as well as among its options.
TEST(CommandLineTest, QuietStandsBeforeOrAfterEverySubcommand)
{
    const std::vector<std::vector<std::string>> commands = {
        {"devices"},
        {"ports", "--check"},
        {"detect", "a.s19"},
        {"convert", "a.hex", "a.s19"},
        {"dump", "a.zef"},
        {"export", "a.zef", "--as", "c"},
        {"read", "--device", "MC68HC11E9"},
        {"program", "--device", "MC68HC11E9", "--in", "a.zef"},
    };
    for (const auto& command : commands) {
        std::vector<std::string> before{"--quiet"};
        before.insert(before.end(), command.begin(), command.end());
        std::vector<std::string> after = command;
        after.push_back("--quiet");
        for (const auto& arguments : {before, after}) {
            const auto parsed = Parse(arguments);
            EXPECT_TRUE(parsed.Ok()) << command.front() << ": " << parsed.error;
            EXPECT_TRUE(parsed.command.quiet) << command.front();
            EXPECT_EQ(SubcommandName(parsed.command.subcommand), command.front());
        }
        EXPECT_FALSE(Parse(command).command.quiet) << command.front();
    }
    EXPECT_TRUE(Parse({"--quiet", "convert", "--help"}).command.help);
    EXPECT_FALSE(Parse({"--quiet"}).Ok());
}

// Each refusal names what was wrong, and keeps the subcommand for its usage.
TEST(CommandLineTest, RefusesWithAReasonNamingTheOption)
{
    const struct {
        std::vector<std::string> arguments;
        std::string reasonPart;
    } cases[] = {
        {{"dump", "f", "--range", "0x100"}, "--range: expected LOW:HIGH"},
        {{"dump", "f", "--range", "0x100:zz"}, "--range: \"0x100:zz\" is not an address range"},
        {{"dump", "f", "--range", "0:0x10000"}, "--range: Too big Address value"},
        {{"dump", "f", "--range", "-1:5"}, "--range"},
        {{"dump", "f", "--width", "8"}, "--width"},
        {{"convert", "a", "b", "--offset", "0x"}, "--offset"},
        {{"convert", "a", "b", "--clear", "0x00"}, "--clear"},
        {{"convert", "a", "b", "--in-format", "srec"}, "--in-format"},
        {{"convert", "a"}, "expected INPUT and OUTPUT"},
        {{"export", "f"}, "--as"},
        {{"export", "f", "--as", "pascal"}, "--as"},
        {{"read"}, "--device"},
        {{"read", "--device", "mc68hc11e9"}, "unknown device \"mc68hc11e9\"; the devices are: MC68HC05B6, "},
        {{"read", "--device", "MC68HC11E9", "--delay", "51"}, "--delay"},
        {{"read", "--device", "MC68HC11E9", "--port", "COM1"},
         "--port: MC68HC11E9 is programmed on a LPT port"},
        {{"read", "--device", "MC68HC11E9", "--port", "LPT4"}, "--port"},
        {{"read", "--device", "MC68HC11E9", "--erase"}, "read: unknown option \"--erase\""},
        {{"program", "--device", "MC68HC11E9"}, "--in"},
        {{"program", "--device", "MC68HC11E9", "--in", "f", "--lock", "--unlock"}, "exclude each other"},
        {{"program", "--device", "MC68HC05L28", "--in", "f", "--lock"}, "--lock: MC68HC05L28 has no Lock"},
        {{"program", "--device", "MC68HC05B6", "--in", "f", "--yes=1"}, "--yes takes no value"},
        {{"ports", "--check", "extra"}, "unexpected argument"},
        {{"devices", "--device"}, "devices: unknown option \"--device\""},
        {{"frobnicate"}, "unknown subcommand"},
        {{}, "no subcommand"},
        {{"rea\nd"}, "unknown subcommand \"rea\\x0Ad\""},
        {{"read", "--device", "MC68HC05B6", "--simulate=hc11=\n"},
         "--simulate: hc11=\\x0A: the variant is one of"},
    };
    for (const auto& c : cases) {
        const auto parsed = Parse(c.arguments);
        EXPECT_FALSE(parsed.Ok()) << c.reasonPart;
        EXPECT_NE(parsed.error.find(c.reasonPart), std::string::npos) << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace zav
