// Procedures: proc builds a record from the argument list and the body,
// call_proc runs it in a fresh frame, and zorakDropCallFrame releases that
// frame again. return and level belong here too.
#include "vars/procedures.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

// The frame of the innermost procedure call in progress.
CallFrame* activeProcFrame = nullptr;

const char* const kCodeWords[] = {"ok",   "error", "return", "break",  "continue",
                                  "exit", "stop",  "goto",   "defined"};

void freeFormals(FormalArg* formals, int count) {
    if (!formals) return;
    for (int i = 0; i < count; i++) {
        std::free(formals[i].name);
        std::free(formals[i].default_value);
    }
    std::free(formals);
}

void freeRecord(ProcRecord* record) {
    if (!record) return;
    std::free(record->arglist_text);
    std::free(record->body);
    freeFormals(record->formals, record->formal_count);
    std::free(record);
}

// One pair of enclosing double quotes comes off a name or a default.
std::string unquote(const char* text) {
    size_t n = std::strlen(text);
    if (n >= 2 && text[0] == '"' && text[n - 1] == '"') return std::string(text + 1, n - 2);
    return text;
}

// The default of a formal as stored: empty forms give the empty string, any
// other text has its bracketed commands run now.
char* defaultValue(Interpreter* interp, const char* written) {
    std::string text = unquote(written);
    if (text.empty() || text == "{}" || text == "\"\"") return zorakStrDup("");
    std::string substituted;
    bool complete = zorakSubstCommands(interp, text.c_str(), &substituted);
    return zorakStrDup(complete && !substituted.empty() ? substituted : text);
}

// Fills the formals from the argument list. False (reported) when an
// element holds more than a name and a default.
bool buildFormals(Interpreter* interp, const char* command, const char* name, const char* arglist,
                  FormalArg** formals, int* count) {
    ScopedVector elements;
    int n = zorakSplitList(arglist, &elements.get());
    *count = n;
    *formals = n > 0
                   ? static_cast<FormalArg*>(std::calloc(static_cast<size_t>(n), sizeof(FormalArg)))
                   : nullptr;
    if (n > 0 && !*formals) throw std::bad_alloc();
    for (int i = 0; i < n; i++) {
        std::string element = elements->items[i];
        while (!element.empty() && (element.back() == ' ' || element.back() == '\t'))
            element.pop_back();
        ScopedVector items;
        int words = zorakSplitList(element, &items.get());
        if (words > 2) {
            zorakReportError(interp, "%s: Invalid argument '%s'\n", command, name);
            return false;
        }
        FormalArg& formal = (*formals)[i];
        formal.word_count = words;
        if (words == 0) continue;
        formal.name = zorakStrDup(unquote(items->items[0]));
        if (words == 2) formal.default_value = defaultValue(interp, items->items[1]);
    }
    return true;
}

// The words from first on, as the "args" formal receives them: joined by
// single spaces, a word holding a space or a tab in braces.
std::string joinArgs(int first, int argc, char** argv) {
    std::string out;
    for (int i = first; i < argc; i++)
        zorakListAppendBraced(&out, argv[i], i == first);
    return out;
}

// Keeps the procedure record alive and the active frame known while a call
// runs, however it ends.
class ActiveCall {
  public:
    ActiveCall(ProcRecord* record, CallFrame* frame) : record_(record), outer_(activeProcFrame) {
        record_->active++;
        activeProcFrame = frame;
    }
    ~ActiveCall() {
        activeProcFrame = outer_;
        if (--record_->active == 0 && record_->released) freeRecord(record_);
    }
    ActiveCall(const ActiveCall&) = delete;
    ActiveCall& operator=(const ActiveCall&) = delete;

  private:
    ProcRecord* record_;
    CallFrame* outer_;
};

