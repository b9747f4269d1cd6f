#include <gtest/gtest.h>

#include "Child.h"
#include "../../file/Vorsel.h"

namespace {

StandIn *Confirming(const std::string &line, const char *answer) {
    StandIn *state = FreshStandIn(line);
    state->dialogConfirms = true;
    strcpy(state->dialogAnswer, answer);
    return state;
}

} // namespace

TEST(SaveStage, FillsTheRequestRecord) {
    StandIn *state = FreshStandIn("prog copy C:\\B\\*.txt Title name.txt /overwritePrompt");
    strcpy(state->consoleTitle, "console");
    ASSERT_TRUE(RunTool(state));
    const OPENFILENAMEW &r = state->request;
    EXPECT_EQ(state->dialogCalls, 1);
    EXPECT_EQ(r.lStructSize, 136u);
    EXPECT_EQ(r.hwndOwner, StandInConsoleWindow());
    EXPECT_EQ(r.nFilterIndex, 1u);
    EXPECT_EQ(r.nMaxFile, 20480u);
    EXPECT_EQ(r.Flags, 6u);
    EXPECT_EQ(r.nFileOffset + r.nFileExtension + r.nMaxCustFilter + r.nMaxFileTitle + r.dwReserved +
                  r.FlagsEx,
              0u);
    EXPECT_EQ(r.hInstance, nullptr);
    EXPECT_EQ(r.lpstrCustomFilter, nullptr);
    EXPECT_EQ(r.lpstrFileTitle, nullptr);
    EXPECT_EQ(r.lpstrDefExt, nullptr);
    EXPECT_EQ(r.lCustData, 0);
    EXPECT_EQ(r.lpfnHook, nullptr);
    EXPECT_EQ(r.lpTemplateName, nullptr);
    EXPECT_EQ(r.pvReserved, nullptr);
    EXPECT_EQ(std::string(state->initialName), "name.txt");
    EXPECT_EQ(state->nameBufferZeros, 20480u - 8);
    EXPECT_EQ(state->exitValue, 1);
}

TEST(SaveStage, BuildsOneFilterEntryOfAnySize) {
    std::string longPatterns(20000, 'p');
    struct {
        std::string parameter;
        std::string patterns;
    } cases[] = {
        {"C:\\B\\*.txt;*.doc", "*.txt;*.doc"},
        {"C:\\B\\", ""},
        {"C:\\B\\" + std::string(600, 'x'), std::string(600, 'x')},
        {"C:\\B\\" + longPatterns, longPatterns},
    };
    for (const auto &c : cases) {
        StandIn *state = FreshStandIn("prog cmd " + c.parameter);
        ASSERT_TRUE(RunTool(state));
        std::string block(state->filter, state->filterLength);
        EXPECT_EQ(block, c.patterns + '\0' + c.patterns + '\0' + '\0') << c.parameter;
    }
}

TEST(SaveStage, WritesTheResultLineOnceOnConfirm) {
    struct {
        const char *line;
        const char *answer;
        std::string output;
    } cases[] = {
        {"prog copy *.txt", "C:\\a b\\c.txt", "copy \"C:\\a b\\c.txt\"\r\n"},
        {"prog \"set file=\" *.txt /noQuote", "C:\\a b\\c.txt", "set file=C:\\a b\\c.txt\r\n"},
        {"prog \"set file=\" *.txt", "C:\\a b\\c.txt", "set file=\"C:\\a b\\c.txt\"\r\n"},
        {"prog copy *.txt /noCRLF", "C:\\c.txt", "copy \"C:\\c.txt\""},
        {"prog copy *.txt /noCRLF /noquotes", "C:\\c.txt", "copy C:\\c.txt"},
        {"prog \"echo \" *.txt", "C:\\a b\\c.txt", "echo  \"C:\\a b\\c.txt\"\r\n"},
        {"prog \"x =\" *.txt", "C:\\a b\\c.txt", "x =\"C:\\a b\\c.txt\"\r\n"},
        {"prog = *.txt /nocrlf /noquote", "C:\\c", "=C:\\c"},
        {"prog \"a\"\"b\" *.txt", "C:\\c", "a \"C:\\c\"\r\n"},
    };
    for (const auto &c : cases) {
        StandIn *state = Confirming(c.line, c.answer);
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->exitValue, 0) << c.line;
        EXPECT_EQ(Output(state), c.output) << c.line;
        EXPECT_EQ(state->outputWrites, 1) << c.line;
        EXPECT_EQ(Error(state), "") << c.line;
    }
}

// The name on the line is exactly the chosen one, or there is no line:
// best-fit would turn a fullwidth quote and ampersand into cmd syntax, and
// a letter into another letter.
TEST(SaveStage, WritesOnlyNamesTheCodePageCarries) {
    const std::string refused = std::string(UncarriedName) + "\n";
    struct {
        const char *answer; // UTF-8
        int exitValue;
        std::string output;
        std::string error;
    } cases[] = {
        {"C:\\B\\M\u00fcller \u00e9t\u00e9.txt", 0, "c \"C:\\B\\M\xfcller \xe9t\xe9.txt\"\r\n", ""},
        {"C:\\t\\a\uff02 \uff06 md pwned \uff06 \uff02.txt", 1, "", refused},
        {"C:\\B\\\u0108apitro.txt", 1, "", refused},
        {"C:\\B\\\u03a3\u03cd\u03bd.txt", 1, "", refused},
        {"C:\\B\\\U0001F642.txt", 1, "", refused},
    };
    for (const auto &c : cases) {
        StandIn *state = Confirming("prog c C:\\B\\*.txt", c.answer);
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->exitValue, c.exitValue) << c.answer;
        EXPECT_EQ(Output(state), c.output) << c.answer;
        EXPECT_EQ(Error(state), c.error) << c.answer;
        EXPECT_EQ(std::string(state->libraryPath), "C:\\Windows\\system32\\comdlg32.dll");
    }
}

// A name the caller never receives is no name: when standard output takes
// none or only part of the line, the run ends with 1.
TEST(SaveStage, TellsTheTruthAboutTheWrite) {
    struct {
        StreamKind kind;
        int exitValue;
    } cases[] = {{streamConsole, 0}, {streamFile, 0}, {streamShort, 1}, {streamBroken, 1}};
    for (const auto &c : cases) {
        StandIn *state = Confirming("prog copy *.txt", "C:\\c.txt");
        state->outputKind = c.kind;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->exitValue, c.exitValue) << c.kind;
        EXPECT_EQ(Error(state), "");
    }
}

TEST(SaveStage, CancelWritesNothing) {
    StandIn *state = FreshStandIn("prog copy *.txt Title name.txt");
    ASSERT_TRUE(RunTool(state));
    EXPECT_EQ(state->exitValue, 1);
    EXPECT_EQ(state->outputWrites, 0);
    EXPECT_EQ(Error(state), "");
}

// A default name longer than the dialog is told the buffer holds still
// fits the buffer whole.
TEST(SaveStage, KeepsAnOverlongDefaultName) {
    std::string name(25000, 'n');
    StandIn *state = Confirming("prog copy *.txt T " + name, "C:\\n");
    ASSERT_TRUE(RunTool(state));
    EXPECT_EQ(std::string(state->initialName), name);
    EXPECT_EQ(state->exitValue, 0);
    EXPECT_EQ(Output(state), "copy \"C:\\n\"\r\n");
}
