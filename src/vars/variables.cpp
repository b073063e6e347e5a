#include "vars/variables.h"

#include "console/console.h"
#include "interp/errors.h"
#include "util/heap_text.h"
#include "util/stack.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/scope_aliases.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

VarHooks zorakVarHooks{};

const char* var_type_name(int type) {
    static const char* const names[] = {"auto",  "const",   "array",   "struct",
                                        "field", "pointer", "variant", "dictionary",
                                        "stack", "unknown", "list"};
    if (type < 0 || type > 10) return "error";
    return names[type];
}

namespace {

// The name index of one frame. names maps each name to the newest record
// that carries it (the one a walk from the head meets first) and to how
// many records carry it; prev holds the predecessor of every record but the
// head, so a record leaves the list without a walk.
struct IndexEntry {
    Var* newest;
    int32_t count;
};

struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct VarIndex {
    std::unordered_map<std::string, IndexEntry, NameHash, std::equal_to<>> names;
    std::unordered_map<Var*, Var*> prev;
    // The list head as the index last saw it. A record pushed onto or taken
    // off the head without these routines shows as a different head, and
    // the list is re-read before the index is trusted again; changes deeper
    // in the list must go through zorakUnlinkVar.
    Var* head = nullptr;
    bool valid = true;
};

constexpr uint32_t kFrameMagic = 0x5a465241;

struct FrameRecord {
    CallFrame frame;
    uint32_t magic;
    VarIndex* index;
};
static_assert(std::is_standard_layout_v<FrameRecord>, "CallFrame must start the frame record");

// Set while set_var reports a failure: the reporter assigns ::errorMsg
// through set_var, which must not report again when that assignment fails.
int setVarReporting = 0;

VarIndex* indexRecord(CallFrame* frame) {
    auto* record = reinterpret_cast<FrameRecord*>(frame);
    return record->magic == kFrameMagic ? record->index : nullptr;
}

void rebuild(CallFrame* frame, VarIndex* index) {
    index->names.clear();
    index->prev.clear();
    index->valid = false;
    index->head = frame->vars;
    try {
        Var* before = nullptr;
        for (Var* v = frame->vars; v; before = v, v = v->next) {
            if (before) index->prev.emplace(v, before);
            if (!v->name) continue;
            auto found = index->names.find(std::string_view(v->name));
            if (found == index->names.end())
                index->names.emplace(v->name, IndexEntry{v, 1});
            else
                found->second.count++;
        }
        index->valid = true;
    } catch (const std::bad_alloc&) {
        index->names.clear();
        index->prev.clear();
    }
}

// The frame's index when it can be trusted, else null (lookups then walk).
VarIndex* usableIndex(CallFrame* frame) {
    VarIndex* index = indexRecord(frame);
    if (!index) return nullptr;
    if (!index->valid || index->head != frame->vars) rebuild(frame, index);
    return index->valid ? index : nullptr;
}

void invalidate(VarIndex* index) {
    index->valid = false;
    index->names.clear();
    index->prev.clear();
}

// A lookup that walks past this many records gives the frame an index.
constexpr size_t kIndexAfterSteps = 16;

void addIndex(CallFrame* frame) {
    auto* record = reinterpret_cast<FrameRecord*>(frame);
    if (record->magic != kFrameMagic || record->index) return;
    record->index = new (std::nothrow) VarIndex();
    // Built from the list on its first use.
    if (record->index) record->index->valid = false;
}

// The frame a name refers to: "::" selects the global frame whatever the scope.
CallFrame* frameForName(Interpreter* interp, const char** name, int scope) {
    if ((*name)[0] == ':' && (*name)[1] == ':') {
        *name += 2;
        return frame_at_level(interp, 0);
    }
    return scope == kScopeCurrent ? interp->callframe : frame_at_level(interp, 0);
}

// The text an alias stands for now: the value at the end of its chain, or
// the element an element alias names. Null when the chain leads nowhere.
const char* aliasSourceText(Var* var) {
    long hops = zorakAliasChainLength(var);
    for (Var* at = var; at->parent && hops-- > 0; at = at->parent) {
        Var* target = at->parent;
        if (target->type == VT_ARRAY && at->subscript) {
            const char* element = nullptr;
            if (target->table && target->table->get(at->subscript, &element)) return element;
            return nullptr;
        }
        if (!target->parent) return target->value;
    }
    return nullptr;
}

// An alias reads through to what it stands for, so a change made by anyone
// to the target is seen at once. Seen from another level, an empty target
// reads as "{}".
void refreshAlias(Interpreter* interp, Var* var) {
    if (!var->parent) return;
    const char* source = aliasSourceText(var);
    if (var->level != interp->callframe->level && !(source && *source)) source = "{}";
    if (!source) source = "";
    if (var->value && std::strcmp(var->value, source) == 0) return;
    zorakStrAssign(&var->value, source);
    zorakValueChanged(var);
}

void assignValue(Var* var, const char* text) {
    zorakStrAssign(&var->value, text);
    zorakValueChanged(var);
}

// An alias of one array element writes into the element; an empty value is
// stored as "{}".
void writeElement(Var* alias, const char* text) {
    Var* array = alias->parent;
    if (array->table && alias->subscript)
        array->table->set(alias->subscript, *text ? text : "{}", true);
}

bool isElementAlias(const Var* var) {
    return var->parent && var->parent->type == VT_ARRAY;
}

// Writes text through the alias chain that starts at var's parent, then into
// var itself. A record along the chain that stands for an array element
// writes into that element and ends the walk, so the array keeps its
// "<array>" text and the element receives the value.
void writeThrough(Var* var, const char* text, bool setSize) {
    int32_t size = static_cast<int32_t>(std::strlen(text));
    if (isElementAlias(var)) {
        writeElement(var, text);
    } else {
        long hops = zorakAliasChainLength(var);
        for (Var* target = var->parent; target && hops-- > 0; target = target->parent) {
            assignValue(target, text);
            target->changed = 1;
            target->size = size;
            if (isElementAlias(target)) {
                writeElement(target, text);
                break;
            }
        }
    }
    assignValue(var, text);
    if (setSize) var->size = size;
    var->changed = 1;
}

void reportSetVar(Interpreter* interp, const char* format, const char* name, int type) {
    if (setVarReporting) return;
    setVarReporting = 1;
    zorakReportError(interp, format, name, var_type_name(type));
    setVarReporting = 0;
}

// Splits "name(sub)" at the first "(" and the first ")" after it. False for
// a missing ")" or an empty subscript.
bool splitElement(const char* word, std::string* array, std::string* subscript) {
    const char* open = std::strchr(word, '(');
    const char* close = open ? std::strchr(open + 1, ')') : nullptr;
    if (!close || close == open + 1) return false;
    array->assign(word, static_cast<size_t>(open - word));
    subscript->assign(open + 1, static_cast<size_t>(close - open - 1));
    return true;
}

std::string cleanSubscript(std::string_view subscript) {
    size_t start = subscript.find_first_not_of('"');
    if (start == std::string_view::npos) return "";
    size_t end = subscript.find_last_not_of('"');
    return zorakUnescapeBlanks(subscript.substr(start, end - start + 1));
}

int setElement(Interpreter* interp, const char* name, const char* value, int report) {
    std::string array, subscript;
    if (!splitElement(name, &array, &subscript)) {
        if (report) zorakReportError(interp, "%s: Syntax error '%s'\n", "set", name);
        return ERROR;
    }
    Var* existing = zorakGetVar(interp, array.c_str(), kScopeCurrent);
    if (existing && existing->type != VT_AUTO && existing->type != VT_ARRAY) {
        if (report)
            zorakReportError(interp, "%s: Variable '%s' can't store an array\n", "set",
                             array.c_str());
        return ERROR;
    }
    subscript = cleanSubscript(subscript);
    if (value) {
        int code = array_set_element(interp, array.c_str(), subscript.c_str(), value, 0, 0);
        zorakSetResult(interp, code == 0 ? value : "", 0);
        return code;
    }
    const char* element = nullptr;
    if (!array_get_element(interp, array.c_str(), subscript.c_str(), &element, 0)) {
        if (report)
            zorakReportError(interp, "%s: No such array element %s(%s)\n", "set", array.c_str(),
                             subscript.c_str());
        return ERROR;
    }
    if (!element) {
        if (report) zorakReportError(interp, "set: Error in set '%s'\n", name);
        return ERROR;
    }
    zorakSetResult(interp, element, 0);
    return OK;
}

// A dictionary variable assigned a plain value becomes a plain variable.
// Assigned through an alias, the dictionary it stands for becomes plain
// too, so that the value written through the chain is what it reads as.
void dropDictionary(Var* var) {
    Var* owner = zorakAliasChainEnd(var);
    if (owner->type == VT_DICTIONARY && !owner->parent) {
        zorakAliasDropContainers(owner);
        delete owner->table;
        owner->table = nullptr;
        owner->type = VT_AUTO;
    }
    var->table = nullptr;
    var->type = VT_AUTO;
    zorakStrFree(&var->value);
    zorakValueChanged(var);
    zorakStrFree(&var->subscript);
}

int assignPlain(Interpreter* interp, const char* name, const char* value, int report) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    bool aliasOfDictionary =
        var && var->parent && !var->subscript && zorakAliasChainEnd(var)->type == VT_DICTIONARY;
    if (var && (var->type == VT_DICTIONARY || aliasOfDictionary)) {
        dropDictionary(var);
        var = zorakGetVar(interp, name, kScopeCurrent);
    }
    if (!var) {
        if (set_var(interp, name, value)) {
            if (report) zorakReportError(interp, "%s: Unhandled error\n", "set");
            return ERROR;
        }
        zorakSetResult(interp, value, 0);
        return OK;
    }
    if (var->type == VT_AUTO && isElementAlias(var)) {
        writeThrough(var, value, true);
        return OK;
    }
    if (var->type == VT_AUTO && !var->is_pointer && !var->is_constant) {
        writeThrough(var, value, true);
        zorakSetResult(interp, value, 0);
        return OK;
    }
    if (report)
        zorakReportError(interp, "%s: Variable type %s object '%s' not handled\n", "set",
                         var->is_constant ? "const" : var_type_name(var->type), name);
    return ERROR;
}

