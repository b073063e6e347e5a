// Variable records and the lookup and assignment primitives. Each frame keeps
// its variables in a singly linked list, newest first.
#pragma once

#include "interp/interp.h"

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
CallFrame* frame_at_level(Interpreter* interp, int level);

Var* zorakGetVar(Interpreter* interp, const char* name, int scope);
int set_var(Interpreter* interp, const char* name, const char* value);
int define_const(Interpreter* interp, const char* name, const char* value, int is_protected,
                 int replace);
int var_exists(Interpreter* interp, const char* name);
int set_value(Interpreter* interp, const char* name, const char* value, int report);

// Unlinks the named variable from the frame that holds it and releases it.
// Returns 1 when it was found.
int zorakRemoveVar(Interpreter* interp, const char* name);
void zorakFreeVar(Var* var);
void zorakFreeFrameVars(CallFrame* frame);

void zorakRegisterVariableCommands(Interpreter* interp);
