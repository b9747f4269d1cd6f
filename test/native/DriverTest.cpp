#include <gtest/gtest.h>

#include "Child.h"
#include "../../file/Vorsel.h"
#include "../../support/Console.h"

namespace {

struct DriverCase {
    std::string line;
    int exitValue;
    std::string error;            // exact bytes on standard error
    const char *folder = nullptr; // what the dialog was given, when it was shown
    const char *patterns = nullptr;
    const char *title = nullptr; // null: no title
    const char *name = nullptr;  // the name box's first text
    DWORD flags = 0;
    const char *extension = nullptr; // the default extension; null: none
};

const std::string usage = std::string(UsageText) + "\n";
const std::string longestFolder = "C:\\" + std::string(255, 'f') + "\\";
const std::string tooLongFolder = "C:\\" + std::string(256, 'f') + "\\";

const DriverCase driverCases[] = {
    {"prog", 0, usage},
    {"prog \"\" x", 0, usage},
    {"prog /?", 0, usage},
    {"prog /? C:\\y", 0, usage},
    {"prog \"/?\"", 0, usage},
    {"prog    ", 0, usage},
    {"prog \"", 0, usage},
    {"prog /HELP", 1, "", "", "*.*", nullptr, "", 4},
    {"prog cmd *.txt Title /?", 255, "Invalid option: /?\n"},
    {"prog cmd *.txt Title /noQuote2", 255, "Invalid option: /noQuote2\n"},
    {"prog cmd *.txt /X", 255, "Invalid option: /X\n"},
    {"prog cmd *.txt /", 255, "Invalid option: /\n"},
    {"prog cmd *.txt \"/no quote\"", 255, "Invalid option: /no quote\n"},
    {"prog cmd *.txt Title a.txt bad:name", 255, "Invalid parameter: bad:name\n"},
    {"prog cmd *.txt T \"a\tb\"", 255, "Invalid parameter: a\tb\n"},
    {"prog cmd *.txt /x bad:name", 255, "Invalid option: /x\n"},
    {"prog cmd *.txt T bad:name /x", 255, "Invalid parameter: bad:name\n"},
    {"prog cmd \"\" Title", 1, "", "", "*.*", "Title", "", 4},
    {"prog cmd", 1, "", "", "*.*", nullptr, "", 4},
    {"prog cmd *.txt \"\" name.txt", 1, "", "C:\\work\\", "*.txt", nullptr, "", 4},
    {"prog cmd *.txt T \"\" bad:name /x", 1, "", "C:\\work\\", "*.txt", "T", "", 4},
    {"prog cmd C:\\docs", 1, "", "C:\\", "docs", nullptr, "", 4},
    {"prog cmd C:\\docs\\", 1, "", "C:\\docs\\", "", nullptr, "", 4},
    {"prog cmd *.txt /NoCrLf Title", 1, "", "C:\\work\\", "*.txt", "Title", "", 4},
    {"prog cmd *.txt /OVERWRITEPROMPT", 1, "", "C:\\work\\", "*.txt", nullptr, "", 6},
    {"prog cmd *.txt Title a.txt b.txt", 1, "", "C:\\work\\", "*.txt", "Title", "b.txt", 4},
    {"prog cmd *.txt T a.txt /overwritePrompt b.txt", 1, "", "C:\\work\\", "*.txt", "T", "b.txt",
     6},
    {"prog cmd *.txt \"Pick a file: <now>\"", 1, "", "C:\\work\\", "*.txt", "Pick a file: <now>",
     "", 4},
    {"prog cmd *.txt Title /noquote /noquotes /nocrlf /overwriteprompt", 1, "", "C:\\work\\",
     "*.txt", "Title", "", 6},
    {"prog /x C:\\y", 1, "", "C:\\", "y", nullptr, "", 4},
    {"prog cmd /x", 1, "", "C:/", "x", nullptr, "", 4},
    {"prog cmd \"C:\\a b\\*.txt;*.log\" \"Save copy as\" data.txt", 1, "", "C:\\a b\\",
     "*.txt;*.log", "Save copy as", "data.txt", 4},
    // the dialog opens in a folder of up to 259 characters, and where it
    // would without one for a longer folder
    {"prog cmd " + longestFolder + "*.txt", 1, "", longestFolder.c_str(), "*.txt", nullptr, "", 4},
    {"prog cmd " + tooLongFolder + "*.txt", 1, "", "", "*.txt", nullptr, "", 4},
    {"prog cmd *.txt \"\u00e4 \u03a9\" \u00e4\u8868.txt", 1, "", "C:\\work\\", "*.txt",
     "\u00e4 \u03a9", "\u00e4\u8868.txt", 4},
    // a fullwidth quote is a character like any other, also in a message,
    // where the ANSI code page shows what it lacks as '?'
    {"prog cmd *.txt T x\uff02y.txt /UTF8 /utf-8", 1, "", "C:\\work\\", "*.txt", "T",
     "x\uff02y.txt", 4},
    {"prog cmd *.txt T \"x\uff02 /noQuote \uff02& calc.txt\"", 255,
     "Invalid parameter: x? /noQuote ?& calc.txt\n"},
    // file types: the first one's name shows; a list the dialog could not
    // show is refused before any other parameter is read
    {"prog cmd \"C:\\B\\Text (*.txt)|*.txt|All|*.*\" T /ADDEXTENSION", 1, "", "C:\\B\\",
     "Text (*.txt)", "T", "", 4, ""},
    {"prog cmd \"C:\\B\\Text|*.txt|\" T /x", 255, "Invalid file types: C:\\B\\Text|*.txt|\n"},
    {"prog cmd \"|*.txt\"", 255, "Invalid file types: |*.txt\n"},
    {"prog cmd Text| /utf8", 255, "Invalid file types: Text|\n"},
    // the Open dialog: existing files only, no replace question and no
    // extension added; a folder is asked for on its own
    {"prog c *.txt T /overwritePrompt /OPEN /addExtension", 1, "", "C:\\work\\", "*.txt", "T", "",
     0x1804},
    {"prog c *.txt /Multiple /open", 1, "", "C:\\work\\", "*.txt", nullptr, "", 0x81A04},
    {"prog c p /folder T /Open /x", 255, "Invalid options: /folder with /Open\n"},
    {"prog c p /MULTIPLE /open /folder", 255, "Invalid options: /open with /folder\n"},
    {"prog c p /folder /multiple /open", 255, "Invalid options: /folder with /open\n"},
    // a time limit in whole seconds, from one to a day
    {"prog c *.txt /TIMEOUT:86400 /timeout:0001", 1, "", "C:\\work\\", "*.txt", nullptr, "", 4},
    {"prog c p /timeout:0", 255, "Invalid option: /timeout:0\n"},
    {"prog c p /timeout:1.5", 255, "Invalid option: /timeout:1.5\n"},
    {"prog c p /timeout:86401", 255, "Invalid option: /timeout:86401\n"},
    {"prog c p /timeout:4294967297", 255, "Invalid option: /timeout:4294967297\n"},
};

// What one run wrote on each stream and showed in the dialog, as one text
// that names the first field to differ.
std::string Describe(const StandIn *state) {
    std::string text = "exit " + std::to_string(state->exitValue) + "\nstderr [" + Error(state) +
                       "]\nstdout [" + Output(state) + "]\n";
    if (state->dialogCalls == 0) {
        return text + (state->libraryLoads == 0 ? "no dialog\n" : "dialog library loaded\n");
    }
    return text + "folder [" + state->initialDir + "] patterns [" +
           std::string(state->filter, strlen(state->filter)) + "] title [" +
           (state->titleAbsent ? "(none)" : state->title) + "] name [" + state->initialName +
           "] flags " + std::to_string(state->request.Flags) + " extension " +
           (state->request.lpstrDefExt == nullptr
                ? "none"
                : "[" + std::string(state->defaultExtension) + "]") +
           "\n";
}

std::string Expected(const DriverCase &c) {
    std::string text =
        "exit " + std::to_string(c.exitValue) + "\nstderr [" + c.error + "]\nstdout []\n";
    if (c.folder == nullptr) {
        return text + "no dialog\n";
    }
    return text + "folder [" + c.folder + "] patterns [" + c.patterns + "] title [" +
           (c.title == nullptr ? "(none)" : c.title) + "] name [" + c.name + "] flags " +
           std::to_string(c.flags) + " extension " +
           (c.extension == nullptr ? "none" : "[" + std::string(c.extension) + "]") + "\n";
}

} // namespace