// The text a variable reads as through set. A struct member whose address
// the struct layer refuses (it has reported why) fails the read.
int readRecord(Interpreter* interp, Var* var) {
    // An array reads as its "<array>" text.
    if ((var->type == VT_AUTO && !var->is_pointer) || var->type == VT_ARRAY) {
        zorakSetResult(interp, var->value ? var->value : "", 0);
        return OK;
    }
    HeapText text;
    if (var->type == VT_FIELD && zorakVarHooks.struct_member_text) {
        text.reset(zorakVarHooks.struct_member_text(interp, var));
        if (!text.get()) {
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
    } else if (var->type == VT_STRUCT) {
        text.reset(zorakStrDup("<struct>"));
    } else if (var->type == VT_DICTIONARY && zorakVarHooks.dict_render) {
        text.reset(zorakVarHooks.dict_render(interp, var));
    }
    zorakSetResult(interp, text.get() ? text.get() : "", 0);
    return OK;
}

int readPlain(Interpreter* interp, const char* name, int report) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var) return readRecord(interp, var);
    // "s.member" names a member of struct s.
    const char* dot = std::strchr(name, '.');
    if (dot && zorakVarHooks.struct_find_member) {
        std::string owner(name, static_cast<size_t>(dot - name));
        Var* record = zorakGetVar(interp, owner.c_str(), kScopeCurrent);
        Var* member = record && record->type == VT_STRUCT && record->list
                          ? zorakVarHooks.struct_find_member(interp, record, name)
                          : nullptr;
        if (member) return readRecord(interp, member);
    }
    if (report) zorakReportError(interp, "%s: Variable '%s' not found\n", "set", name);
    zorakSetResult(interp, "", 0);
    return ERROR;
}

} // namespace

