#include <gtest/gtest.h>

#include "Child.h"
#include "../../file/Macro.h"
#include "../../support/PathText.h"

namespace {

struct SplitCase {
    const char *path;
    const char *pathPart;
    const char *filePart;
};

const SplitCase splitCases[] = {
    {"C:\\docs\\*.txt;*.doc", "C:\\docs\\", "*.txt;*.doc"},
    {"*.*", "", "*.*"},
    {"", "", ""},
    {"C:\\a\\*.txt;C:\\b\\*.doc", "C:\\a\\*.txt;C:\\b\\", "*.doc"},
    {"C:\\a|b\\c", "C:\\", "c"},
    {"C:\\a\\b.txt|x", "C:\\a\\", "b.txt|x"},
    {"|C:\\a\\b", "", "b"},
    {"\"C:\\x\\name.txt\" tail\\more", "C:\\x\\name.txt\" tail\\", "more"},
    {"\"C:\\x\\name.txt\" tail", "C:\\x\\", "name.txt"},
    {"\"", "", ""},
    {"\"\"", "", ""},
    {"C:/a/b\\c", "C:/a/b\\", "c"},
    {"C:\\docs\\", "C:\\docs\\", ""},
    {"C:\\", "C:\\", ""},
    {"name\"x", "", "name"},
    {"\\\\server\\share\\*.log", "\\\\server\\share\\", "*.log"},
    // UTF-8: fullwidth look-alikes of the separators, bar and quote are
    // ordinary characters
    {"C:\\\u03a9\u03b4\\\u8868*.txt;*.\u30dd", "C:\\\u03a9\u03b4\\", "\u8868*.txt;*.\u30dd"},
    {"C:\\\u03a9|\u03b4\\x", "C:\\", "x"},
    {"C:\\a\uff3cb\uff0fc\uff5cd\uff02e", "C:\\", "a\uff3cb\uff0fc\uff5cd\uff02e"},
};

struct NameCase {
    const char *text;
    bool valid;
};

const NameCase nameCases[] = {
    {"report 2013.txt", true},
    {"\xe4\xf6\xfc.txt", true},
    {"\x7f", true},
    {"...", true},
    {"CON", true},
    {"", false},
    {"a:b", false},
    {"a/b", false},
    {"a\\b", false},
    {"what?", false},
    {"x|y", false},
    {"<x>", false},
    {"a\tb", false},
    {"a\"b", false},
    {"*.txt", false},
    {"\x01", false},
    {"\x1f", false},
    {"\u03a9mega \u8868 \U0001F642.txt", true},
    {"\uff02x\uff0f\uff1a.txt", true},
    {"\u8868|x", false},
};

// FullPath in a child, with the stand-in's path behaviour set to kind.
std::string Resolve(const char *path, PathKind kind, const char *directory, int *calls) {
    StandIn *state = FreshStandIn("prog");
    state->pathKind = kind;
    strcpy(state->currentDirectory, directory);
    EXPECT_TRUE(RunInChild(state, [path] { Note(FullPath(path)); }));
    *calls = state->fullPathCalls;
    return Notes(state).at(0);
}

} // namespace

TEST(PathText, SplitsFolderAndFileParts) {
    StandIn *state = FreshStandIn("prog");
    EXPECT_TRUE(RunInChild(state, [] {
        for (const SplitCase &c : splitCases) {
            Note(PathPart(c.path));
            Note(FilePart(c.path));
        }
    }));
    std::vector<std::string> notes = Notes(state);
    ASSERT_EQ(notes.size(), 2 * std::size(splitCases));
    for (size_t i = 0; i < std::size(splitCases); i++) {
        EXPECT_EQ(notes[2 * i], splitCases[i].pathPart) << "PathPart of " << splitCases[i].path;
        EXPECT_EQ(notes[2 * i + 1], splitCases[i].filePart) << "FilePart of " << splitCases[i].path;
    }
}

TEST(PathText, ChecksBareFileNames) {
    StandIn *state = FreshStandIn("prog");
    EXPECT_TRUE(RunInChild(state, [] {
        for (const NameCase &c : nameCases) {
            Note(IsValidFileName(c.text) ? "valid" : "invalid");
        }
        Note(IsValidFileName(nullptr) ? "valid" : "invalid");
    }));
    std::vector<std::string> notes = Notes(state);
    ASSERT_EQ(notes.size(), std::size(nameCases) + 1);
    for (size_t i = 0; i < std::size(nameCases); i++) {
        EXPECT_EQ(notes[i], nameCases[i].valid ? "valid" : "invalid") << nameCases[i].text;
    }
    EXPECT_EQ(notes.back(), "invalid");
}

TEST(FullPath, ResolvesOrKeepsThePath) {
    std::string deep(300, 'd');
    struct {
        const char *path;
        PathKind kind;
        std::string directory;
        std::string expected;
        int calls;
    } cases[] = {
        {"", pathJoin, "C:\\work", "", 0},
        {"*.txt", pathJoin, "C:\\work", "C:\\work\\*.txt", 1},
        {"D:\\x\\*.log", pathJoin, "C:\\work", "D:\\x\\*.log", 1},
        {"\u03a9\u03b4\\*.txt", pathJoin, "C:\\\u8868", "C:\\\u8868\\\u03a9\u03b4\\*.txt", 1},
        {"*.txt", pathFail, "C:\\work", "*.txt", 1},
        // a full form past 260 characters is asked for again at its size
        {"*.txt", pathJoin, "C:\\" + deep, "C:\\" + deep + "\\*.txt", 2},
        // and stays the path as typed when the second answer fails too
        {"*.txt", pathGrowing, "C:\\work", "*.txt", 2},
    };
    for (const auto &c : cases) {
        int calls = 0;
        EXPECT_EQ(Resolve(c.path, c.kind, c.directory.c_str(), &calls), c.expected) << c.path;
        EXPECT_EQ(calls, c.calls) << c.path;
    }
}
