// The environment and process commands: the process environment (getenv,
// setenv, kept in step with the env array), the identities of the process
// (pid, tid, getsid, is_active), rights (elevate), the last system error
// (get_win_error, win_error), a command's captured output (pipe) and the
// memory figures (checkheap, mem_used, sysfree).
#include "services/time_commands.h"

#include "interp/errors.h"
#include "interp/interp.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void setNumber(Interpreter* interp, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    zorakSetResult(interp, text, 0);
}

void setUnsigned(Interpreter* interp, unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu", value);
    zorakSetResult(interp, text, 0);
}

void setText(Interpreter* interp, const std::string& text) {
    if (text.empty())
        zorakSetResult(interp, "", 0);
    else
        zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

std::string joinWords(int first, int argc, char** argv) {
    std::string line;
    for (int i = first; i < argc; i++) {
        if (i > first) line += ' ';
        line += argv[i];
    }
    return line;
}

// A name the environment can hold: not empty, no "=" and no zero byte.
bool validEnvName(const char* name) {
    return *name && !std::strchr(name, '=');
}

int zorakCommandGetenv(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2 && argc != 3) return zorakWrongArgs(interp, argc, argv);
    std::string value;
    if (validEnvName(argv[1]) && platformGetEnv(argv[1], &value)) {
        setText(interp, value);
        return OK;
    }
    if (argc == 3) {
        zorakSetResult(interp, argv[2], 0);
        return OK;
    }
    zorakReportError(interp, "getenv: No environment variable '%s'\n", argv[1]);
    return ERROR;
}

// setenv name value sets, setenv name removes; the env array follows the
// process environment, its values escaped as at start-up.
int zorakCommandSetenv(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2 && argc != 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (!validEnvName(name)) {
        zorakReportError(interp, "setenv: Invalid environment variable name '%s'\n", name);
        return ERROR;
    }
    const char* value = argc == 3 ? argv[2] : nullptr;
    if (!platformSetEnv(name, value)) {
        zorakReportError(interp, "setenv: Failed to set '%s': %s\n", name,
                         platformErrorText(platformLastError()).c_str());
        return ERROR;
    }
    if (value) {
        HeapText escaped(zorakEscapeScriptText(value));
        array_set_element(interp, "::env", name, escaped.get() ? escaped.get() : "", 0, 0);
        zorakSetResult(interp, value, 0);
        if (!*value) zorakSetResult(interp, "", 0);
    } else {
        Var* env = zorakGetVar(interp, "::env", 0);
        if (env && env->table) env->table->erase(name);
        zorakSetResult(interp, "", 0);
    }
    return OK;
}

int zorakCommandPid(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    setNumber(interp, platformProcessId());
    return OK;
}

int zorakCommandTid(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    setNumber(interp, platformThreadId());
    return OK;
}

int zorakCommandGetsid(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    long session = platformSessionId();
    if (session < 0) {
        zorakReportError(interp, "getsid: The session cannot be read\n");
        return ERROR;
    }
    setNumber(interp, session);
    return OK;
}

int zorakCommandIsActive(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    int64_t pid;
    if (!zorakReadWholeNumber(argv[1], &pid)) {
        zorakReportError(interp, "is_active: Expected a process id but got '%s'\n", argv[1]);
        return ERROR;
    }
    bool alive = pid > 0 && pid <= 0x7fffffff && platformProcessAlive(static_cast<long>(pid));
    zorakSetResult(interp, alive ? "1" : "0", 1);
    return OK;
}

int zorakCommandElevate(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    long code = 0;
    std::string why;
    if (!platformRunElevated(joinWords(1, argc, argv), &code, &why)) {
        zorakReportError(interp, "elevate: %s\n", why.c_str());
        return ERROR;
    }
    setNumber(interp, code);
    return OK;
}

int zorakCommandGetWinError(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    setUnsigned(interp, platformLastError());
    return OK;
}

// win_error ?code?: the system's text for an error number (the last one by
// default); win_error -set code makes it the last error.
int zorakCommandWinError(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 3) return zorakWrongArgs(interp, argc, argv);
    bool set = argc == 3;
    if (set && std::strcmp(argv[1], "-set") != 0) return zorakWrongArgs(interp, argc, argv);
    unsigned long code = platformLastError();
    if (argc >= 2) {
        int64_t value;
        const char* text = argv[argc - 1];
        if (!zorakReadWholeNumber(text, &value) || value < 0 || value > 0xffffffffLL) {
            zorakReportError(interp, "win_error: Expected an error number but got '%s'\n", text);
            return ERROR;
        }
        code = static_cast<unsigned long>(value);
    }
    if (set) {
        platformSetLastError(code);
        setUnsigned(interp, code);
        return OK;
    }
    std::string message = platformErrorText(code);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    setText(interp, message);
    return OK;
}

// pipe word ...: the words as one command line, run through the command
// interpreter; the result is what it printed, without the last line end.
int zorakCommandPipe(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string line = joinWords(1, argc, argv);
    std::string output;
    long code = 0;
    if (!platformCaptureCommand(line, &output, &code)) {
        zorakReportError(interp, "pipe: Could not run '%s'\n", line.c_str());
        return ERROR;
    }
    if (!output.empty() && output.back() == '\n') output.pop_back();
    if (!output.empty() && output.back() == '\r') output.pop_back();
    // A child that failed fails the command, its output kept as the result.
    if (code != 0) {
        zorakReportError(interp, "pipe: '%s' exited with code %ld\n", line.c_str(), code);
        setText(interp, output);
        return ERROR;
    }
    setText(interp, output);
    return OK;
}

int zorakCommandCheckheap(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    if (!platformHeapCheck()) {
        zorakReportError(interp, "checkheap: The heap is damaged\n");
        return ERROR;
    }
    zorakSetResult(interp, "1", 1);
    return OK;
}

int zorakCommandMemUsed(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    uint64_t bytes = 0;
    if (!platformProcessMemory(&bytes)) {
        zorakReportError(interp, "mem_used: The process's memory cannot be read\n");
        return ERROR;
    }
    setUnsigned(interp, bytes);
    return OK;
}

int zorakCommandSysfree(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    PlatformMemoryStatus status;
    if (!platformMemoryStatus(&status)) {
        zorakReportError(interp, "sysfree: The system's memory cannot be read\n");
        return ERROR;
    }
    setUnsigned(interp, status.avail_phys);
    return OK;
}

} // namespace

void zorakRegisterEnvironmentCommands(Interpreter* interp) {
    static const struct {
        const char* name;
        CommandHandler handler;
    } kCommands[] = {
        {"getenv", zorakCommandGetenv},
        {"setenv", zorakCommandSetenv},
        {"pid", zorakCommandPid},
        {"tid", zorakCommandTid},
        {"getsid", zorakCommandGetsid},
        {"is_active", zorakCommandIsActive},
        {"elevate", zorakCommandElevate},
        {"get_win_error", zorakCommandGetWinError},
        {"win_error", zorakCommandWinError},
        {"pipe", zorakCommandPipe},
        {"checkheap", zorakCommandCheckheap},
        {"mem_used", zorakCommandMemUsed},
        {"sysfree", zorakCommandSysfree},
    };
    for (const auto& row : kCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}
