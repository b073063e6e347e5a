// The lib command: loads plug-in libraries, registers the commands they
// export, and lists, describes, replaces and unloads them. A plug-in's
// commands run through one guard that keeps its module loaded while they
// run and turns a thrown exception or a completion code the interpreter
// does not know into an error.
#include "lib/lib.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/text.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

LibModuleTable zorakLibModules;

namespace {

// Paths are built in a buffer of this size and truncated silently.
constexpr size_t kMaxLibraryPath = 260;

struct LibOptions {
    bool list = false;
    bool nocomplain = false;
    bool verbose = false;
    bool unload = false;
    bool replace = false;
    bool info = false;
    bool modules = false;
    bool commands = false;
    bool description = false;
    bool loaded = false;
};

LibOptions parseOptions(int argc, char** argv) {
    LibOptions options;
    struct Row {
        const char* word;
        bool LibOptions::*flag;
    };
    static const Row rows[] = {
        {"-list", &LibOptions::list},
        {"-nocomplain", &LibOptions::nocomplain},
        {"-verbose", &LibOptions::verbose},
        {"-unload", &LibOptions::unload},
        {"-replace", &LibOptions::replace},
        {"-info", &LibOptions::info},
        {"-modules", &LibOptions::modules},
        {"-commands", &LibOptions::commands},
        {"-description", &LibOptions::description},
        {"-loaded", &LibOptions::loaded},
    };
    for (int i = 1; i < argc; i++)
        for (const Row& row : rows)
            if (zorakEqualNoCase(argv[i], row.word)) options.*row.flag = true;
    return options;
}

template <typename T> T exportOf(intptr_t handle, const char* name) {
    return reinterpret_cast<T>(platformLibrarySymbol(handle, name));
}

// The file name of a path without its directory and its extension.
std::string moduleNameOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = base.rfind('.');
    return dot == std::string::npos ? base : base.substr(0, dot);
}

// A bare file name lies in the application directory; a path is taken as
// written, with each doubled backslash made one. Without an extension the
// system's library extension is added.
std::string libraryPath(const char* argument) {
    std::string path;
    if (!std::strpbrk(argument, "\\/:")) {
        path = zorakLibrary.app_path + argument;
    } else {
        for (const char* p = argument; *p; p++) {
            path += *p;
            if (p[0] == '\\' && p[1] == '\\') p++;
        }
    }
    if (path.size() >= kMaxLibraryPath) path.resize(kMaxLibraryPath - 1);
    size_t slash = path.find_last_of("\\/:");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        path += platformLibraryExtension();
        if (path.size() >= kMaxLibraryPath) path.resize(kMaxLibraryPath - 1);
    }
    return path;
}

LibModule* findModule(const std::string& name) {
    for (auto& module : zorakLibModules.modules)
        if (zorakEqualNoCase(module->name, name)) return module.get();
    return nullptr;
}

void dropModule(LibModule* module) {
    auto& modules = zorakLibModules.modules;
    for (auto it = modules.begin(); it != modules.end(); ++it)
        if (it->get() == module) {
            modules.erase(it);
            return;
        }
}

// Every call of a plug-in command passes through here.
int runPluginCommand(Interpreter* interp, int argc, char** argv, void* data) {
    auto* command = static_cast<PluginCommand*>(data);
    LibModule* module = command->module;
    int code;
    module->active++;
    try {
        code = command->function(interp, argc, argv, nullptr);
    } catch (...) {
        module->active--;
        zorakReportError(interp, "%s: Exception in plug-in command (module '%s')\n", argv[0],
                         module->name.c_str());
        return ERROR;
    }
    module->active--;
    if (code < OK || code > DEFINED) {
        zorakReportError(interp, "%s: Plug-in command returned unknown code %i (module '%s')\n",
                         argv[0], code, module->name.c_str());
        return ERROR;
    }
    return code;
}

// The private data that module's commands implemented by function carry.
PluginCommand* commandRecord(LibModule* module, CommandHandler function) {
    for (auto& record : module->commands)
        if (record->function == function) return record.get();
    module->commands.push_back(std::make_unique<PluginCommand>(PluginCommand{module, function}));
    return module->commands.back().get();
}

// Removes every command (aliases and renamed ones included) whose private
// data is record, or any record of module when record is null.
void removeCommands(Interpreter* interp, LibModule* module, PluginCommand* record) {
    std::vector<std::string> names;
    for (int i = 0; i < interp->command_count; i++) {
        const Command& cmd = interp->commands[i];
        if (cmd.handler != runPluginCommand) continue;
        auto* data = static_cast<PluginCommand*>(cmd.private_data);
        if (record ? data == record : data->module == module) names.emplace_back(cmd.name);
    }
    for (const std::string& name : names)
        zorakUnregisterCommand(interp, name.c_str());
}

// The names of a command list, or empty when it has none.
std::string joinNames(const char** names, int count) {
    std::string out;
    for (int i = 0; names && i < count && names[i]; i++) {
        if (!out.empty()) out += ' ';
        out += names[i];
    }
    return out;
}