// ---------------------------------------------------------------- frames

CallFrame* zorakCreateCallFrame(CallFrame* parent) {
    auto* record = static_cast<FrameRecord*>(std::calloc(1, sizeof(FrameRecord)));
    if (!record) return nullptr;
    // The index comes when the frame grows past a short walk (see
    // zorakFindVarInFrame); most procedure frames never need one.
    record->index = nullptr;
    record->magic = kFrameMagic;
    record->frame.parent = parent;
    record->frame.level = parent ? parent->level + 1 : 0;
    return &record->frame;
}

void zorakReleaseCallFrame(CallFrame* frame) {
    if (!frame) return;
    Var* var = frame->vars;
    frame->vars = nullptr;
    while (var) {
        Var* next = var->next;
        zorakFreeVar(var);
        var = next;
    }
    zorakStrFree(&frame->proc_name);
    auto* record = reinterpret_cast<FrameRecord*>(frame);
    if (record->magic == kFrameMagic) delete record->index;
    record->magic = 0;
    std::free(record);
}

CallFrame* frame_at_level(Interpreter* interp, int level) {
    CallFrame* frame = interp->callframe;
    int floor = level > 0 ? level : 0;
    while (frame && frame->parent && frame->level > floor && frame->level != 0)
        frame = frame->parent;
    return frame;
}

