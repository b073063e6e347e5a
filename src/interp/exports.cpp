// The embedding exports. No C++ exception leaves them: each reports what it
// caught and returns its failure value.
#include "interp/export_lock.h"
#include "console/console.h"
#include "console/file_channels.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "preproc/preprocess.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "vars/variables.h"
#include "zorak.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>

namespace {

constexpr const char* kScriptName = "internal.tcl";

BSTR emptyBstr() {
    return SysAllocStringByteLen("", 0);
}

BSTR bstrOf(const char* text) {
    if (!text) return emptyBstr();
    return SysAllocStringByteLen(text, static_cast<unsigned int>(std::strlen(text)));
}

// Reports an exception that reached an export; call only inside a catch.
void reportFault(const char* place) {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        zorakReportOutOfMemory(zorakLibrary.initialised ? &zorakLibrary.interp : nullptr, place);
    } catch (const std::exception& e) {
        zorakReportException(place, e.what());
    } catch (...) {
        zorakReportException(place, nullptr);
    }
}

void setScriptName(Interpreter* interp) {
    zorakLibrary.script_name = kScriptName;
    set_var(interp, "::_scriptname", kScriptName);
}

int initialise(SAFEARRAY** args);

bool ensureInitialised() {
    if (!zorakLibrary.initialised) initialise(nullptr);
    return zorakLibrary.initialised != 0;
}

// The strings of a one-dimensional SAFEARRAY of BSTRs, skipping null and
// empty ones.
void collectArguments(SAFEARRAY** args, StringVector* out) {
    for (const std::string& argument : platformArgumentStrings(args ? *args : nullptr))
        zorakVectorAppend(out, argument);
}

int initialise(SAFEARRAY** args) {
    if (zorakLibrary.initialised) return 0;
    OpenConsole(0);
    // Started when the library was attached; again for an interpreter that
    // follows zorak_exit, which released them.
    platformNetworkStartup();
    std::string ignored;
    zorakLibrary.cgi_mode = platformGetEnv("HTTP_HOST", &ignored) ? 1 : 0;
    Interpreter* interp = zorakCreateInterp();
    std::srand(static_cast<unsigned>(platformClockSeed()));
    zorakRegisterCommands(interp);
    setScriptName(interp);
    zorakSetGlobal(interp, "errorInfo", "");
    zorakSetGlobal(interp, "errorMsg", "");
    zorakSetGlobal(interp, "errorLine", "0");
    zorakSetGlobal(interp, "errorCode", "0");
    if (zorakLibrary.cgi_mode) {
        Command* undef = zorakGetCommand(interp, "undef");
        char undefWord[] = "undef", cli[] = "cli", quiet[] = "-nocomplain";
        char* words[4] = {undefWord, cli, quiet, nullptr};
        if (undef) undef->handler(interp, 3, words, undef->private_data);
    }
    if (!args) {
        zorakSetStandardVars(interp, 0, nullptr);
    } else {
        ScopedVector vector;
        collectArguments(args, &vector.get());
        zorakSetStandardVars(interp, vector->count, vector->items);
    }
    zorakLibrary.initialised = 1;
    return 0;
}

bool readWholeFile(const char* path, std::string* contents, bool* complete) {
    if (!platformReadFile(path, contents, complete)) return false;
    zorakNormaliseLineEnds(contents);
    return true;
}

int runAutoexec(int* status) {
    if (status) *status = 0;
    if (!ensureInitialised()) return 1;
    std::string exe;
    if (platformExecutablePath(&exe)) {
        size_t slash = exe.find_last_of("/\\");
        zorakLibrary.app_path = slash == std::string::npos ? "" : exe.substr(0, slash + 1);
    }
    std::string file = zorakLibrary.app_path + "autoexec.tcl";
    if (!platformFileExists(file.c_str())) {
        if (status) *status = 2;
        return 0;
    }
    zorakStrFree(&zorakLibrary.script_buffer);
    std::string contents;
    bool complete = false;
    if (!readWholeFile(file.c_str(), &contents, &complete) || !complete) {
        if (status) *status = 1;
        zorakReportError(&zorakLibrary.interp, "Zorak: Error reading \"%s\"\n", file.c_str());
        return 1;
    }
    std::string zero = zorakZeroBytePlace(contents);
    if (!zero.empty()) {
        if (status) *status = 1;
        zorakReportError(&zorakLibrary.interp, "Zorak: Zero byte at %s of \"%s\"\n", zero.c_str(),
                         file.c_str());
        return 1;
    }
    zorakLibrary.script_buffer = zorakStrDup(contents);
    if (zorakSettings.preprocessor && preprocess(&zorakLibrary.script_buffer, 1, 0, 0) < 1 &&
        *zorakLibrary.script_buffer) {
        if (status) *status = 3;
        zorakReportError(&zorakLibrary.interp, "Zorak: Preprocessor error\n");
        zorakStrFree(&zorakLibrary.script_buffer);
        return 1;
    }
    int code = 0;
    if (*zorakLibrary.script_buffer) {
        // The buffer is released before its evaluation can replace it.
        HeapText script(zorakLibrary.script_buffer);
        zorakLibrary.script_buffer = nullptr;
        code = kuvetEval(&zorakLibrary.interp, script.get(), 0, 0);
    }
    zorakStrFree(&zorakLibrary.script_buffer);
    return code;
}

} // namespace

