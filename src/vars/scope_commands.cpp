// The scope commands: uplevel runs a script in an outer frame; upvar,
// global and static make aliases, records in the current frame that stand
// for a variable (or one array element) of an outer frame.
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/procedures.h"
#include "vars/scope_aliases.h"
#include "vars/variables.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

int currentLevel(Interpreter* interp) {
    return interp->callframe ? interp->callframe->level : 0;
}

// A level as a frame level: never below 0, never past what an int holds.
int clampLevel(int64_t level) {
    if (level < 0) return 0;
    return level > INT32_MAX ? INT32_MAX : static_cast<int>(level);
}

// The level a level word names: "@N" is absolute, any other word counts
// back from the current level.
int levelOf(Interpreter* interp, const char* word) {
    if (word[0] == '@') return clampLevel(zorakLeadingInt(word + 1));
    int64_t back = zorakLeadingInt(word);
    if (back < -(int64_t{1} << 40)) back = -(int64_t{1} << 40);
    return clampLevel(currentLevel(interp) - back);
}

// The frame of exactly this level on the way from the current frame to the
// global frame, or null.
CallFrame* frameOfLevel(Interpreter* interp, int level) {
    CallFrame* frame = interp->callframe;
    while (frame && frame->level > level)
        frame = frame->parent;
    return frame && frame->level == level ? frame : nullptr;
}

// Makes a frame current for a while; the previous one comes back however
// the while ends.
class CurrentFrame {
  public:
    CurrentFrame(Interpreter* interp, CallFrame* frame)
        : interp_(interp), saved_(interp->callframe) {
        interp_->callframe = frame;
    }
    ~CurrentFrame() { interp_->callframe = saved_; }
    CurrentFrame(const CurrentFrame&) = delete;
    CurrentFrame& operator=(const CurrentFrame&) = delete;

  private:
    Interpreter* interp_;
    CallFrame* saved_;
};

std::string withoutGlobalPrefix(const std::string& name) {
    return name.compare(0, 2, "::") == 0 ? name.substr(2) : name;
}

struct UpvarRequest {
    const char* command;
    const char* word1;
    int target = 0;
    std::string other;
    std::string mine;
    // The level number as given, for messages; 1 when none was given.
    long given = 1;
    bool nocomplain = false;
};

// Reads the words of upvar. False when there is no variable word.
bool readUpvar(Interpreter* interp, int argc, char** argv, UpvarRequest* r) {
    int counted = 0;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocomplain"))
            r->nocomplain = true;
        else if (argv[i][0] != '-')
            counted++;
    }
    if (counted == 0) return false;
    r->command = argv[0];
    r->word1 = argv[1];
    int back = clampLevel(currentLevel(interp) - 1);
    const char* first = argv[1];
    if (counted == 1) {
        r->other = first;
        r->target = back;
        if (r->other.compare(0, 2, "::") == 0) {
            r->other = r->other.substr(2);
            r->target = 0;
        }
        r->mine = r->other;
        return true;
    }
    bool levelFirst = first[0] == '@' || (first[0] >= '0' && first[0] <= '9');
    if (counted == 2 && !levelFirst) {
        r->other = first;
        r->mine = argv[2];
        r->target = back;
        if (r->other.compare(0, 2, "::") == 0) {
            r->other = r->other.substr(2);
            r->target = 0;
        }
        return true;
    }
    r->target = levelOf(interp, first);
    r->given = static_cast<long>(zorakLeadingInt(first[0] == '@' ? first + 1 : first));
    r->other = argv[2];
    r->mine = counted == 2 ? r->other : std::string(argv[3]);
    return true;
}