// ---------------------------------------------------------------- records

void zorakLinkVar(CallFrame* frame, Var* var) {
    VarIndex* index = usableIndex(frame);
    Var* oldHead = frame->vars;
    var->next = oldHead;
    frame->vars = var;
    if (!index) return;
    try {
        if (oldHead) index->prev[oldHead] = var;
        if (var->name) {
            auto found = index->names.find(std::string_view(var->name));
            if (found == index->names.end()) {
                index->names.emplace(var->name, IndexEntry{var, 1});
            } else {
                found->second.newest = var;
                found->second.count++;
            }
        }
        index->head = var;
    } catch (const std::bad_alloc&) {
        invalidate(index);
    }
}

bool zorakUnlinkVar(CallFrame* frame, Var* var) {
    if (!frame || !var) return false;
    VarIndex* index = usableIndex(frame);
    if (!index) {
        for (Var** link = &frame->vars; *link; link = &(*link)->next) {
            if (*link == var) {
                *link = var->next;
                var->next = nullptr;
                return true;
            }
        }
        return false;
    }
    Var* before = nullptr;
    if (frame->vars != var) {
        auto found = index->prev.find(var);
        if (found == index->prev.end()) return false;
        before = found->second;
        index->prev.erase(found);
    }
    Var* after = var->next;
    if (before)
        before->next = after;
    else
        frame->vars = after;
    if (after) {
        if (before)
            index->prev[after] = before;
        else
            index->prev.erase(after);
    }
    if (var->name) {
        auto entry = index->names.find(std::string_view(var->name));
        if (entry != index->names.end()) {
            if (entry->second.count <= 1) {
                index->names.erase(entry);
            } else {
                entry->second.count--;
                // The next record of that name, newest first, takes over.
                if (entry->second.newest == var) {
                    Var* next = after;
                    while (next && (!next->name || std::strcmp(next->name, var->name) != 0))
                        next = next->next;
                    entry->second.newest = next;
                }
            }
        }
    }
    index->head = frame->vars;
    var->next = nullptr;
    return true;
}

Var* zorakFindVarInFrame(CallFrame* frame, const char* name) {
    if (!frame || !name) return nullptr;
    VarIndex* index = usableIndex(frame);
    if (!index) {
        size_t steps = 0;
        Var* v = frame->vars;
        for (; v; v = v->next, steps++)
            if (v->name && std::strcmp(v->name, name) == 0) break;
        if (steps > kIndexAfterSteps) addIndex(frame);
        return v;
    }
    auto found = index->names.find(std::string_view(name));
    return found == index->names.end() ? nullptr : found->second.newest;
}

namespace {
uint64_t lastStamp = 0;
}

uint64_t zorakValueStamp(const Var* var) {
    uint64_t stamp;
    std::memcpy(&stamp, var->variant, sizeof stamp);
    return stamp;
}

void zorakValueChanged(Var* var) {
    uint64_t stamp = ++lastStamp;
    std::memcpy(var->variant, &stamp, sizeof stamp);
}

Var* zorakNewVar(CallFrame* frame, const char* name, const char* value) {
    if (!frame || !name) return nullptr;
    Var* var = static_cast<Var*>(std::calloc(1, sizeof(Var)));
    if (!var) return nullptr;
    try {
        var->name = zorakStrDup(name);
        var->value = zorakStrDup(value ? value : "");
    } catch (const std::bad_alloc&) {
        zorakFreeVar(var);
        return nullptr;
    }
    var->level = frame->level;
    zorakValueChanged(var);
    zorakLinkVar(frame, var);
    return var;
}

void zorakFreeVar(Var* var) {
    if (!var) return;
    // No alias may keep pointing at the record or at its containers.
    zorakAliasForget(var);
    std::free(var->name);
    std::free(var->value);
    std::free(var->subscript);
    if (!var->parent) {
        if (var->type == VT_STRUCT && zorakVarHooks.struct_release)
            zorakVarHooks.struct_release(var);
        delete var->table;
        zorakStackDestroy(var->stack);
    }
    std::free(var);
}

int zorakRemoveVar(Interpreter* interp, const char* name) {
    if (!name || !*name || !interp->callframe) return 0;
    CallFrame* frame = frameForName(interp, &name, kScopeCurrent);
    Var* var = zorakFindVarInFrame(frame, name);
    if (!var || !zorakUnlinkVar(frame, var)) return 0;
    zorakFreeVar(var);
    return 1;
}

