/* A sample Zorak plug-in, written in C against zorak_plugin.h alone.
 *
 *   lib sample            registers the commands below
 *   sample_greet ?name?   "Hello, name!" (the name defaults to the variable
 *                         greeting_name, then to "world")
 *   sample_incr var ?n?   adds n (default 1) to the variable and returns it
 *   sample_count list     the number of elements of the list
 *   sample_reverse list   the list's elements in reverse order
 *   sample_store a k v    sets element k of array a to v
 *   sample_fetch a k      the value of element k of array a
 *   sample_forget var     removes the variable; 1 when it existed
 *   sample_inits          how many times the library was initialised
 *
 * Everything the plug-in allocates for the interpreter, and everything the
 * interpreter hands it to release, goes through the routines it is lent. */
#include "zorak_plugin.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static ZorakRoutines zorak;
static int have_routines = 0;
static int init_count = 0;

static int fail(struct Interpreter* interp, const char* message) {
    zorak.set_result(interp, message, 0);
    return ZORAK_ERROR;
}

static int usage(struct Interpreter* interp, int argc, int low, int high, const char* text) {
    if (!have_routines) return ZORAK_ERROR;
    if (argc >= low && argc <= high) return ZORAK_OK;
    return fail(interp, text);
}

ZORAK_PLUGIN_EXPORT int SampleGreet(struct Interpreter* interp, int argc, char** argv,
                                    void* private_data) {
    const char* name = "world";
    char* text = NULL;
    (void)private_data;
    if (usage(interp, argc, 1, 2, "usage: sample_greet ?name?") != ZORAK_OK) return ZORAK_ERROR;
    if (argc == 2) {
        name = argv[1];
    } else {
        struct Var* var = zorak.get_var(interp, "greeting_name", ZORAK_SCOPE_CURRENT);
        if (var && var->value) name = var->value;
    }
    zorak.str_append(&text, "Hello, ");
    zorak.str_append(&text, name);
    zorak.str_append(&text, "!");
    zorak.set_result(interp, text, 0);
    zorak.str_free(&text);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleIncr(struct Interpreter* interp, int argc, char** argv,
                                   void* private_data) {
    struct Var* var;
    long value = 0, amount = 1;
    char number[32];
    (void)private_data;
    if (usage(interp, argc, 2, 3, "usage: sample_incr var ?amount?") != ZORAK_OK)
        return ZORAK_ERROR;
    if (argc == 3) amount = strtol(argv[2], NULL, 10);
    var = zorak.get_var(interp, argv[1], ZORAK_SCOPE_CURRENT);
    if (var && var->value) value = strtol(var->value, NULL, 10);
    sprintf(number, "%ld", value + amount);
    if (zorak.set_var(interp, argv[1], number) != 0) return fail(interp, "sample_incr: can't set");
    zorak.set_result(interp, number, 0);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleCount(struct Interpreter* interp, int argc, char** argv,
                                    void* private_data) {
    char** elements = NULL;
    char* number;
    int count;
    (void)private_data;
    if (usage(interp, argc, 2, 2, "usage: sample_count list") != ZORAK_OK) return ZORAK_ERROR;
    count = zorak.split_list(argv[1], &elements);
    if (count < 0) return fail(interp, "sample_count: out of memory");
    zorak.free_vector(&elements, count);
    /* A block from the library's heap, given back through the same heap. */
    number = (char*)zorak.alloc(32);
    if (!number) return fail(interp, "sample_count: out of memory");
    sprintf(number, "%d", count);
    zorak.set_result(interp, number, 0);
    zorak.free_block(number);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleReverse(struct Interpreter* interp, int argc, char** argv,
                                      void* private_data) {
    char** elements = NULL;
    char* text = NULL;
    int count, i;
    (void)private_data;
    if (usage(interp, argc, 2, 2, "usage: sample_reverse list") != ZORAK_OK) return ZORAK_ERROR;
    count = zorak.split_list(argv[1], &elements);
    if (count < 0) return fail(interp, "sample_reverse: out of memory");
    for (i = count - 1; i >= 0; i--) {
        int braces = elements[i][0] == '\0' || strchr(elements[i], ' ') != NULL;
        if (text) zorak.str_append(&text, " ");
        if (braces) zorak.str_append(&text, "{");
        zorak.str_append(&text, elements[i]);
        if (braces) zorak.str_append(&text, "}");
    }
    zorak.free_vector(&elements, count);
    zorak.set_result(interp, text ? text : "", 0);
    zorak.str_free(&text);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleStore(struct Interpreter* interp, int argc, char** argv,
                                    void* private_data) {
    (void)private_data;
    if (usage(interp, argc, 4, 4, "usage: sample_store array key value") != ZORAK_OK)
        return ZORAK_ERROR;
    if (zorak.array_set(interp, argv[1], argv[2], argv[3], 0, 0) != 0)
        return fail(interp, "sample_store: can't set the element");
    zorak.set_result(interp, argv[3], 0);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleFetch(struct Interpreter* interp, int argc, char** argv,
                                    void* private_data) {
    const char* value;
    (void)private_data;
    if (usage(interp, argc, 3, 3, "usage: sample_fetch array key") != ZORAK_OK) return ZORAK_ERROR;
    value = zorak.array_get(interp, argv[1], argv[2]);
    if (!value) return fail(interp, "sample_fetch: no such element");
    zorak.set_result(interp, value, 0);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleForget(struct Interpreter* interp, int argc, char** argv,
                                     void* private_data) {
    (void)private_data;
    if (usage(interp, argc, 2, 2, "usage: sample_forget var") != ZORAK_OK) return ZORAK_ERROR;
    zorak.set_result(interp, zorak.remove_var(interp, argv[1]) ? "1" : "0", 0);
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int SampleInits(struct Interpreter* interp, int argc, char** argv,
                                    void* private_data) {
    char number[32];
    (void)argv;
    (void)private_data;
    if (usage(interp, argc, 1, 1, "usage: sample_inits") != ZORAK_OK) return ZORAK_ERROR;
    sprintf(number, "%d", init_count);
    zorak.set_result(interp, number, 0);
    return ZORAK_OK;
}

/* ---- The exports the lib command looks for ---- */

static const char* command_names[] = {"sample_greet",   "sample_incr",  "sample_count",
                                      "sample_reverse", "sample_store", "sample_fetch",
                                      "sample_forget",  "sample_inits"};
static const char* function_names[] = {"SampleGreet",   "SampleIncr",  "SampleCount",
                                       "SampleReverse", "SampleStore", "SampleFetch",
                                       "SampleForget",  "SampleInits"};

ZORAK_PLUGIN_EXPORT const char** _get_command_list(void) {
    return command_names;
}

ZORAK_PLUGIN_EXPORT const char** _get_function_list(void) {
    return function_names;
}

ZORAK_PLUGIN_EXPORT int _get_export_count(void) {
    return (int)(sizeof command_names / sizeof command_names[0]);
}

ZORAK_PLUGIN_EXPORT int _get_dll_version(void) {
    return 102;
}

ZORAK_PLUGIN_EXPORT const char* _get_dll_date(void) {
    return "Dec 09 2026";
}

ZORAK_PLUGIN_EXPORT const char* _get_dll_comment(void) {
    return "Sample plug-in: greetings, variables, lists and arrays";
}

ZORAK_PLUGIN_EXPORT int _lib_init(void) {
    init_count++;
    return 0;
}

ZORAK_PLUGIN_EXPORT int _lib_cleanup(int reserved) {
    (void)reserved;
    have_routines = 0;
    return 0;
}

ZORAK_PLUGIN_EXPORT int _export_common_routines(
    ZorakGetVarRoutine get_var, ZorakSetVarRoutine set_var, ZorakStrAppendRoutine str_append,
    ZorakStrFreeRoutine str_free, ZorakFrameAtLevelRoutine frame_at_level,
    ZorakFindCommandRoutine find_command, ZorakGetCommandRoutine get_command,
    ZorakSplitListRoutine split_list, ZorakFreeVectorRoutine free_vector,
    ZorakSetResultRoutine set_result, ZorakAllocRoutine alloc, ZorakFreeRoutine free_block,
    ZorakArrayGetRoutine array_get, ZorakArraySetRoutine array_set,
    ZorakCopyVectorRoutine copy_vector, ZorakRemoveVarRoutine remove_var, ZorakSetRoutine set) {
    zorak.get_var = get_var;
    zorak.set_var = set_var;
    zorak.str_append = str_append;
    zorak.str_free = str_free;
    zorak.frame_at_level = frame_at_level;
    zorak.find_command = find_command;
    zorak.get_command = get_command;
    zorak.split_list = split_list;
    zorak.free_vector = free_vector;
    zorak.set_result = set_result;
    zorak.alloc = alloc;
    zorak.free_block = free_block;
    zorak.array_get = array_get;
    zorak.array_set = array_set;
    zorak.copy_vector = copy_vector;
    zorak.remove_var = remove_var;
    zorak.set = set;
    have_routines = 1;
    return ZORAK_ROUTINE_COUNT;
}
