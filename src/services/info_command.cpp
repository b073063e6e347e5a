// info: questions about the running interpreter (commands, procedures,
// variables, call levels, the script) and about the machine (version,
// memory, disks, monitors, adapters, privileges). With one word after it
// info answers the single-word questions; with more, the ones that take
// arguments; alone, a short summary.
#include "services/info_commands.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "services/os_version.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/hash_table.h"
#include "vars/procedures.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool is(const char* word, const char* name) {
    return zorakEqualNoCase(word, name);
}

int setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

int setEscaped(Interpreter* interp, const std::string& text) {
    HeapText escaped(zorakEscapeScriptText(text));
    return setText(interp, escaped.get() ? escaped.get() : "");
}

int setNumber(Interpreter* interp, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return setText(interp, text);
}

// Runs a shared handler with info's words shifted by one.
int shifted(Interpreter* interp, CommandHandler handler, int argc, char** argv) {
    return handler(interp, argc - 1, argv + 1, nullptr);
}

int currentLevel(Interpreter* interp) {
    return interp->callframe ? interp->callframe->level : 0;
}

std::string globalText(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeGlobal);
    return var && var->value ? var->value : "";
}

// ---------------------------------------------------------------- variables

// The names of a frame's variables, sorted ignoring case; the pattern and
// the options come from the words after the subcommand.
int listVariables(Interpreter* interp, int argc, char** argv, bool global) {
    const char* pattern = "*";
    bool nocase = false, constOnly = false;
    // The first word is the pattern unless it is an option.
    for (int i = 2; i < argc; i++) {
        if (i == 2 && argv[i][0] != '-') pattern = argv[i];
        if (is(argv[i], "-nocase")) nocase = true;
        if (is(argv[i], "-const")) constOnly = true;
    }
    CallFrame* frame = global ? frame_at_level(interp, 0) : interp->callframe;
    std::vector<std::string> names;
    for (Var* var = frame ? frame->vars : nullptr; var; var = var->next) {
        const char* name = var->name ? var->name : "";
        if (constOnly && !var->is_constant) continue;
        if (!zorakWildcardMatch(pattern, name, nocase)) continue;
        names.emplace_back(name);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return zorakCompareNoCase(a, b) < 0;
    });
    std::string list;
    for (const std::string& name : names)
        zorakListAppendWord(&list, name);
    return setText(interp, list);
}

int existsVariable(Interpreter* interp, int argc, char** argv) {
    return shifted(interp, zorakCommandIsSet, argc, argv);
}

// Elements of an array whose values are set and do not begin with "/".
int argCount(Interpreter* interp, char** argv) {
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var || var->type != VT_ARRAY) {
        zorakReportError(interp, "%s: '%s' is not an array\n", argv[0], argv[2]);
        return ERROR;
    }
    if (!var->table) {
        zorakReportError(interp, "%s: Array '%s' does not exist\n", argv[0], argv[2]);
        return ERROR;
    }
    long long count = 0;
    const hash_table* table = var->table;
    hash_node** buckets = table->buckets();
    for (int32_t i = 0; buckets && i < table->table_size; i++)
        for (hash_node* n = buckets[i]; n; n = n->next)
            if (n->value && n->value[0] != '/') count++;
    return setNumber(interp, count);
}

// ---------------------------------------------------------------- procedures

// The procedure record behind a command name, or null after a report.
// Only procedure commands carry one: a plug-in's private data is its own.
const ProcRecord* procRecord(Interpreter* interp, const char* name, bool* exists) {
    Command* cmd = zorakGetCommand(interp, name);
    *exists = cmd != nullptr;
    if (!cmd) {
        zorakReportError(interp, "proc '%s' not defined\n", name);
        return nullptr;
    }
    if (!cmd->is_proc || !cmd->private_data) {
        zorakReportError(interp, "proc '%s' data is empty\n", name);
        return nullptr;
    }
    return static_cast<const ProcRecord*>(cmd->private_data);
}

