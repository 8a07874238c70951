#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>

#include "cli/console_reporter.h"
#include "cli/terminal.h"

namespace zav {
namespace {

// A terminal that is there or not, answers from a script and keeps what was put on it.
class ScriptedTerminal final : public Terminal {
public:
    ScriptedTerminal(bool present, bool showsErrorOutput)
        : present_(present), showsErrorOutput_(showsErrorOutput)
    {
    }
    [[nodiscard]] bool IsInteractive() const override { return present_; }
    [[nodiscard]] bool ShowsErrorOutput() const override { return showsErrorOutput_; }
    void Write(const std::string& text) override { shown += text; }
    [[nodiscard]] std::optional<std::string> ReadLine() override
    {
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetStopFlag(const std::atomic<bool>*) override {}

    std::deque<std::string> answers;
    std::string shown;

private:
    bool present_;
    bool showsErrorOutput_;
};

constexpr const char* kQuestion = "Continue program CONFIG register ?";
constexpr const char* kJumper = "Remove WPO jumper and press OK button.";

// Nobody at a terminal: the box is answered No, said to be an error, and the run is told
// to stop, so it never carries on past a box nobody saw.
TEST(ConsoleReporter, ABoxNobodyCanAnswerStopsTheRun)
{
    std::ostringstream output;
    ScriptedTerminal none(false, false);
    ConsoleReporter reporter(output, none);
    int stops = 0;
    reporter.OnUnanswered([&] { ++stops; });
    EXPECT_FALSE(reporter.AskYesNo(kQuestion, "Warning !!!", BoxKind::Warning));
    reporter.ShowOk(kJumper, "", BoxKind::Information);
    EXPECT_EQ(stops, 2);
    EXPECT_TRUE(reporter.ErrorSeen());
    EXPECT_EQ(output.str(),
              std::string("warning: ") + kQuestion +
                  "\nerror: nobody at a terminal to answer this question (--yes answers for you); "
                  "stopping\n" +
                  kJumper +
                  "\nerror: nobody at a terminal to do what this box asks (--yes answers for "
                  "you); stopping\n");
}

TEST(ConsoleReporter, YesAnswersAndCarriesOnWithoutAsking)
{
    std::ostringstream output;
    ScriptedTerminal terminal(true, false);
    ConsoleReporter reporter(output, terminal, {true, false, nullptr});
    EXPECT_TRUE(reporter.AskYesNo(kQuestion, "", BoxKind::Warning));
    reporter.ShowOk(kJumper, "", BoxKind::Information);
    EXPECT_EQ(terminal.shown, "");
    EXPECT_FALSE(reporter.ErrorSeen());
    EXPECT_EQ(output.str(), std::string("warning: ") + kQuestion + "\nAnswered Yes (--yes).\n" + kJumper +
                                "\nCarried on (--yes).\n");
}

// The error output goes to a file: the person still sees the question on the terminal.
TEST(ConsoleReporter, QuestionsReachTheTerminalWhateverTheErrorOutputIs)
{
    std::ostringstream output;
    ScriptedTerminal terminal(true, false);
    terminal.answers = {"y", "n"};
    ConsoleReporter reporter(output, terminal);
    EXPECT_TRUE(reporter.AskYesNo(kQuestion, "", BoxKind::Warning));
    EXPECT_FALSE(reporter.AskYesNo(kQuestion, "", BoxKind::Warning));
    EXPECT_EQ(terminal.shown,
              std::string(kQuestion) + "\nYes or No? [y/N] " + kQuestion + "\nYes or No? [y/N] ");

    ScriptedTerminal same(true, true);
    ConsoleReporter onTerminal(output, same);
    same.answers = {""};
    onTerminal.ShowOk(kJumper, "", BoxKind::Information);
    EXPECT_EQ(same.shown, "Press Enter to continue: ");
}

TEST(ConsoleReporter, QuietDropsOnlyThePlainLines)
{
    std::ostringstream output;
    ScriptedTerminal none(false, false);
    ConsoleReporter reporter(output, none, {true, true, nullptr});
    reporter.AddStatusMessage("Reading file : x", StatusKind::Normal);
    reporter.AddStatusMessage("Unrecognized Line in S file !", StatusKind::Warning);
    reporter.AddStatusMessage("Programmer Not Ready.", StatusKind::Error);
    EXPECT_TRUE(reporter.AskYesNo(kQuestion, "", BoxKind::Confirmation));
    EXPECT_EQ(output.str(),
              std::string("warning: Unrecognized Line in S file !\nerror: Programmer Not Ready.\n") +
                  kQuestion + "\nAnswered Yes (--yes).\n");
}

} // namespace
} // namespace zav
