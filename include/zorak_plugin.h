/* Zorak plug-in ABI: the records a command handler sees and the handler
 * signature. Built-in commands and plug-in commands share them exactly. */
#ifndef ZORAK_PLUGIN_H
#define ZORAK_PLUGIN_H

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

#ifdef __cplusplus
}
#endif

#endif
