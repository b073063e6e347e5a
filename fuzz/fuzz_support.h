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
