/* Zorak plug-in ABI: the records a command handler sees, the handler
 * signature, the routines the interpreter lends a plug-in and the exports a
 * plug-in offers the "lib" command. Built-in commands and plug-in commands
 * share the records exactly. This header stands alone and compiles as C. */
#ifndef ZORAK_PLUGIN_H
#define ZORAK_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Completion codes of every evaluation and handler. */
enum ResultCode {
    ZORAK_OK = 0,
    ZORAK_ERROR = 1,
    ZORAK_RETURN = 2,
    ZORAK_BREAK = 3,
    ZORAK_CONTINUE = 4,
    ZORAK_EXIT = 5,
    ZORAK_STOP = 6,
    ZORAK_GOTO = 7,
    ZORAK_DEFINED = 8
};

struct Interpreter;
struct CallFrame;
struct Var;
struct hash_table;
struct Stack;
struct List;

typedef int (*CommandHandler)(struct Interpreter* interp, int argc, char** argv,
                              void* private_data);

typedef struct Command {
    char* name;
    CommandHandler handler;
    void* private_data;
    int16_t is_proc;
    int32_t reserved;
} Command;

typedef struct Var {
    char* value;
    char* name;
    int32_t type;
    int32_t size;
    uint8_t is_pointer;
    uint8_t is_constant;
    uint8_t is_protected;
    uint8_t ignore_case;
    struct List* list;
    uint8_t variant[16];
    int32_t level;
    struct Var* parent;
    struct Stack* stack;
    struct hash_table* table;
    struct Var* next;
    uint8_t changed;
    char* subscript;
} Var;

typedef struct CallFrame {
    int32_t level;
    int32_t argc;
    char** argv;
    struct Var* vars;
    struct CallFrame* parent;
    char* proc_name;
} CallFrame;

typedef struct Interpreter {
    int32_t level;
    struct CallFrame* callframe;
    struct Command* commands;
    int32_t command_count;
    int16_t commands_sorted;
    char* result;
    int32_t result_length;
    uint32_t command_counter;
    char* trace_text;
    int16_t trace_commands_on;
    char** trace_commands;
    int32_t trace_command_count;
    int16_t watch_on;
    char** watches;
    int32_t watch_count;
    int32_t subst_code;
    int32_t result_kind;
} Interpreter;

/* ---- Routines lent to a plug-in ----
 * "lib" passes these seventeen routines, in this order, to the plug-in's
 * _export_common_routines export, which keeps them and returns 17. Every
 * text and vector that crosses the boundary is allocated and released
 * through them, so that both sides use the library's one heap. */

/* Scopes for the variable lookup: the current frame or the global one. */
#define ZORAK_SCOPE_CURRENT (-1)
#define ZORAK_SCOPE_GLOBAL 0
#define ZORAK_ROUTINE_COUNT 17

/* 1: the variable named name in scope (a leading "::" means global), or
 * NULL. Its value is var->value, owned by the interpreter. */
typedef struct Var* (*ZorakGetVarRoutine)(struct Interpreter* interp, const char* name, int scope);
/* 2: assigns a copy of value to the plain variable name in the current frame
 * (made when missing); 0 on success, 1 on failure. */
typedef int (*ZorakSetVarRoutine)(struct Interpreter* interp, const char* name, const char* value);
/* 3: appends text to the heap text *dst, creating it when *dst is NULL. */
typedef void (*ZorakStrAppendRoutine)(char** dst, const char* text);
/* 4: releases the heap text *text and sets *text to NULL. */
typedef void (*ZorakStrFreeRoutine)(char** text);
/* 5: the call frame of a procedure level, walking out from the current one. */
typedef struct CallFrame* (*ZorakFrameAtLevelRoutine)(struct Interpreter* interp, int level);
/* 6: the bisection search of the command table (a leading "::" is
 * skipped); 7: the same, guarded. The record lives until the table changes. */
typedef struct Command* (*ZorakFindCommandRoutine)(struct Interpreter* interp, const char* name);
typedef struct Command* (*ZorakGetCommandRoutine)(struct Interpreter* interp, const char* name);
/* 8: splits a list into its elements: *elements receives a heap vector of
 * heap texts ending in NULL; returns the element count (-1 and NULL when
 * out of memory). Release it with routine 9. */
typedef int (*ZorakSplitListRoutine)(const char* list, char*** elements);
/* 9: releases count texts of *items and the vector, and sets *items to NULL. */
typedef void (*ZorakFreeVectorRoutine)(char*** items, int count);
/* 10: replaces the interpreter's result with a copy of text (length below 1:
 * the whole text; otherwise exactly length bytes). */