int procArgs(Interpreter* interp, char** argv) {
    bool exists = false;
    const ProcRecord* record = procRecord(interp, argv[2], &exists);
    if (!record) return ERROR;
    std::string list;
    for (int i = 0; i < record->formal_count; i++)
        zorakListAppendWord(&list, record->formals[i].name ? record->formals[i].name : "");
    return setText(interp, list);
}

int procBody(Interpreter* interp, char** argv) {
    bool exists = false;
    const ProcRecord* record = procRecord(interp, argv[2], &exists);
    if (!record) return ERROR;
    return setText(interp, record->body ? record->body : "");
}

int procDefault(Interpreter* interp, int argc, char** argv) {
    if (argc != 5) return zorakWrongArgs(interp, argc, argv);
    Command* cmd = zorakGetCommand(interp, argv[2]);
    if (cmd && (!cmd->is_proc || !cmd->private_data)) return setText(interp, "0");
    bool exists = false;
    const ProcRecord* record = procRecord(interp, argv[2], &exists);
    if (!record) return ERROR;
    const char* value = nullptr;
    for (int i = 0; i < record->formal_count && !value; i++) {
        const FormalArg& formal = record->formals[i];
        if (formal.word_count == 2 && formal.name && std::strcmp(formal.name, argv[3]) == 0)
            value = formal.default_value ? formal.default_value : "";
    }
    // The default is copied first: the assignment may run a trace that
    // redefines the procedure. It is assigned as set would, so a constant
    // or an array is refused instead of overwritten.
    std::string text = value ? value : "";
    if (set_value(interp, argv[4], text.c_str(), 0) != OK) {
        zorakReportError(interp, "%s %s: Failed to set '%s'\n", argv[0], argv[1], argv[4]);
        return ERROR;
    }
    return setText(interp, value ? "1" : "0");
}

// ---------------------------------------------------------------- levels

// The words of the command that created level n (0 or below: relative to
// the current level).
int levelWords(Interpreter* interp, char** argv) {
    int64_t n = zorakLeadingInt(argv[2]);
    if (n <= 0) n += currentLevel(interp);
    int64_t target = n - 1 > 0 ? n - 1 : 0;
    if (target > currentLevel(interp)) {
        zorakReportError(interp, "%s %s: Invalid callframe reference %lld\n", argv[0], argv[1],
                         static_cast<long long>(n));
        return ERROR;
    }
    CallFrame* frame = interp->callframe;
    while (frame && frame->level > target)
        frame = frame->parent;
    std::string words;
    if (frame && frame->level == target && frame->argv)
        words = zorakBuildList(frame->argc, frame->argv);
    if (words.empty()) {
        zorakReportError(interp, "%s %s: Failed to locate level %s\n", argv[0], argv[1], argv[2]);
        return ERROR;
    }
    return setText(interp, words);
}

// ---------------------------------------------------------------- machine

int versionText(Interpreter* interp, int argc, char** argv) {
    VersionTextForm form;
    for (int i = 2; i < argc; i++) {
        if (is(argv[i], "-list")) form.list = true;
        if (is(argv[i], "-vernum")) form.vernum = true;
        if (is(argv[i], "-truever")) form.true_ver = true;
    }
    return setText(interp, zorakOsVersionText(form));
}

// The memory figures: memtotal, memavail, memtotalpage ... and mempercentfree.
int memoryFigure(Interpreter* interp, char** argv) {
    PlatformMemoryStatus status;
    if (!platformMemoryStatus(&status)) {
        zorakReportError(interp, "%s %s: Memory status not available\n", argv[0], argv[1]);
        return ERROR;
    }
    const char* word = argv[1];
    if (is(word, "mempercentfree")) {
        double percent = status.total_phys ? static_cast<double>(status.avail_phys) /
                                                 static_cast<double>(status.total_phys) * 100.0
                                           : 0.0;
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", percent);
        return setText(interp, text);
    }
    struct Figure {
        const char* name;
        uint64_t value;
    };
    const Figure figures[] = {
        {"memtotal", status.total_phys},           {"memavail", status.avail_phys},
        {"memtotalpage", status.total_page},       {"memavailpage", status.avail_page},
        {"memtotalvirtual", status.total_virtual}, {"memavailvirtual", status.avail_virtual}};
    for (const Figure& figure : figures) {
        if (!is(word, figure.name)) continue;
        HeapText text(zorakFormatUnsigned(figure.value));
        return setText(interp, text.get());
    }
    zorakReportError(interp, "%s: Unknown argument '%s'\n", argv[0], word);
    return ERROR;
}