// ---------------------------------------------------------------- lookup

Var* zorakGetVar(Interpreter* interp, const char* name, int scope) {
    if (!interp->callframe) {
        zorakReportError(interp, "getvar: NULL callframe\n");
        return nullptr;
    }
    if (!name || !*name) return nullptr;
    long checkpoint = zorakEval.checkpoint;
    Var* var = nullptr;
    try {
        CallFrame* frame = frameForName(interp, &name, scope);
        var = zorakFindVarInFrame(frame, name);
        if (var) refreshAlias(interp, var);
    } catch (const std::bad_alloc&) {
        zorakReportException("zorakGetVar", nullptr);
        var = nullptr;
    }
    zorakEval.checkpoint = checkpoint;
    return var;
}

Var* zorakGetVarGlob(Interpreter* interp, const char* pattern, int nocase, int scope) {
    if (!interp->callframe) {
        zorakReportError(interp, "getvarglob: NULL callframe\n");
        return nullptr;
    }
    if (!pattern || !*pattern) return nullptr;
    try {
        CallFrame* frame = frameForName(interp, &pattern, scope);
        Var* found = nullptr;
        if (!nocase && !std::strpbrk(pattern, "*?")) {
            found = zorakFindVarInFrame(frame, pattern);
        } else {
            for (Var* v = frame ? frame->vars : nullptr; v && !found; v = v->next)
                if (v->name && zorakWildcardMatch(pattern, v->name, nocase != 0)) found = v;
        }
        if (found) refreshAlias(interp, found);
        return found;
    } catch (const std::bad_alloc&) {
        console_printf(
            "Exception in kuvetGetVarGlob: i->callframe=0x%llx\n",
            static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(interp->callframe)));
        zorakReportException("zorakGetVarGlob", nullptr);
        return nullptr;
    }
}

int var_exists(Interpreter* interp, const char* name) {
    return zorakGetVar(interp, name, kScopeCurrent) ? 1 : 0;
}

int set_var_type(Interpreter* interp, const char* name, int type) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) return 0;
    var->type = type;
    return 1;
}

int set_var_size(Interpreter* interp, const char* name, int size) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) return 0;
    var->size = size;
    return 1;
}

int set_var_pointer(Interpreter* interp, const char* name, int flag) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) return 0;
    var->is_pointer = flag ? 1 : 0;
    return 1;
}

// ---------------------------------------------------------------- assignment

int set_var(Interpreter* interp, const char* name, const char* value) {
    if (!name || !*name || !interp->callframe) return 1;
    CallFrame* frame = frameForName(interp, &name, kScopeCurrent);
    if (!frame || !*name) return 1;
    const char* text = value ? value : "";
    try {
        Var* var = zorakFindVarInFrame(frame, name);
        if (!var) {
            var = zorakNewVar(frame, name, text);
            if (!var) return 1;
            var->changed = 1;
            return 0;
        }
        if (var->type == VT_DICTIONARY) {
            reportSetVar(interp, "set_var: Can't assign to '%s' (type %s)\n", name, var->type);
            return 1;
        }
        if (var->type != VT_AUTO) {
            reportSetVar(interp, "set_var: Bad variable type '%s' (type %s)\n", name, var->type);
            return 1;
        }
        writeThrough(var, text, false);
        return 0;
    } catch (const std::bad_alloc&) {
        return 1;
    }
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
        // A "::" name is made in the global frame, where lookups of it go.
        CallFrame* frame = frameForName(interp, &name, kScopeCurrent);
        if (!*name) return 1;
        var = zorakNewVar(frame, name, value);
        if (!var) return 1;
        var->level = 0;
    } else {
        zorakStrAssign(&var->value, value ? value : "");
        zorakValueChanged(var);
    }
    var->is_constant = 1;
    var->is_pointer = 0;
    var->is_protected = is_protected ? 1 : 0;
    var->changed = 0;
    return 0;
}

int set_value(Interpreter* interp, const char* name, const char* value, int report) {
    if (!name) {
        if (report) zorakReportError(interp, "%s: Unhandled error\n", "set");
        return ERROR;
    }
    if (std::strchr(name, '(')) return setElement(interp, name, value, report);
    if (value) return assignPlain(interp, name, value, report);
    return readPlain(interp, name, report);
}
