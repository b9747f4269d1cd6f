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
    state->consoleWindow = windowShown;
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

// A pattern list is one entry, shown by its patterns; file types are an
// entry each, in order, whatever characters they hold.
TEST(SaveStage, BuildsTheFilterBlockOfAnySize) {
    auto plain = [](const std::string &patterns) {
        return patterns + '\0' + patterns + '\0' + '\0';
    };
    std::string longPatterns(20000, 'p');
    struct {
        std::string parameter;
        std::string block;
    } cases[] = {
        {"C:\\B\\*.txt;*.doc", plain("*.txt;*.doc")},
        {"C:\\B\\", plain("")},
        {"C:\\B\\" + std::string(600, 'x'), plain(std::string(600, 'x'))},
        {"C:\\B\\" + longPatterns, plain(longPatterns)},
        {"\"C:\\B\\Text files (*.txt)|*.txt;*.log|All files (*.*)|*.*\"",
         std::string("Text files (*.txt)\0*.txt;*.log\0All files (*.*)\0*.*\0\0", 52)},
        {"\"C:\\B\\\u03a9 \u8868|*.\u03c9|\U0001F642|\u8868*\"",
         "\u03a9 \u8868" + std::string(1, '\0') + "*.\u03c9" + '\0' + "\U0001F642" + '\0' +
             "\u8868*" + '\0' + '\0'},
    };
    for (const auto &c : cases) {
        StandIn *state = FreshStandIn("prog cmd " + c.parameter);
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(std::string(state->filter, state->filterLength), c.block) << c.parameter;
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

// The line is exactly what the caller wrote and the user chose, in the
// code page the script reads it in (the console's, or the ANSI one without
// a console), or there is no line: best-fit would turn a fullwidth quote
// and ampersand into cmd syntax, and a letter into another letter.
TEST(SaveStage, WritesTheLineExactlyInTheReadersCodePageOrNotAtAll) {
    const std::string ansi = "this system's ANSI code page cannot carry";
    const std::string oem = "this console's code page (437) cannot carry";
    const std::string name = "The chosen name has characters that ";
    const std::string refusedAnsi = name + ansi + "; please choose another name.\n";
    const std::string refusedOem = name + oem + "; please choose another name.\n";
    const std::string control = "The chosen name holds a control character (such as a line "
                                "break), which would split the line; please choose another name.\n";
    const std::string lone = "A parameter holds half of a UTF-16 surrogate pair, which no other "
                             "form of text can carry, so Tamvick would read it changed.\n";
    const std::string commandAnsi = "The CommandString has characters that " + ansi + ".\n";
    const std::string overlong = "C:\\B|" + std::string(70000, 'n');      // past 16 bits
    const std::string crowded = "C:\\B|a.txt|" + std::string(30000, 'n'); // past nMaxFile
    struct {
        const char *line; // UTF-8 for the UTF-16 line; ED A0 80 is a lone surrogate
        UINT console;     // the console's code page; 0: no console
        const char *answer;
        int exitValue;
        std::string output;
        std::string error;
        bool ownConsole = false;     // shared by no other process
        StreamKind out = streamFile; // both streams
        bool overruns = false;       // the dialog writes past nMaxFile
    } cases[] = {
        {"prog c C:\\B\\*.txt", 0, "C:\\B\\M\u00fcller \u00e9t\u00e9.txt", 0,
         "c \"C:\\B\\M\xfcller \xe9t\xe9.txt\"\r\n", ""},
        {"prog c C:\\B\\*.txt", 0, "C:\\t\\a\uff02 \uff06 md pwned \uff06 \uff02.txt", 1, "",
         refusedAnsi},
        {"prog c C:\\B\\*.txt", 0, "C:\\B\\\u0108apitro.txt", 1, "", refusedAnsi},
        {"prog c C:\\B\\*.txt", 0, "C:\\B\\\u03a3\u03cd\u03bd.txt", 1, "", refusedAnsi},
        {"prog c C:\\B\\*.txt", 0, "C:\\B\\\U0001F642.txt", 1, "", refusedAnsi},
        {"prog c C:\\B\\*.txt", 1252, "C:\\B\\\u03a3.txt", 1, "", refusedAnsi},
        {"prog \"set t=\" *.txt", 437, "C:\\B\\M\u00fcller \u00e9t\u00e9.txt", 0,
         "set t=\"C:\\B\\M\x81ller \x82t\x82.txt\"\r\n", ""},
        {"prog \"copy caf\u00e9\" *.txt", 437, "C:\\\u00c4.txt", 0,
         "copy caf\x82 \"C:\\\x8e.txt\"\r\n", ""},
        {"prog c *.txt", 437, "C:\\B\\\u00d8re.txt", 1, "", refusedOem},
        // a console of the tool's own is read only when it shows the line
        {"prog \"set t=\" *.txt", 437, "C:\\M\u00fcller.txt", 0, "set t=\"C:\\M\xfcller.txt\"\r\n",
         "", true},
        {"prog \"set t=\" *.txt", 437, "C:\\M\u00fcller.txt", 0, "set t=\"C:\\M\x81ller.txt\"\r\n",
         "", true, streamConsole},
        // a line break would make the line two commands
        {"prog c *.txt", 0, "C:\\t\\x\nmd PWNED&rem .txt", 1, "", control},
        {"prog c *.txt", 437, "C:\\t\\a\tb.txt", 1, "", control},
        // the caller's own texts: refused before the dialog, shown as typed
        {"prog \"set t=\u00d8\" *.txt", 437, "C:\\x", 255, "",
         "The CommandString has characters that " + oem + ".\n"},
        {"prog c *.txt T /\u00dc", 437, "C:\\x", 255, "", "Invalid option: /\x9a\n"},
        {"prog c *.txt T \u00e4:\u00d8", 437, "C:\\x", 255, "", "Invalid parameter: \x84:?\n"},
        {"prog c *.txt T \u00e4:\u00d8 /utf8", 437, "C:\\x", 255, "",
         "Invalid parameter: \u00e4:\u00d8\n"},
        {"prog \"copy x\uff02 & calc\" *.txt", 0, "C:\\x", 255, "", commandAnsi},
        {"prog c *.txt T \xed\xa0\x80.txt", 0, "C:\\x", 255, "", lone},
        // the program path is never read: any folder will do
        {"C:\\\u0141uk\xed\xb0\x80sz\\prog.exe c *.txt", 0, "C:\\x", 0, "c \"C:\\x\"\r\n", ""},
        // UTF-8 carries every character but a lone surrogate, on a console
        // switched to it and wherever the line goes with /utf8
        {"prog \"set t=\u03a9\" *.txt", 65001, "C:\\\u8868.txt", 0,
         "set t=\u03a9 \"C:\\\u8868.txt\"\r\n", ""},
        {"prog \"copy x\uff02 & calc\" *.txt /utf8", 437, "C:\\M\u00fcller \U0001F642.txt", 0,
         "copy x\uff02 & calc \"C:\\M\u00fcller \U0001F642.txt\"\r\n", ""},
        {"prog = *.txt /noQuote /noCRLF /UTF-8", 0, "C:\\\u03a3.txt", 0, "=C:\\\u03a3.txt", "",
         false, streamConsole},
        {"prog c *.txt", 0, "C:\\\xed\xa0\x80.txt", 1, "", refusedAnsi},
        {"prog c *.txt /utf8", 0, "C:\\\xed\xa0\x80.txt", 1, "",
         name + "UTF-8 cannot carry; please choose another name.\n"},
        // several files: a line each, or none at all; a single one comes as
        // a full path; a list too large for the buffer is asked for again
        {"prog c *.txt /multiple /noCRLF", 437, "C:\\B|a.txt|\u00e9.txt", 0,
         "c \"C:\\B\\a.txt\"\r\nc \"C:\\B\\\x82.txt\"", ""},
        {"prog = *.txt /multiple", 0, "C:\\|a.txt|\u03a3.txt", 1, "",
         "The chosen name \"C:\\?.txt\" has characters that " + ansi +
             "; please choose another name.\n"},
        {"prog c *.txt /multiple", 0, "C:\\B\\a.txt", 0, "c \"C:\\B\\a.txt\"\r\n", ""},
        {"prog c *.txt /multiple", 0, "C:\\B|a.txt|D:\\O\\x.txt|\\\\s\\h\\y.txt", 0,
         "c \"C:\\B\\a.txt\"\r\nc \"D:\\O\\x.txt\"\r\nc \"\\\\s\\h\\y.txt\"\r\n", ""},
        {"prog c *.txt /multiple /utf8", 0, crowded.c_str(), 1, "",
         "The selection was too large to hand back; please choose fewer files.\n", false,
         streamConsole, true},
        {"prog = *.txt /multiple /noQuote", 0, overlong.c_str(), 0,
         "=C:\\B\\" + overlong.substr(5) + "\r\n", ""},
        // a folder: a drive's root bare, so that the line does not end in \";
        // several, in the picker's order, all or nothing
        {"prog c C:\\B\\x.txt /folder", 437, "C:\\", 0, "c C:\\\r\n", ""},
        {"prog c C:\\B\\ /folder /multiple /noCRLF", 437, "C:\\B\\a|D:\\|C:\\\u00e9", 0,
         "c \"C:\\B\\a\"\r\nc D:\\\r\nc \"C:\\\x82\"", ""},
        {"prog c C:\\B\\ /folder /multiple", 0, "C:\\a|C:\\\u03a3", 1, "",
         "The chosen name \"C:\\?\" has characters that " + ansi +
             "; please choose another name.\n"},
        {"prog c C:\\B\\ /multiple /folder", 0, "C:\\a|::{20D04FE0}", 1, "",
         "A chosen folder has no path in the file system (such as a library or a virtual "
         "folder); no folder was chosen.\n"},
    };
    for (const auto &c : cases) {
        StandIn *state = Confirming(c.line, c.answer);
        state->consoleCodePage = c.console;
        state->consoleOfItsOwn = c.ownConsole;
        state->outputKind = state->errorKind = c.out;
        state->dialogOverruns = c.overruns;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->exitValue, c.exitValue) << c.line << " " << c.answer;
        EXPECT_EQ(Output(state), c.output) << c.line << " " << c.answer;
        EXPECT_EQ(Error(state), c.error) << c.line << " " << c.answer;
        EXPECT_EQ(state->dialogCalls, c.exitValue == 255     ? 0
                                      : c.answer == overlong ? 3
                                                             : 1)
            << c.line;
    }
}

// The DLL search is restricted to the system folder before any DLL is
// loaded, also where the system lacks the restriction; a dialog that fails
// or cannot be loaded says so, while a cancel says nothing. Where no one
// can see a dialog, none is loaded and the run ends at once, while help
// and refusals stay as they are.
TEST(SaveStage, LoadsOnlySystemCodeAndReportsDialogFailures) {
    const std::string restricted = "SetDefaultDllDirectories - 0x800\n";
    const std::string load = "LoadLibraryExW C:\\Windows\\system32\\comdlg32.dll ";
    const std::string ole = "LoadLibraryExW C:\\Windows\\system32\\ole32.dll ";
    const std::string loads = restricted + ole + "0x800\n" + load + "0x800\n" + load + "0x800\n";
    const std::string unseen = "No one can see a dialog in this session (a service, a scheduled "
                               "task or a remote shell); no name was chosen.\n";
    struct {
        const char *line;
        bool oldSystem;
        bool missing;
        DWORD error;
        std::string calls;
        int exitValue;
        std::string stderrText;
        Station station = stationVisible;
        DWORD oleError = 0;
    } cases[] = {
        {"prog", false, false, 0, restricted, 0, std::string(UsageText) + "\n"},
        {"prog c *.txt", false, false, 0, loads, 1, ""},
        {"prog c *.txt", true, false, 0,
         "SetDllDirectoryW (empty) 0x0\n" + ole + "0x8\n" + load + "0x8\n" + load + "0x8\n", 1, ""},
        {"prog c *.txt", false, false, 0x3003, loads, 1,
         "The Save dialog failed with error 0x3003 (CommDlgExtendedError); no name was "
         "chosen.\n"},
        {"prog c *.txt", false, true, 0, loads, 1,
         "The Save dialog could not be loaded from the system folder's comdlg32.dll; no name "
         "was chosen.\n"},
        {"prog c *.txt", false, false, 0, restricted, 1, unseen, stationHidden},
        {"prog c *.txt", false, false, 0, restricted, 1, unseen, stationSessionZero},
        {"prog c *.txt", false, false, 0, loads, 1, "", stationUnknown},
        {"prog", false, false, 0, restricted, 0, std::string(UsageText) + "\n", stationHidden},
        {"prog c p t /x", false, false, 0, restricted, 255, "Invalid option: /x\n", stationHidden},
        {"prog c p /folder", false, false, 0x80004005, restricted + ole + "0x800\n", 1,
         "The folder dialog failed with error 0x80004005; no folder was chosen.\n"},
        // the dialogs' shell extensions need a single-threaded apartment
        {"prog c *.txt /open", false, false, 0, restricted + ole + "0x800\n", 1,
         "The Open dialog failed with error 0x80010106 (OleInitialize); no name was chosen.\n",
         stationVisible, 0x80010106},
    };
    for (const auto &c : cases) {
        StandIn *state = FreshStandIn(c.line);
        state->oldSystem = c.oldSystem;
        state->dialogMissing = c.missing;
        state->dialogError = c.error;
        state->station = c.station;
        state->oleError = c.oleError;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(std::string(state->libraryCalls), c.calls) << c.line;
        EXPECT_EQ(Error(state), c.stderrText) << c.line;
        EXPECT_EQ(state->exitValue, c.exitValue) << c.line;
        EXPECT_EQ(Output(state), "");
    }
}

// A dialog no one answers ends with 5 once its time runs out, and says so;
// an answer in time counts.
TEST(SaveStage, EndsADialogNoOneAnswersInTime) {
    const std::string late = "No answer came within ";
    struct {
        const char *line;
        bool answered;
        int exitValue;
        std::string error;
    } cases[] = {
        {"prog c *.txt /Multiple /timeout:86400", false, 5,
         late + "86400 seconds; no name was chosen.\n"},
        {"prog c C:\\ /folder /timeout:1", false, 5, late + "1 second; no folder was chosen.\n"},
        {"prog c *.txt /timeout:5", true, 0, ""},
    };
    for (const auto &c : cases) {
        StandIn *state = Confirming(c.line, "C:\\a.txt");
        state->nobodyAnswers = !c.answered;
        ASSERT_TRUE(RunTool(state));
        EXPECT_EQ(state->exitValue, c.exitValue) << c.line;
        EXPECT_EQ(Error(state) + Output(state), c.error + (c.answered ? "c \"C:\\a.txt\"\r\n" : ""))
            << c.line;
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
