// Runs a piece of the tool in a child process against a fresh stand-in, so
// every run starts with the process state the tool expects (scanner at the
// first parameter, an unused pool), as a real process does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "StandIn.h"

// A stand-in in shared memory, zeroed, with files on both streams, no
// console title, current directory C:\work, and a dialog that cancels.
// Each call replaces the previous one.
StandIn *FreshStandIn(const std::string &commandLine);

// Runs body in a child process with standIn set to state; false when the
// child did not finish normally (a crash or a sanitizer report).
bool RunInChild(StandIn *state, const std::function<void()> &body);

// Runs the whole tool in a child; the exit value lands in state->exitValue.
bool RunTool(StandIn *state);

// Appends a text to the state's note, for the test to read back with Notes.
void Note(const char *text);
std::vector<std::string> Notes(const StandIn *state);

std::string Output(const StandIn *state);
std::string Error(const StandIn *state);
