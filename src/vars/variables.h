// Variable records, the frames that hold them, and the lookup and assignment
// primitives. Each frame keeps its variables in a singly linked list, newest
// first, and scripts see that order; an index beside the list, invisible to
// scripts, makes lookups by name cost the same however many variables a frame
// holds. Every record is linked and unlinked through the routines here so
// that the index stays right.
#pragma once

#include "interp/interp.h"

#include <memory>
#include <string>

enum VarType {
    VT_AUTO = 0,
    VT_CONST = 1,
    VT_ARRAY = 2,
    VT_STRUCT = 3,
    VT_FIELD = 4,
    VT_POINTER = 5,
    VT_VARIANT = 6,
    VT_DICTIONARY = 7,
    VT_STACK = 8,
    VT_UNKNOWN = 9,
    VT_LIST = 10
};

constexpr int kScopeCurrent = -1;
constexpr int kScopeGlobal = 0;

const char* var_type_name(int type);

// Frames. Every frame the interpreter uses comes from zorakCreateCallFrame:
// the frame record carries the name index after the public CallFrame.
// A new zeroed frame one level below parent (level 0 without a parent).
CallFrame* zorakCreateCallFrame(CallFrame* parent);
// Frees the frame's procedure name, every variable record with the
// containers it owns (aliases never free their target's), and the frame.
void zorakReleaseCallFrame(CallFrame* frame);
// From the current frame, follows parents while the level is above
// max(level, 0) and not 0.
CallFrame* frame_at_level(Interpreter* interp, int level);

// Records. A fresh zeroed record named name holding a copy of value (the
// empty string for null), of the frame's level, pushed at the head of the
// frame's list. Null on allocation failure.
Var* zorakNewVar(CallFrame* frame, const char* name, const char* value);
// Pushes a record made elsewhere (zeroed, heap-allocated, owned name) at the
// head of the frame's list.
void zorakLinkVar(CallFrame* frame, Var* var);
// Takes a record out of the frame's list without freeing it. False when the
// frame does not hold it.
bool zorakUnlinkVar(CallFrame* frame, Var* var);
// The newest record of the frame with exactly this name, or null.
Var* zorakFindVarInFrame(CallFrame* frame, const char* name);
// Frees a record that is in no list: its texts and, unless it is an alias,
// its table and stack.
void zorakFreeVar(Var* var);
// Unlinks the named variable from the frame that holds it ("::" selects the
// global frame) and frees it. Returns 1 when it was found.
int zorakRemoveVar(Interpreter* interp, const char* name);

// Value stamps. Every change of a record's value gives it a stamp never
// used before, kept in the record's spare variant bytes, so a cache that
// remembers a stamp knows the exact value it saw without comparing text.
uint64_t zorakValueStamp(const Var* var);
void zorakValueChanged(Var* var);

// Lookup and assignment.
Var* zorakGetVar(Interpreter* interp, const char* name, int scope);
Var* zorakGetVarGlob(Interpreter* interp, const char* pattern, int nocase, int scope);
int set_var(Interpreter* interp, const char* name, const char* value);
int define_const(Interpreter* interp, const char* name, const char* value, int is_protected,
                 int replace);
int var_exists(Interpreter* interp, const char* name);
int set_var_type(Interpreter* interp, const char* name, int type);
int set_var_size(Interpreter* interp, const char* name, int size);
int set_var_pointer(Interpreter* interp, const char* name, int flag);
// The worker of set: assigns (value given) or reads (value null) and leaves
// the value as the result.
int set_value(Interpreter* interp, const char* name, const char* value, int report);

// Places where structs and dictionaries plug into the variable layer. Each
// stays null until its layer installs it; the variable layer then treats the
// kind as having nothing to show.
struct VarHooks {
    // Heap text of a struct member (type 4) read at the storage it describes,
    // or null. The struct layer alone interprets a member's value.
    char* (*struct_member_text)(Interpreter* interp, Var* member);
    // The member of struct record var whose recorded name equals name, or null.
    Var* (*struct_find_member)(Interpreter* interp, Var* var, const char* name);
    // Releases the struct variable name; 0 on success.
    int (*struct_unset)(Interpreter* interp, const char* name);
    // Frees the storage of a struct record (not an alias) that is being
    // freed with its frame; its field records go with the same frame.
    void (*struct_release)(Var* var);
    // Heap text of a dictionary variable as a key/value list, or null.
    char* (*dict_render)(Interpreter* interp, Var* var);
    // The same rendering shared instead of copied, with the dictionary
    // generation it shows (bit 63 set, so it never equals a value stamp).
    std::shared_ptr<const std::string> (*dict_render_shared)(Var* var, uint64_t* stamp);
    // Makes name a dictionary holding the pairs of value (set after a command
    // that left a dictionary result); returns the completion code.
    int (*dict_assign)(Interpreter* interp, const char* name, const char* value);
};
extern VarHooks zorakVarHooks;

// Handlers of the variable commands.
int zorakCommandSet(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandUnset(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandConst(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandInspect(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandVars(Interpreter* interp, int argc, char** argv, void*);

void zorakRegisterVariableCommands(Interpreter* interp);
