// The process-wide switches that change how scripts run. They are shared by
// every interpreter the library creates and live for the whole process.
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    int16_t autoexec = 1;
    int16_t echo = 0;
    int16_t escape = 1;
    // Stored inverted: 1 while flow control evaluates conditions as scripts.
    int16_t expression_off = 1;
    int16_t preprocessor = 1;
    int16_t stacktrace = 0;
    int16_t breakpoint = 0;
    // Error messages print (configuration key "Verbose").
    int16_t error_echo = 1;
    // The debug command's flag; also makes error messages print.
    int16_t debug = 0;
    // The evaluator stops before each command with the step prompt.
    int16_t step_mode = 0;
    // The next error message is stored but not printed.
    int16_t quiet_next_error = 0;
    // Set while the macro ndebug is defined: assert and "debug print" do nothing.
    int16_t ndebug = 0;

    // The copies kept by "option NAME push" and restored by "pop".
    struct Saved {
        int16_t autoexec, echo, escape, expression_off, preprocessor, stacktrace, breakpoint;
    } saved{};
    bool saved_taken = false;

    // The configuration file: the environment variable ZORAK_CONFIG names it
    // when the interpreter starts; without it lookups find nothing and the
    // built-in defaults apply.
    std::string config_path;
};

extern Settings zorakSettings;

// Looks up a boolean key in section "Config" of the configuration file.
// Returns false when the key is not found.
bool zorakConfigBool(const char* key, int16_t* value);
// Takes the configuration file's path from ZORAK_CONFIG unless one is set.
void zorakLoadConfigPath();

void zorakRegisterOptionCommands(struct Interpreter* interp);
