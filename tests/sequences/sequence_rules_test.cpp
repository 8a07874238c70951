#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "sequences/buffer_cells_used.h"
#include "sequences/person_needed.h"

namespace zav {
namespace {

using Ranges = std::vector<AddressRange>;

SequencePlan PlanOf(const char* device)
{
    const auto plan = FindSequencePlan(device);
    EXPECT_TRUE(plan.has_value()) << device;
    return plan.value_or(SequencePlan{});
}

TEST(BufferCellsUsed, ProgramTakesTheEepromAndConfigVerifyTheEeprom)
{
    const SequencePlan e9 = PlanOf("MC68HC11E9");
    EXPECT_EQ(BufferCellsUsed(e9, true, false), (Ranges{{0x103F, 0x103F}, {0xB600, 0xB7FF}}));
    EXPECT_EQ(BufferCellsUsed(e9, false, true), (Ranges{{0xB600, 0xB7FF}}));
    EXPECT_EQ(BufferCellsUsed(e9, false, false), Ranges{});
    EXPECT_EQ(BufferCellsUsed(PlanOf("TMS370Cx5x (512)"), true, true), (Ranges{{0x1E00, 0x1FFF}}));
}

TEST(BufferCellsUsed, CellsNotGivenAreListedAsRuns)
{
    std::vector<bool> given(0x10000, false);
    for (int a = 0xB600; a <= 0xB7FF; ++a) given[static_cast<std::size_t>(a)] = a != 0xB700 && a != 0xB701;
    const Ranges cells{{0x103F, 0x103F}, {0xB600, 0xB7FF}};
    EXPECT_EQ(CellsNotGiven(cells, given), (Ranges{{0x103F, 0x103F}, {0xB700, 0xB701}}));
    given[0x103F] = true;
    given[0xB700] = given[0xB701] = true;
    EXPECT_EQ(CellsNotGiven(cells, given), Ranges{});
}

TEST(PersonNeeded, TheConfigQuestionAndTheJumperBoxesAreKnownUpFront)
{
    using Options = std::set<SequenceOption>;
    const SequencePlan e9 = PlanOf("MC68HC11E9");
    EXPECT_NE(PersonNeededFor(e9, Options{SequenceOption::Lock}), "");
    EXPECT_NE(PersonNeededFor(e9, Options{SequenceOption::Program}), "");
    EXPECT_EQ(PersonNeededFor(e9, Options{SequenceOption::Verify}), "");
    const SequencePlan tms = PlanOf("TMS375C006 (256)");
    EXPECT_NE(PersonNeededFor(tms, Options{SequenceOption::Erase}), "");
    EXPECT_EQ(PersonNeededFor(tms, Options{SequenceOption::Verify}), "");
    EXPECT_EQ(PersonNeededFor(PlanOf("MC68HC05B6"), Options{SequenceOption::Program, SequenceOption::Lock}),
              "");
}

} // namespace
} // namespace zav