TEST(Driver, ReadsTheParametersIntoTheRequestOrRefuses) {
    for (const DriverCase &c : driverCases) {
        StandIn *state = FreshStandIn(c.line);
        ASSERT_TRUE(RunTool(state)) << c.line;
        EXPECT_EQ(Describe(state), Expected(c)) << "command line: " << c.line;
    }
}

// The dialog's owner is the console's own window while the top of its
// owner chain (the console, or the terminal that holds it) is shown; with
// no console, or a minimized or hidden one, the dialog has none, and a
// window no one sees first takes the show state its starter passed. Ctrl+C
// with the dialog up gives the owner its input back and ends the run as
// the system's own handler would; the console closing ends it at once.
TEST(Driver, TakesAShownConsoleAsOwnerAndFreesItOnControlEvents) {
    HWND console = StandInConsoleWindow();
    int interrupted = static_cast<int>(exitInterrupted);
    struct {
        WindowState console;
        WindowState terminal;
        ControlEvent control;
        HWND owner;
        int exitValue;
        bool starterShows = false;
        int defaultShows = 0; // windows that took the starter's show state first
    } cases[] = {
        {windowAbsent, windowAbsent, controlNone, nullptr, 1},
        {windowShown, windowAbsent, controlNone, console, 1},
        {windowMinimized, windowAbsent, controlNone, nullptr, 1},
        {windowHidden, windowAbsent, controlNone, nullptr, 1},
        {windowHidden, windowShown, controlNone, console, 1}, // a terminal's console
        {windowHidden, windowMinimized, controlNone, nullptr, 1},
        {windowShown, windowAbsent, controlC, console, interrupted},
        {windowAbsent, windowAbsent, controlC, nullptr, interrupted},
        {windowShown, windowAbsent, controlClose, console, interrupted},
        {windowHidden, windowAbsent, controlNone, nullptr, 1, true, 1},
        {windowShown, windowAbsent, controlNone, console, 1, true},
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        StandIn *state = FreshStandIn("prog cmd");
        state->consoleWindow = cases[i].console;
        state->terminalWindow = cases[i].terminal;
        state->control = cases[i].control;
        state->starterShows = cases[i].starterShows;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->request.hwndOwner, cases[i].owner) << i;
        EXPECT_EQ(state->exitValue, cases[i].exitValue) << i;
        EXPECT_EQ(state->terminated, cases[i].exitValue == interrupted) << i;
        EXPECT_EQ(state->enabledWindow, cases[i].control == controlC ? cases[i].owner : nullptr)
            << i;
        EXPECT_EQ(state->defaultShows, cases[i].defaultShows) << i;
        EXPECT_EQ(state->windowsLeft, 0) << i;
        EXPECT_EQ(Output(state) + Error(state), "") << i;
    }
}

TEST(Driver, WritesHelpAndRefusalsOnAConsoleToo) {
    struct {
        const char *line;
        std::string error;
    } cases[] = {{"prog", usage}, {"prog c p t /bad", "Invalid option: /bad\n"}};
    for (const auto &c : cases) {
        StandIn *state = FreshStandIn(c.line);
        state->outputKind = streamConsole;
        state->errorKind = streamConsole;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(Error(state), c.error);
        EXPECT_EQ(Output(state), "");
    }
}
