#include "vars/variables.h"

#include "interp/errors.h"
#include "util/heap_text.h"

#include <cstdlib>
#include <cstring>

const char* var_type_name(int type) {
    static const char* const names[] = {"auto",    "const",   "array",      "struct",
                                        "field",   "pointer", "variant",    "dictionary",
                                        "stack",   "unknown", "list"};
    if (type < 0 || type > 10) return "error";
    return names[type];
}

CallFrame* frame_at_level(Interpreter* interp, int level) {
    CallFrame* frame = interp->callframe;
    int floor = level > 0 ? level : 0;
    while (frame && frame->parent && frame->level > floor && frame->level != 0)
        frame = frame->parent;
    return frame;
}

namespace {

// The frame a name refers to: "::" selects the global frame whatever the scope.
CallFrame* frameForName(Interpreter* interp, const char** name, int scope) {
    if ((*name)[0] == ':' && (*name)[1] == ':') {
        *name += 2;
        return frame_at_level(interp, 0);
    }
    return scope == kScopeCurrent ? interp->callframe : frame_at_level(interp, 0);
}

Var* findInFrame(CallFrame* frame, const char* name) {
    for (Var* v = frame ? frame->vars : nullptr; v; v = v->next)
        if (v->name && std::strcmp(v->name, name) == 0) return v;
    return nullptr;
}

// An alias seen from another level takes a fresh copy of its target's value.
void refreshAlias(Interpreter* interp, Var* var) {
    if (!var->parent || var->level == interp->callframe->level) return;
    const char* target = var->parent->value;
    zorakStrAssign(&var->value, target && *target ? target : "{}");
}

Var* newVar(CallFrame* frame, const char* name, const char* value) {
    Var* var = static_cast<Var*>(std::calloc(1, sizeof(Var)));
    if (!var) return nullptr;
    var->name = zorakStrDup(name);
    var->value = zorakStrDup(value ? value : "");
    var->level = frame->level;
    var->next = frame->vars;
    frame->vars = var;
    return var;
}

} // namespace

Var* zorakGetVar(Interpreter* interp, const char* name, int scope) {
    if (!interp->callframe) {
        zorakReportError(interp, "getvar: NULL callframe\n");
        return nullptr;
    }
    if (!name || !*name) return nullptr;
    CallFrame* frame = frameForName(interp, &name, scope);
    Var* var = findInFrame(frame, name);
    if (var) refreshAlias(interp, var);
    return var;
}

int set_var(Interpreter* interp, const char* name, const char* value) {
    if (!name || !*name || !interp->callframe) return 1;
    CallFrame* frame = frameForName(interp, &name, kScopeCurrent);
    if (!*name) return 1;
    Var* var = findInFrame(frame, name);
    if (!var) {
        var = newVar(frame, name, value);
        if (!var) return 1;
        var->changed = 1;
        return 0;
    }
    if (var->type == VT_DICTIONARY) {
        zorakReportError(interp, "set_var: Can't assign to '%s' (type %s)\n", name,
                         var_type_name(var->type));
        return 1;
    }
    if (var->type != VT_AUTO) {
        zorakReportError(interp, "set_var: Bad variable type '%s' (type %s)\n", name,
                         var_type_name(var->type));
        return 1;
    }
    const char* text = value ? value : "";
    for (Var* target = var->parent; target; target = target->parent) {
        zorakStrAssign(&target->value, text);
        target->changed = 1;
        target->size = static_cast<int32_t>(std::strlen(text));
    }
    zorakStrAssign(&var->value, text);
    var->changed = 1;
    return 0;
}

int define_const(Interpreter* interp, const char* name, const char* value, int is_protected,
                 int replace) {
    if (!name || !*name || !interp->callframe) return 1;
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && !replace) {
        zorakReportError(interp, "%s: Variable '%s' already exists\n", "const", name);
        return 1;
    }
    if (!var) {
        var = newVar(interp->callframe, name, value);
        if (!var) return 1;
        var->level = 0;
    } else {
        zorakStrAssign(&var->value, value ? value : "");
    }
    var->is_constant = 1;
    var->is_pointer = 0;
    var->is_protected = is_protected ? 1 : 0;
    var->changed = 0;
    return 0;
}

int var_exists(Interpreter* interp, const char* name) {
    return zorakGetVar(interp, name, kScopeCurrent) ? 1 : 0;
}

void zorakFreeVar(Var* var) {
    if (!var) return;
    std::free(var->name);
    std::free(var->value);
    std::free(var->subscript);
    std::free(var);
}

int zorakRemoveVar(Interpreter* interp, const char* name) {
    if (!name || !*name || !interp->callframe) return 0;
    CallFrame* frame = frameForName(interp, &name, kScopeCurrent);
    for (Var** link = frame ? &frame->vars : nullptr; link && *link; link = &(*link)->next) {
        if (std::strcmp((*link)->name, name) == 0) {
            Var* found = *link;
            *link = found->next;
            zorakFreeVar(found);
            return 1;
        }
    }
    return 0;
}

void zorakFreeFrameVars(CallFrame* frame) {
    while (frame->vars) {
        Var* next = frame->vars->next;
        zorakFreeVar(frame->vars);
        frame->vars = next;
    }
}

int set_value(Interpreter* interp, const char* name, const char* value, int report) {
    if (!name) {
        if (report) zorakReportError(interp, "%s: Unhandled error\n", "set");
        return ERROR;
    }
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (value) {
        if (!var) {
            if (set_var(interp, name, value)) {
                if (report) zorakReportError(interp, "%s: Unhandled error\n", "set");
                return ERROR;
            }
            zorakSetResult(interp, value, 0);
            return OK;
        }
        if (var->type == VT_AUTO && !var->is_pointer && !var->is_constant) {
            for (Var* target = var->parent; target; target = target->parent) {
                zorakStrAssign(&target->value, value);
                target->changed = 1;
                target->size = static_cast<int32_t>(std::strlen(value));
            }
            zorakStrAssign(&var->value, value);
            var->changed = 1;
            var->size = static_cast<int32_t>(std::strlen(value));
            zorakSetResult(interp, value, 0);
            return OK;
        }
        if (report)
            zorakReportError(interp, "%s: Variable type %s object '%s' not handled\n", "set",
                             var->is_constant ? "const" : var_type_name(var->type), name);
        return ERROR;
    }
    if (!var) {
        if (report) zorakReportError(interp, "%s: Variable '%s' not found\n", "set", name);
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    if (var->type == VT_AUTO && !var->is_pointer)
        zorakSetResult(interp, var->value ? var->value : "", 0);
    else
        zorakSetResult(interp, "", 0);
    return OK;
}