int diskList(Interpreter* interp) {
    std::string list;
    for (const std::string& disk : platformDisks())
        zorakListAppendWord(&list, disk);
    return setText(interp, list.empty() ? "{}" : list);
}

int diskSize(Interpreter* interp, char** argv) {
    uint64_t size = 0;
    if (!platformDiskSize(argv[2], &size)) {
        zorakReportError(interp, "%s %s: Can't read drive '%s'\n", argv[0], argv[1], argv[2]);
        return ERROR;
    }
    return setNumber(interp, static_cast<long long>(size));
}

int newGuid(Interpreter* interp, char** argv) {
    PlatformGuid guid;
    if (!platformNewGuid(&guid)) {
        zorakReportError(interp, "%s %s: Failed to create a GUID\n", argv[0], argv[1]);
        return ERROR;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0],
                  guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                  guid.data4[6], guid.data4[7]);
    return setText(interp, text);
}

// ---------------------------------------------------------------- script

// The directory of the script being run, made a full path first.
int scriptPath(Interpreter* interp) {
    std::string path;
    const std::string& name = zorakLibrary.script_name;
    if (name.empty() || !platformFullPathName(name.c_str(), &path)) return setText(interp, "{}");
    size_t cut = path.find_last_of(platformPathSeparator() == '/' ? "/" : "\\/");
    if (cut == std::string::npos) return setText(interp, "{}");
    // The root directory keeps its separator.
    return setEscaped(interp, path.substr(0, cut == 0 || path[cut - 1] == ':' ? cut + 1 : cut));
}

// The plug-in folder: "lib" in the application directory.
int libFolder(Interpreter* interp) {
    std::string directory = zorakLibrary.app_path;
    char separator = platformPathSeparator();
    std::string exe;
    // Until a host names the application directory, the program's own is.
    if (directory.empty() && platformExecutablePath(&exe))
        directory = exe.substr(0, exe.find_last_of(separator == '/' ? "/" : "\\/") + 1);
    if (!directory.empty() && directory.back() != separator) directory += separator;
    if (directory.empty()) directory += separator;
    return setEscaped(interp, directory + "lib");
}

// ---------------------------------------------------------------- forms

int summary(Interpreter* interp) {
    std::string text = "Tcl Version\t1.26\r\n";
    std::string version = zorakOsVersionText(VersionTextForm{});
    // Another system is introduced by its own name, not as Windows.
    PlatformOsVersion os;
    bool windows = !platformOsVersion(&os) || os.product.empty();
    if (!version.empty()) text += (windows ? "Windows:\t" : "System:\t") + version + "\r\n";
    Var* exe = zorakGetVar(interp, "exe_name", kScopeGlobal);
    if (exe && exe->value && *exe->value) {
        HeapText plain(zorakStrDup(exe->value));
        zorakUnescape(plain.get());
        text += std::string("Executable:\t") + plain.get() + "\r\n";
    }
    char commands[48];
    std::snprintf(commands, sizeof commands, "Commands:\t%lu\r\n",
                  static_cast<unsigned long>(interp->command_counter));
    return setText(interp, text + commands);
}

int unknownWord(Interpreter* interp, char** argv) {
    zorakReportError(interp, "%s: Unknown argument '%s'\n", argv[0], argv[1]);
    return ERROR;
}