int aliasElement(Interpreter* interp, const UpvarRequest& r, size_t open) {
    size_t close = std::string::npos;
    int depth = 0;
    for (size_t i = open; i < r.other.size(); i++) {
        if (r.other[i] == '(')
            depth++;
        else if (r.other[i] == ')' && --depth == 0) {
            close = i;
            break;
        }
    }
    if (close == std::string::npos || close == open + 1) {
        zorakReportError(interp, "%s: Invalid array subscript '%s'\n", r.command, r.other.c_str());
        return ERROR;
    }
    std::string subscript = r.other.substr(open + 1, close - open - 1);
    std::string array = withoutGlobalPrefix(r.other.substr(0, open));
    CallFrame* frame = frameOfLevel(interp, r.target);
    if (!frame) {
        zorakReportError(interp, "%s: Error processing %s\n", r.command, r.word1);
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    {
        CurrentFrame there(interp, frame);
        const char* value = nullptr;
        if (!array_get_element(interp, array.c_str(), subscript.c_str(), &value, 0)) {
            std::string reference = array + "(" + subscript + ")";
            HeapText saved(zorakStrDup(interp->result));
            int code = set_value(interp, reference.c_str(), "", 0);
            zorakSetResult(interp, saved.get(), 0);
            if (code != OK) {
                zorakReportError(interp, "%s: Can't create new parent var '%s'\n", r.command,
                                 reference.c_str());
                return ERROR;
            }
        }
    }
    Var* owner = zorakFindVarInFrame(frame, array.c_str());
    const char* element = nullptr;
    if (!owner || owner->type != VT_ARRAY || !owner->table ||
        !owner->table->get(subscript.c_str(), &element)) {
        zorakReportError(interp, "%s: Variable '%s' not found (could not be created)\n", r.command,
                         r.word1);
        return ERROR;
    }
    const std::string& name = r.mine.find('(') == std::string::npos ? r.mine : array;
    Var* alias = zorakNewVar(interp->callframe, name.c_str(), element ? element : "");
    if (!alias) return ERROR;
    alias->size = static_cast<int32_t>(std::strlen(alias->value));
    alias->subscript = zorakStrDup(subscript);
    alias->parent = owner;
    alias->changed = 1;
    zorakAliasRegister(alias);
    return OK;
}

int aliasVariable(Interpreter* interp, const UpvarRequest& r) {
    int level = currentLevel(interp);
    if (zorakGetVar(interp, r.mine.c_str(), kScopeCurrent)) {
        zorakReportError(interp, "%s: '%s' already exists at level %i (check proc args)\n",
                         r.command, r.mine.c_str(), level);
        return ERROR;
    }
    if (r.other.compare(0, 2, "::") == 0 && r.target != 0) {
        zorakReportError(interp,
                         "%s: Conflict between requested level %i and global var prefix '%s'\n",
                         r.command, r.target, r.other.c_str());
        return ERROR;
    }
    CallFrame* frame = frameOfLevel(interp, r.target);
    if (!frame) {
        if (r.nocomplain) return OK;
        zorakReportError(interp, "%s: Variable '%s' not found at uplevel %i \n", r.command,
                         r.other.c_str(), static_cast<int>(r.given));
        return ERROR;
    }
    std::string name = withoutGlobalPrefix(r.other);
    Var* target = zorakFindVarInFrame(frame, name.c_str());
    if (!target && !(target = zorakNewVar(frame, name.c_str(), ""))) return ERROR;
    Var* alias = zorakNewVar(interp->callframe, r.mine.c_str(), target->value);
    if (!alias) return ERROR;
    alias->type = target->type;
    alias->is_pointer = target->is_pointer;
    alias->is_constant = target->is_constant;
    alias->is_protected = target->is_protected;
    alias->list = target->list;
    alias->table = target->table;
    alias->stack = target->stack;
    alias->size = target->size;
    alias->parent = target;
    alias->changed = 1;
    zorakAliasRegister(alias);
    return OK;
}

} // namespace

int zorakCommandUplevel(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2 && argc != 3) return zorakWrongArgs(interp, argc, argv);
    int target = argc == 3 ? levelOf(interp, argv[1]) : 0;
    CallFrame* frame = frameOfLevel(interp, target);
    if (!frame) {
        zorakReportError(interp, "%s: Callframe %i not found\n", argv[0], target);
        return ERROR;
    }
    CurrentFrame there(interp, frame);
    return kuvetEval(interp, argv[argc - 1], 0, 0);
}

int zorakCommandUpvar(Interpreter* interp, int argc, char** argv, void*) {
    UpvarRequest request;
    if (!readUpvar(interp, argc, argv, &request)) return zorakWrongArgs(interp, argc, argv);
    size_t open = request.other.find('(');
    if (open != std::string::npos) return aliasElement(interp, request, open);
    return aliasVariable(interp, request);
}

int zorakCommandGlobal(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    int last = argc;
    const char* initial = nullptr;
    if (argc >= 3 && zorakEqualNoCase(argv[argc - 2], "-value")) {
        initial = argv[argc - 1];
        last = argc - 2;
    }
    int code = OK;
    for (int i = 1; i < last; i++) {
        const char* name = argv[i];
        bool existed = zorakGetVar(interp, name, kScopeGlobal) != nullptr;
        const char* separator = nullptr;
        for (const char* p = std::strstr(name, "::"); p; p = std::strstr(p + 1, "::"))
            separator = p;
        std::string local = separator ? separator + 2 : name;
        std::string upvar = "upvar", level = "@0", other = name;
        char* words[] = {upvar.data(), level.data(), other.data(), local.data(), nullptr};
        code = zorakCommandUpvar(interp, 4, words, nullptr);
        if (code == OK && initial && *initial && !existed) set_var(interp, local.c_str(), initial);
    }
    if (code == OK) {
        zorakSetResult(interp, "1", 0);
        return OK;
    }
    zorakReportError(interp, "%s: %s setting variable '%s'\n", argv[0], "Error", argv[1]);
    zorakSetResult(interp, "0", 0);
    return code;
}

int zorakCommandStatic(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string name = argv[1];
    const char* procName = interp->callframe ? interp->callframe->proc_name : nullptr;
    std::string storage = procName ? std::string(procName) + "::" + name : name;
    bool existed = zorakGetVar(interp, storage.c_str(), kScopeGlobal) != nullptr;
    if (procName) {
        std::string upvar = "upvar", level = "@0";
        char* words[] = {upvar.data(), level.data(), storage.data(), name.data(), nullptr};
        zorakCommandUpvar(interp, 4, words, nullptr);
    }
    if (!existed) {
        set_value(interp, name.c_str(), "", 1);
        if (argc > 2) set_value(interp, name.c_str(), argv[2], 1);
    }
    return OK;
}