extern "C" {

ZORAK_API BSTR ZORAK_CALL zorak_ver(void) {
    ExportLock lock;
    try {
        return bstrOf(zorakBuildStamp());
    } catch (...) {
        reportFault("zorak_ver");
        return nullptr;
    }
}

ZORAK_API int ZORAK_CALL zorak_init(SAFEARRAY** args) {
    ExportLock lock;
    try {
        return initialise(args);
    } catch (...) {
        reportFault("zorak_init");
        return 0;
    }
}

ZORAK_API int ZORAK_CALL zorak_run_autoexec(int* status) {
    ExportLock lock;
    try {
        return runAutoexec(status);
    } catch (...) {
        reportFault("zorak_run_autoexec");
        return 1;
    }
}

ZORAK_API intptr_t ZORAK_CALL zorak_set_app_path(const char* path) {
    ExportLock lock;
    if (!path || !*path) return 1;
    try {
        // The app path holds at most 260 characters of the path given.
        std::string value(path, strnlen(path, 260));
        size_t n = value.size();
        bool ends = value.back() == '\\' || value.back() == '/' || (n == 2 && value[1] == ':');
        if (!ends) value += platformPathSeparator();
        zorakLibrary.app_path = value;
        return reinterpret_cast<intptr_t>(zorakLibrary.app_path.c_str());
    } catch (...) {
        reportFault("zorak_set_app_path");
        return 1;
    }
}

ZORAK_API char* ZORAK_CALL zorak_get_script(void) {
    ExportLock lock;
    return zorakLibrary.script_buffer;
}

ZORAK_API BSTR ZORAK_CALL zorak_load_script(const char* path, const char*, int) {
    ExportLock lock;
    try {
        if (!ensureInitialised()) return emptyBstr();
        if (!path || !*path) {
            if (!zorakLibrary.script_buffer || !*zorakLibrary.script_buffer) return emptyBstr();
            zorakLibrary.last_code = 0;
            return bstrOf(zorakLibrary.script_buffer);
        }
        zorakStrFree(&zorakLibrary.script_buffer);
        std::string contents;
        bool complete = false;
        if (!readWholeFile(path, &contents, &complete) || contents.empty()) return emptyBstr();
        std::string zero = zorakZeroBytePlace(contents);
        if (!zero.empty()) {
            zorakReportError(&zorakLibrary.interp, "zorak_load_script: Zero byte at %s of '%s'\n",
                             zero.c_str(), path);
            zorakLibrary.last_code = 1;
            return emptyBstr();
        }
        zorakLibrary.script_buffer = zorakStrDup(contents);
        zorakLibrary.last_code = 0;
        return bstrOf(zorakLibrary.script_buffer);
    } catch (...) {
        reportFault("zorak_load_script");
        return emptyBstr();
    }
}

ZORAK_API int ZORAK_CALL zorak_eval(int argc, char** argv, void* private_data, int run_autoexec) {
    ExportLock lock;
    try {
        if (!ensureInitialised()) return 1;
        Interpreter* interp = &zorakLibrary.interp;
        setScriptName(interp);
        if (run_autoexec) runAutoexec(nullptr);
        int code = 1;
        if (argc > 0 && argv) code = zorakCommandEval(interp, argc, argv, private_data);
        zorakLibrary.last_code = code;
        return code;
    } catch (...) {
        reportFault("zorak_eval");
        zorakLibrary.last_code = 1;
        return 1;
    }
}

ZORAK_API BSTR ZORAK_CALL zorak_command(const char* script, int breakpoints, int stack_trace,
                                        int run_autoexec, int* code) {
    ExportLock lock;
    zorakLibrary.last_code = 1;
    if (code) *code = 1;
    try {
        if (!OpenConsole(0)) return nullptr;
        if (!ensureInitialised()) return emptyBstr();
        Interpreter* interp = &zorakLibrary.interp;
        setScriptName(interp);
        if (run_autoexec) runAutoexec(nullptr);
        if (stack_trace) zorakSettings.stacktrace = 1;
        if (breakpoints) {
            zorakSettings.breakpoint = 1;
            zorakSettings.stacktrace = 1;
        }
        if (!script || !*script) return emptyBstr();
        HeapText copy(zorakStrDup(script));
        if (zorakSettings.preprocessor) {
            if (preprocess(copy.out(), 1, 0, 0) < 1) return emptyBstr();
            copy.reset(convert_radix_literals(copy.get()));
        }
        int result = kuvetEval(interp, copy.get(), 0, 0);
        copy.reset();
        if (code) *code = result;
        zorakLibrary.last_code = result;
        platformFlushOut();
        return bstrOf(interp->result);
    } catch (...) {
        reportFault("zorak_command");
        return emptyBstr();
    }
}

ZORAK_API int ZORAK_CALL zorak_exit(void) {
    ExportLock lock;
    try {
        if (zorakLibrary.initialised && zorakLibrary.last_code != 1)
            zorakLibrary.last_code = zorakRunAtExit(&zorakLibrary.interp);
        platformReleaseNetworkInfo();
        platformNetworkCleanup();
        reset_attribute();
        if (zorakLibrary.initialised) zorakReleaseInterp(&zorakLibrary.interp);
        zorakChannelCloseAll();
        zorakLibrary.initialised = 0;
        platformFlushOut();
        return 0;
    } catch (...) {
        reportFault("zorak_exit");
        zorakLibrary.initialised = 0;
        return 0;
    }
}
}

std::recursive_mutex& zorakLibraryMutex() {
    // Made on first use, so that no export meets it unconstructed, and never
    // destroyed, so that an export called during the process's exit finds it.
    static std::recursive_mutex* mutex = new std::recursive_mutex;
    return *mutex;
}
