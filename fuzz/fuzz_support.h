// What every fuzz target shares: a quiet process and an interpreter that
// holds only the commands that cannot reach outside the process.
#pragma once

#include "interp/interp.h"

#include <string>
#include <vector>

// Sends script output and key reads to /dev/null. Call once, first.
void fuzzQuietProcess();

// Replaces the process's interpreter with a fresh one holding only the safe
// commands, with autoexec, breakpoints and stepping off. Returns it, or null.
Interpreter* fuzzFreshInterpreter();

// Turns off again whatever a script may have turned on between runs.
void fuzzResetSettings();

// The names of the safe commands, sorted.
const std::vector<std::string>& fuzzSafeCommands();

// Marks the start and the end of one input. An input that runs past two
// seconds gets an interrupt, as a user's Ctrl-C: a script that loops for
// ever then ends, and only a wait that no interrupt ends reaches
// libFuzzer's timeout as a finding.
void fuzzInputBegin();
void fuzzInputEnd();