// Binds the formals in the new frame. False (reported) on a failed binding.
bool bindFormals(Interpreter* interp, ProcRecord* record, int argc, char** argv) {
    int k = 0;
    for (int f = 0; f < record->formal_count; f++) {
        const FormalArg& formal = record->formals[f];
        if (!formal.name || !*formal.name) continue;
        k++;
        std::string joined;
        const char* value;
        if (k >= argc)
            value = formal.default_value ? formal.default_value : "";
        else if (k != record->formal_count || k == argc - 1)
            value = argv[k];
        else if (std::strcmp(formal.name, "args") == 0)
            value = (joined = joinArgs(k, argc, argv)).c_str();
        else
            value = argv[k];
        if (set_var(interp, formal.name, value)) {
            zorakReportError(interp, "proc '%s' Failed to set variable '%s'\n", argv[0],
                             formal.name);
            zorakReportError(interp, "proc: Exception calling '%s'\n", argv[0]);
            return false;
        }
    }
    return true;
}

int runProc(Interpreter* interp, int argc, char** argv, ProcRecord* record) {
    CallFrame* caller = interp->callframe;
    if (caller->level >= max_proc_level) {
        zorakReportError(interp, "Stack overflow in proc '%s' at level %li\n", argv[0],
                         static_cast<long>(caller->level));
        return ERROR;
    }
    if (record->formal_count > 0 && !record->formals) {
        zorakReportError(interp, "proc '%s' argument list '%s' is invalid\n", argv[0],
                         record->arglist_text ? record->arglist_text : "");
        return ERROR;
    }
    CallFrame* frame = zorakCreateCallFrame(caller);
    if (!frame) throw std::bad_alloc();
    interp->callframe = frame;
    ActiveCall call(record, frame);
    int code;
    try {
        if (!bindFormals(interp, record, argc, argv)) {
            zorakSetResult(interp, "", 0);
            code = ERROR;
        } else {
            frame->proc_name = zorakStrDup(argv[0]);
            code = kuvetEval(interp, record->body, 0, 0);
        }
    } catch (...) {
        interp->callframe = frame;
        zorakDropCallFrame(interp);
        throw;
    }
    // The body's commands restore the frame they ran in; this one is
    // dropped whatever they left current.
    interp->callframe = frame;
    zorakDropCallFrame(interp);
    return code;
}

} // namespace

CallFrame* zorakActiveProcFrame() {
    return activeProcFrame;
}

void zorakReleaseProcRecord(void* data) {
    auto* record = static_cast<ProcRecord*>(data);
    if (!record) return;
    if (record->active > 0)
        record->released = true;
    else
        freeRecord(record);
}

bool zorakSubstCommands(Interpreter* interp, const char* text, std::string* out) {
    out->clear();
    size_t n = std::strlen(text);
    for (size_t i = 0; i < n;) {
        char c = text[i];
        if (c != '[' || (i > 0 && text[i - 1] == '\\')) {
            out->push_back(c);
            i++;
            continue;
        }
        size_t close = i;
        int depth = 0;
        for (size_t j = i; j < n; j++) {
            if (text[j] == '[')
                depth++;
            else if (text[j] == ']' && --depth == 0) {
                close = j;
                break;
            }
        }
        if (close <= i + 1) {
            // No complete group with something inside: the "[" is dropped.
            i++;
            continue;
        }
        std::string inner(text + i + 1, close - i - 1);
        int code = kuvetEval(interp, inner.c_str(), 0, 0);
        if (code != OK && code != RETURN && code != CONTINUE) return false;
        if (interp->result && *interp->result) out->append(interp->result);
        i = close + 1;
    }
    return true;
}

int call_proc(Interpreter* interp, int argc, char** argv, void* data) {
    auto* record = static_cast<ProcRecord*>(data);
    if (!record) {
        zorakReportError(interp, "proc: NULL pointer in pd\n");
        return ERROR;
    }
    try {
        return runProc(interp, argc, argv, record);
    } catch (...) {
        zorakReportException("proc", "Unhandled exception");
        return ERROR;
    }
}