std::string hexHandle(intptr_t handle) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%lx",
                  static_cast<unsigned long>(static_cast<uintptr_t>(handle)));
    return buffer;
}

// The exports the loader looks up.
struct PluginExports {
    ZorakGetListExport functionList = nullptr;
    ZorakGetListExport commandList = nullptr;
    ZorakGetCountExport exportCount = nullptr;
    ZorakGetVersionExport version = nullptr;
    ZorakGetTextExport date = nullptr;
    ZorakExportRoutinesExport routines = nullptr;

    explicit PluginExports(intptr_t handle) {
        functionList = exportOf<ZorakGetListExport>(handle, "_get_function_list");
        commandList = exportOf<ZorakGetListExport>(handle, "_get_command_list");
        exportCount = exportOf<ZorakGetCountExport>(handle, "_get_export_count");
        version = exportOf<ZorakGetVersionExport>(handle, "_get_dll_version");
        date = exportOf<ZorakGetTextExport>(handle, "_get_dll_date");
        routines = exportOf<ZorakExportRoutinesExport>(handle, "_export_common_routines");
    }
    bool hasLists() const { return functionList && commandList && exportCount; }
};

// One call of lib on a module.
class LibCall {
  public:
    LibCall(Interpreter* interp, char** argv, const LibOptions& options)
        : interp_(interp), self_(argv[0]), options_(options), path_(libraryPath(argv[1])),
          name_(moduleNameOf(path_)), module_(findModule(name_)),
          progress_(options.verbose || zorakSettings.debug) {}
    int run();

  private:
    bool complain() const { return !options_.nocomplain; }
    int listCommands();
    int describe();
    int load();
    int registerAll(const PluginExports& exports);
    void release();
    int finish(const PluginExports& exports);

    Interpreter* interp_;
    const char* self_;
    const LibOptions& options_;
    std::string path_;
    std::string name_;
    LibModule* module_;
    bool progress_;
    bool loadedHere_ = false;
    long processed_ = 0;
    std::string listing_;
};

int LibCall::run() {
    if (module_ && options_.verbose && !options_.unload)
        console_printf("lib: Module %s already loaded\n", name_.c_str());
    if (options_.commands) return listCommands();
    if (options_.info) return describe();
    if (!options_.unload && !options_.replace && module_) {
        if (options_.description) {
            auto comment = exportOf<ZorakGetTextExport>(module_->handle, "_get_dll_comment");
            const char* text = comment ? comment() : nullptr;
            zorakSetResult(interp_, text ? text : "", 0);
            return OK;
        }
        if (complain()) {
            zorakReportError(interp_, "%s: Library '%s' already loaded\n", self_, name_.c_str());
            return ERROR;
        }
        zorakSetResult(interp_, options_.list ? "{}" : "0", 0);
        return OK;
    }
    if (module_ && module_->active > 0) {
        // Releasing or reloading the library would pull its code from under
        // the command that is running.
        zorakReportError(interp_, "%s: Module '%s' is in use by a running command\n", self_,
                         name_.c_str());
        return ERROR;
    }
    if (!module_) {
        int code = load();
        if (code != OK) return code;
    }
    PluginExports exports(module_->handle);
    if (!exports.hasLists() && loadedHere_ && !options_.unload) {
        // Not a plug-in: keep nothing of it.
        if (complain())
            zorakReportError(interp_, "%s: Failed to link to exports in '%s'\n", self_,
                             path_.c_str());
        release();
        return ERROR;
    }
    if (!options_.unload) {
        auto init = exportOf<ZorakLibInitExport>(module_->handle, "_lib_init");
        if (init) init();
    }
    int code = registerAll(exports);
    if (code != OK) return code;
    return finish(exports);
}

int LibCall::listCommands() {
    if (!module_) {
        zorakReportError(interp_, "%s: Module '%s' is not loaded\n", self_, name_.c_str());
        return ERROR;
    }
    PluginExports exports(module_->handle);
    const char** names =
        exports.commandList && exports.exportCount ? exports.commandList() : nullptr;
    if (names) {
        zorakSetResult(interp_, joinNames(names, exports.exportCount()).c_str(), 0);
        return OK;
    }
    if (!complain()) return OK;
    zorakReportError(interp_, "%s: Failed to link to exports in '%s'\n", self_, name_.c_str());
    return ERROR;
}

int LibCall::describe() {
    if (!module_) {
        zorakReportError(interp_, "%s: Module '%s' is not loaded\n", self_, name_.c_str());
        return ERROR;
    }
    PluginExports exports(module_->handle);
    if (!exports.version || !exports.date) return ERROR;
    // The date is the plug-in's text of any length, so no fixed buffer.
    char version[32];
    std::snprintf(version, sizeof version, "%.2f ", exports.version() * 0.01);
    const char* date = exports.date();
    std::string text = version + std::string(date ? date : "") + " " + hexHandle(module_->handle);
    zorakSetResult(interp_, text.c_str(), 0);
    return OK;
}

