#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Child.h"
#include "../../file/Vorsel.h"

StandIn *FreshStandIn(const std::string &commandLine) {
    static void *last;
    if (last != nullptr) {
        munmap(last, sizeof(StandIn));
        last = nullptr;
    }
    void *memory =
        mmap(nullptr, sizeof(StandIn), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return nullptr;
    }
    last = memory;
    StandIn *state = static_cast<StandIn *>(memory);
    memcpy(state->commandLine, commandLine.data(),
           commandLine.size() < standInTextSize - 1 ? commandLine.size() : standInTextSize - 1);
    strcpy(state->currentDirectory, "C:\\work");
    state->outputKind = streamFile;
    state->errorKind = streamFile;
    return state;
}

bool RunInChild(StandIn *state, const std::function<void()> &body) {
    pid_t child = fork();
    if (child == 0) {
        standIn = state;
        body();
        state->finished = true;
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && state->finished;
}

bool RunTool(StandIn *state) {
    return RunInChild(state, [state] {
        static RunSettings settings;
        state->exitValue = RunVorsel(&settings);
    });
}

void Note(const char *text) {
    uint32_t length = static_cast<uint32_t>(strlen(text));
    if (standIn->noteLength + 4 + length > standInTextSize) {
        return;
    }
    memcpy(standIn->note + standIn->noteLength, &length, 4);
    memcpy(standIn->note + standIn->noteLength + 4, text, length);
    standIn->noteLength += 4 + length;
}

std::vector<std::string> Notes(const StandIn *state) {
    std::vector<std::string> notes;
    for (size_t at = 0; at + 4 <= state->noteLength;) {
        uint32_t length = 0;
        memcpy(&length, state->note + at, 4);
        notes.emplace_back(state->note + at + 4, length);
        at += 4 + length;
    }
    return notes;
}

std::string Output(const StandIn *state) {
    return std::string(state->output, state->outputLength);
}

std::string Error(const StandIn *state) {
    return std::string(state->error, state->errorLength);
}