int zorakRunLambda(Interpreter* interp, const char* command, const char* arglist, const char* body,
                   int argc, char** argv) {
    auto* record = static_cast<ProcRecord*>(std::calloc(1, sizeof(ProcRecord)));
    if (!record) throw std::bad_alloc();
    int code;
    try {
        record->arglist_text = zorakStrDup(arglist);
        record->body = zorakStrDup(body);
        if (!buildFormals(interp, command, argv[0], arglist, &record->formals,
                          &record->formal_count)) {
            freeRecord(record);
            return ERROR;
        }
        code = runProc(interp, argc, argv, record);
    } catch (...) {
        freeRecord(record);
        throw;
    }
    // The record can be freed now: the call that used it has ended.
    freeRecord(record);
    return code == RETURN ? OK : code;
}

void zorakDropCallFrame(Interpreter* interp) {
    CallFrame* frame = interp->callframe;
    // The global frame lives as long as the interpreter.
    if (!frame || !frame->parent) return;
    try {
        zorakStrFree(&frame->proc_name);
        if (zorakVarHooks.struct_unset) {
            std::vector<std::string> structs;
            for (Var* v = frame->vars; v; v = v->next)
                if (v->type == VT_STRUCT && !v->parent && v->list && v->name)
                    structs.emplace_back(v->name);
            for (const std::string& name : structs)
                zorakVarHooks.struct_unset(interp, name.c_str());
        }
    } catch (...) {
        zorakReportException("zorakDropCallFrame", nullptr);
    }
    interp->callframe = frame->parent;
    zorakReleaseCallFrame(frame);
}

// ---------------------------------------------------------------- commands

int zorakCommandProc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    auto* record = static_cast<ProcRecord*>(std::calloc(1, sizeof(ProcRecord)));
    if (!record) throw std::bad_alloc();
    try {
        record->arglist_text = zorakStrDup(argv[2]);
        record->body = zorakStrDup(argv[3]);
        if (!buildFormals(interp, argv[0], name, argv[2], &record->formals,
                          &record->formal_count)) {
            freeRecord(record);
            return ERROR;
        }
    } catch (...) {
        freeRecord(record);
        throw;
    }
    int code = zorakRegisterCommand(interp, name, call_proc, record, 1);
    if (code == DEFINED) {
        freeRecord(record);
        zorakReportError(interp, "%s: '%s' is already defined\n", argv[0], name);
        return ERROR;
    }
    if (code != 0) {
        freeRecord(record);
        return code;
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandReturn(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 4) return zorakWrongArgs(interp, argc, argv);
    int code = interp->level > 0 ? OK : RETURN;
    const char* value = argc > 1 ? argv[1] : "";
    if (argc >= 3) {
        for (int i = 1; i < argc; i++) {
            if (!zorakEqualNoCase(argv[i], "-code")) continue;
            if (i + 1 < argc) {
                const char* word = argv[i + 1];
                int named = -1;
                for (int k = 0; k < 9 && named < 0; k++)
                    if (zorakEqualNoCase(word, kCodeWords[k])) named = k;
                if (named >= 0) {
                    code = named;
                } else {
                    int64_t number = zorakLeadingInt(word);
                    code = number > INT32_MAX   ? INT32_MAX
                           : number < INT32_MIN ? INT32_MIN
                                                : static_cast<int>(number);
                }
            }
            if (i == 1) value = argc > 3 ? argv[3] : "";
            break;
        }
    }
    zorakSetResult(interp, value, 0);
    return code;
}

int zorakCommandLevel(Interpreter* interp, int, char**, void*) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", interp->callframe ? interp->callframe->level : 0);
    zorakSetResult(interp, text, 0);
    return OK;
}

void zorakRegisterProcCommands(Interpreter* interp) {
    zorakSetProcReleaser(zorakReleaseProcRecord);
    zorakRegisterCommand(interp, "proc", zorakCommandProc, nullptr, 0);
    zorakRegisterCommand(interp, "return", zorakCommandReturn, nullptr, 0);
    zorakRegisterCommand(interp, "level", zorakCommandLevel, nullptr, 0);
    zorakRegisterCommand(interp, "uplevel", zorakCommandUplevel, nullptr, 0);
    zorakRegisterCommand(interp, "upvar", zorakCommandUpvar, nullptr, 0);
    zorakRegisterCommand(interp, "global", zorakCommandGlobal, nullptr, 0);
    zorakRegisterCommand(interp, "static", zorakCommandStatic, nullptr, 0);
}
