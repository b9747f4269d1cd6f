#include <gtest/gtest.h>

#include "Child.h"
#include "../../support/Scanner.h"

namespace {

// The parameters NextParameter hands out for line, read until calls
// returns of them; the empty text shows as "".
std::vector<std::string> Scan(const std::string &line, int calls) {
    StandIn *state = FreshStandIn(line);
    EXPECT_TRUE(RunInChild(state, [calls] {
        for (int i = 0; i < calls; i++) {
            Note(NextParameter());
        }
    }));
    return Notes(state);
}

struct ScanCase {
    const char *line;
    std::vector<std::string> parameters; // what the first calls return, then "" for ever
};

const ScanCase scanCases[] = {
    {"prog a b", {"a", "b"}},
    {"prog    a", {"a"}},
    {"prog a   ", {"a"}},
    {"prog \"two words\" x", {"two words", "x"}},
    {"prog \"abc\"def", {"abc", "def"}},
    {"prog ab\"c d\"", {"ab\"c", "d\""}},
    {"prog \"C:\\dir\\\" next", {"C:\\dir\\", "next"}},
    {"prog \"open end", {"open end"}},
    {"prog a\tb", {"a\tb"}},
    {"\"prog\"a b", {"a", "b"}},
    {"C:\\my dir\\prog.exe first", {"dir\\prog.exe", "first"}},
    {"\"C:\\my dir\\prog.exe\" first", {"first"}},
    {"prog", {}},
    {"", {}},
    {"     ", {}},
    {"prog \\\"a b\\\"", {"\\\"a", "b\\\""}},
    {"prog a\"\"b", {"a\"\"b"}},
    {"prog \"\"\"\"", {"", ""}},
    // parameters come out in UTF-8; a fullwidth quote is an ordinary
    // character, and so is every other one beyond ASCII
    {"prog \"\u03a9 \u8868\" x\uff02|\U0001F642 \uff02y \uff02",
     {"\u03a9 \u8868", "x\uff02|\U0001F642", "\uff02y", "\uff02"}},
};

} // namespace

TEST(Scanner, HandsOutEachParameterThenEmptyForEver) {
    for (const ScanCase &c : scanCases) {
        std::vector<std::string> expected = c.parameters;
        std::vector<std::string> got = Scan(c.line, static_cast<int>(expected.size()) + 3);
        expected.resize(expected.size() + 3);
        EXPECT_EQ(got, expected) << "command line: " << c.line;
    }
}

// The empty texts of "" and of a lone closing quote move the cursor on, so
// what follows them is still handed out; trailing blanks do not.
TEST(Scanner, EmptyQuotedParametersMoveTheCursor) {
    EXPECT_EQ(Scan("prog \"\" x", 3), (std::vector<std::string>{"", "x", ""}));
    EXPECT_EQ(Scan("prog \"", 2), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Scan("prog a \"\" \"\" b", 5), (std::vector<std::string>{"a", "", "", "b", ""}));
    EXPECT_EQ(Scan("prog a  ", 4), (std::vector<std::string>{"a", "", "", ""}));
}

TEST(Scanner, EveryCharacterButBlankAndQuoteIsOrdinary) {
    std::string word; // U+0001 to U+07FF in UTF-8
    for (unsigned c = 1; c < 0x800; c++) {
        if (c < 0x80 && c != ' ' && c != '"') {
            word += static_cast<char>(c);
        } else if (c >= 0x80) {
            word += static_cast<char>(0xC0 | c >> 6);
            word += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    EXPECT_EQ(Scan("prog " + word + " " + word, 3), (std::vector<std::string>{word, word, ""}));
}

TEST(Scanner, ReadsThousandsOfParameters) {
    std::string line = "prog";
    std::vector<std::string> expected;
    for (int i = 0; i < 16000; i++) {
        line += " " + std::to_string(i % 10);
        expected.push_back(std::to_string(i % 10));
    }
    expected.emplace_back("");
    EXPECT_EQ(Scan(line, 16001), expected);
}