typedef void (*ZorakSetResultRoutine)(struct Interpreter* interp, const char* text, int length);
/* 11 and 12: memory from and back to the library's heap. */
typedef void* (*ZorakAllocRoutine)(size_t size);
typedef void (*ZorakFreeRoutine)(void* block);
/* 13: the value of element key of the array name, or NULL. */
typedef const char* (*ZorakArrayGetRoutine)(struct Interpreter* interp, const char* name,
                                            const char* key);
/* 14: assigns element key of the array name, making the array when needed
 * (the flags apply to a new array); 0 on success, 1 on failure. */
typedef int (*ZorakArraySetRoutine)(struct Interpreter* interp, const char* name, const char* key,
                                    const char* value, int is_protected, int ignore_case);
/* 15: a fresh vector of max(count, capacity) slots plus a NULL end, the
 * first count holding copies of items' texts, the rest NULL; NULL when out
 * of memory. Release it with routine 9. */
typedef char** (*ZorakCopyVectorRoutine)(char* const* items, int count, int capacity);
/* 16: removes the variable name from the current frame (the global one when
 * name begins with "::"); 1 when it was there. */
typedef int (*ZorakRemoveVarRoutine)(struct Interpreter* interp, const char* name);
/* 17: the set command's work: assigns value (array elements "a(k)"
 * included) or, with value NULL, reads; leaves the value as the result and
 * returns a completion code. report: 1 to report errors. */
typedef int (*ZorakSetRoutine)(struct Interpreter* interp, const char* name, const char* value,
                               int report);

/* The routines as a plug-in may keep them, in the order they are passed. */
typedef struct ZorakRoutines {
    ZorakGetVarRoutine get_var;
    ZorakSetVarRoutine set_var;
    ZorakStrAppendRoutine str_append;
    ZorakStrFreeRoutine str_free;
    ZorakFrameAtLevelRoutine frame_at_level;
    ZorakFindCommandRoutine find_command;
    ZorakGetCommandRoutine get_command;
    ZorakSplitListRoutine split_list;
    ZorakFreeVectorRoutine free_vector;
    ZorakSetResultRoutine set_result;
    ZorakAllocRoutine alloc;
    ZorakFreeRoutine free_block;
    ZorakArrayGetRoutine array_get;
    ZorakArraySetRoutine array_set;
    ZorakCopyVectorRoutine copy_vector;
    ZorakRemoveVarRoutine remove_var;
    ZorakSetRoutine set;
} ZorakRoutines;

/* ---- Exports of a plug-in ----
 * Looked up by these names; all use the C calling convention. Command
 * handlers named in the function list are exported as CommandHandler. */
#if defined(_WIN32)
#define ZORAK_PLUGIN_EXPORT __declspec(dllexport)
#else
#define ZORAK_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

/* _get_command_list and _get_function_list: parallel arrays of
 * _get_export_count names; command i runs the export named by entry i. */
typedef const char** (*ZorakGetListExport)(void);
typedef int (*ZorakGetCountExport)(void);
/* _get_dll_version: the version times 100. */
typedef int (*ZorakGetVersionExport)(void);
/* _get_dll_date and _get_dll_comment (which may answer NULL). */
typedef const char* (*ZorakGetTextExport)(void);
/* _lib_init runs after every load; _lib_cleanup(0) before the release. */
typedef int (*ZorakLibInitExport)(void);
typedef int (*ZorakLibCleanupExport)(int reserved);
/* _export_common_routines: receives the seventeen routines and returns how
 * many it accepted, which must be 17. */
typedef int (*ZorakExportRoutinesExport)(
    ZorakGetVarRoutine get_var, ZorakSetVarRoutine set_var, ZorakStrAppendRoutine str_append,
    ZorakStrFreeRoutine str_free, ZorakFrameAtLevelRoutine frame_at_level,
    ZorakFindCommandRoutine find_command, ZorakGetCommandRoutine get_command,
    ZorakSplitListRoutine split_list, ZorakFreeVectorRoutine free_vector,
    ZorakSetResultRoutine set_result, ZorakAllocRoutine alloc, ZorakFreeRoutine free_block,
    ZorakArrayGetRoutine array_get, ZorakArraySetRoutine array_set,
    ZorakCopyVectorRoutine copy_vector, ZorakRemoveVarRoutine remove_var, ZorakSetRoutine set);

#ifdef __cplusplus
}
#endif

#endif
