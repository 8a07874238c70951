// The one rule for port names: which texts are names, and that a name reads back as written.
#include <gtest/gtest.h>

#include "link/port_name.h"

namespace zav {
namespace {

using Kind = PortName::Kind;

TEST(PortName, OnlyExactNamesParse)
{
    for (const char* bad : {"LPT0", "LPT4", "COM0", "COM9", "COM10", "lpt1", "LPT", "", "LPT1 ", "NO port detected"}) {
        EXPECT_FALSE(PortName::IsValid(bad)) << bad;
    }
    struct Case {
        const char* text;
        Kind kind;
        int number;
    };
    for (const Case c : {Case{"LPT1", Kind::Parallel, 1}, Case{"LPT3", Kind::Parallel, 3}, Case{"COM1", Kind::Serial, 1},
                         Case{"COM8", Kind::Serial, 8}}) {
        const std::optional<PortName> name = PortName::Parse(c.text);
        ASSERT_TRUE(name) << c.text;
        EXPECT_EQ(*name, PortName(c.kind, c.number)) << c.text;
        EXPECT_EQ(name->Text(), c.text);
        EXPECT_TRUE(PortName::IsOfKind(c.text, c.kind)) << c.text;
        EXPECT_FALSE(PortName::IsOfKind(c.text, c.kind == Kind::Parallel ? Kind::Serial : Kind::Parallel)) << c.text;
    }
}

TEST(PortName, AllListsEveryPortOfAKindInOrder)
{
    std::vector<std::string> texts;
    for (const Kind kind : {Kind::Parallel, Kind::Serial}) {
        for (const PortName& name : PortName::All(kind)) texts.push_back(name.Text());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                               "COM7", "COM8"}));
}

} // namespace
} // namespace zav