int LibCall::load() {
    std::string reason;
    intptr_t handle = platformLibraryOpen(path_.c_str(), &reason);
    if (!handle) {
        zorakReportError(interp_, "%s: Failed to link to library %s\n", self_, path_.c_str());
        return ERROR;
    }
    if (static_cast<uintptr_t>(handle) <= 32) {
        // Not a handle the system gives a loaded library: nothing to keep.
        if (complain()) {
            if (options_.unload)
                zorakReportError(interp_, "%s: Can't find or unload library '%s'\n", self_,
                                 path_.c_str());
            else
                zorakReportError(interp_, "%s: Can't load library '%s' (Bad handle %s)\n", self_,
                                 path_.c_str(), hexHandle(handle).c_str());
        }
        return ERROR;
    }
    auto module = std::make_unique<LibModule>();
    module->name = name_;
    module->handle = handle;
    module_ = module.get();
    zorakLibModules.modules.push_back(std::move(module));
    loadedHere_ = true;
    return OK;
}

int LibCall::registerAll(const PluginExports& exports) {
    if (!exports.hasLists()) return OK;
    const char** commands = exports.commandList();
    const char** functions = exports.functionList();
    if (!commands || !functions) {
        if (complain()) zorakReportError(interp_, "%s: No exported functions found\n", self_);
        if (loadedHere_ && !options_.unload) {
            // A plug-in with nothing to offer is not kept either.
            release();
            return ERROR;
        }
        return OK;
    }
    int count = exports.exportCount();
    // A null entry ends both lists, whatever the count says.
    for (int i = 0; i < count && commands[i] && functions[i]; i++) {
        auto function = exportOf<CommandHandler>(module_->handle, functions[i]);
        if (!function) {
            if (complain())
                zorakReportError(interp_, "%s: No exported DLL function '%s' in library %s\n",
                                 self_, functions[i], path_.c_str());
            continue;
        }
        PluginCommand* record = commandRecord(module_, function);
        if (options_.unload) {
            removeCommands(interp_, module_, record);
            processed_++;
            continue;
        }
        if (options_.replace) zorakUnregisterCommand(interp_, commands[i]);
        int answer = zorakRegisterCommand(interp_, commands[i], runPluginCommand, record, 0);
        if (answer == DEFINED) {
            if (complain())
                zorakReportError(interp_, "lib: Command '%s' already defined\n", commands[i]);
        } else if (answer != 0) {
            if (complain())
                zorakReportError(interp_, "%s: Failed to register command '%s' -> '%s'\n", self_,
                                 commands[i], functions[i]);
        } else {
            if (progress_) console_printf("%s: Loaded command '%s'\n", self_, commands[i]);
            if (options_.list) listing_ += std::string(commands[i]) + " ";
            processed_++;
        }
    }
    return OK;
}

// Takes the module's commands out of the table, runs its clean-up hook,
// releases the library and drops its entry.
void LibCall::release() {
    removeCommands(interp_, module_, nullptr);
    auto cleanup = exportOf<ZorakLibCleanupExport>(module_->handle, "_lib_cleanup");
    if (cleanup) cleanup(0);
    platformLibraryClose(module_->handle);
    dropModule(module_);
    module_ = nullptr;
}

int LibCall::finish(const PluginExports& exports) {
    if (options_.unload) release();
    if (options_.list && !options_.unload) {
        while (!listing_.empty() && listing_.back() == ' ')
            listing_.pop_back();
        zorakSetResult(interp_, listing_.empty() ? "{}" : listing_.c_str(), 0);
    } else {
        if (progress_) {
            if (options_.unload)
                console_printf("%s: Unloaded '%s'\n", self_, path_.c_str());
            else
                console_printf("%s: Loaded %s - %li command(s)'\n", self_, path_.c_str(),
                               processed_);
        }
        zorakSetResult(interp_, std::to_string(processed_).c_str(), 0);
    }
    if (options_.unload || !exports.routines) return OK;
    int accepted = zorakLibExportRoutines(exports.routines);
    if (accepted == ZORAK_ROUTINE_COUNT) return OK;
    // A plug-in built for other routines would call them wrongly: none of
    // it stays.
    release();
    zorakSetResult(interp_, "", 0);
    zorakReportError(interp_,
                     "lib: Error exporting common functions for '%s'. Check library version "
                     "(%li export(s))\n",
                     name_.c_str(), static_cast<long>(accepted));
    return ERROR;
}

int zorakCommandLib(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    LibOptions options = parseOptions(argc, argv);
    if (options.loaded && argc >= 3) {
        const char* name = zorakEqualNoCase(argv[1], "-loaded") ? argv[2] : argv[1];
        bool found = findModule(name) || findModule(moduleNameOf(name));
        zorakSetResult(interp, found ? "1" : "0", 0);
        return OK;
    }
    if (options.modules) {
        std::string names;
        for (auto& module : zorakLibModules.modules) {
            if (module->name.empty()) continue;
            if (!names.empty()) names += ' ';
            names += module->name;
        }
        zorakSetResult(interp, names.empty() ? "{}" : names.c_str(), 0);
        return OK;
    }
    return LibCall(interp, argv, options).run();
}

} // namespace

void zorakRegisterLibCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "lib", zorakCommandLib, nullptr, 0);
}