// info WORD.
int singleWord(Interpreter* interp, int argc, char** argv) {
    const char* word = argv[1];
    if (is(word, "commands")) return shifted(interp, zorakCommandCommands, argc, argv);
    if (is(word, "procs")) return shifted(interp, zorakCommandProcs, argc, argv);
    if (is(word, "functions")) return shifted(interp, zorakCommandFunctions, argc, argv);
    if (is(word, "is_elevated")) return shifted(interp, zorakCommandIsElevated, argc, argv);
    if (is(word, "username")) return shifted(interp, zorakCommandUsername, argc, argv);
    if (is(word, "hostname") || is(word, "adapter_count"))
        return shifted(interp, zorakCommandHostname, argc, argv);
    if (is(word, "disks")) return diskList(interp);
    if (is(word, "executablename") || is(word, "nameofexecutable"))
        return setText(interp, globalText(interp, "exe_name"));
    if (is(word, "vars") || is(word, "locals")) return listVariables(interp, argc, argv, false);
    if (is(word, "globals")) return listVariables(interp, argc, argv, true);
    if (is(word, "patchlevel")) return setText(interp, "0");
    if (is(word, "cmdcount")) return setNumber(interp, interp->command_counter);
    if (is(word, "frame") || is(word, "level")) return setNumber(interp, currentLevel(interp));
    if (is(word, "is_networked")) return setText(interp, platformIsNetworked() ? "1" : "0");
    if (is(word, "lib")) return libFolder(interp);
    if (is(word, "winver")) return versionText(interp, argc, argv);
    if (is(word, "script")) return setEscaped(interp, zorakLibrary.script_name);
    if (is(word, "scriptpath")) return scriptPath(interp);
    if (is(word, "tclversion")) return setText(interp, "1.26");
    if (zorakEqualNoCase(std::string_view(word).substr(0, std::min<size_t>(3, std::strlen(word))),
                         "mem"))
        return memoryFigure(interp, argv);
    if (is(word, "monitorcount")) return setNumber(interp, platformMonitorCount());
    if (is(word, "procname")) {
        CallFrame* frame = interp->callframe;
        return setText(interp, frame && frame->proc_name ? frame->proc_name : "");
    }
    if (is(word, "guid")) return newGuid(interp, argv);
    if (is(word, "args")) return zorakWrongArgs(interp, argc, argv);
    if (is(word, "is_dll")) return setText(interp, "1");
    return unknownWord(interp, argv);
}

// info WORD ARG ...
int withArguments(Interpreter* interp, int argc, char** argv) {
    const char* word = argv[1];
    if (is(word, "exists")) return existsVariable(interp, argc, argv);
    if (is(word, "procs")) return shifted(interp, zorakCommandProcs, argc, argv);
    if (is(word, "commands")) return shifted(interp, zorakCommandCommands, argc, argv);
    if (is(word, "argcount")) return argCount(interp, argv);
    if (is(word, "winver")) return versionText(interp, argc, argv);
    if (is(word, "default")) return procDefault(interp, argc, argv);
    if (is(word, "vars") || is(word, "locals")) return listVariables(interp, argc, argv, false);
    if (is(word, "globals")) return listVariables(interp, argc, argv, true);
    if (is(word, "args")) return procArgs(interp, argv);
    if (is(word, "body")) return procBody(interp, argv);
    if (is(word, "disksize")) return diskSize(interp, argv);
    if (is(word, "disktype")) return setNumber(interp, platformDiskType(argv[2]));
    if (is(word, "frame")) return setNumber(interp, currentLevel(interp));
    if (is(word, "level")) return levelWords(interp, argv);
    if (zorakIsAdapterWord(word)) {
        if (argc > 3) return zorakWrongArgs(interp, argc, argv);
        return zorakAdapterQuery(interp, argv[0], word, argv[2]);
    }
    return unknownWord(interp, argv);
}

} // namespace

int zorakCommandInfo(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return summary(interp);
    if (argc == 2) return singleWord(interp, argc, argv);
    return withArguments(interp, argc, argv);
}

void zorakRegisterInfoCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "info", zorakCommandInfo, nullptr, 0);
    zorakRegisterIdentityCommands(interp);
}
