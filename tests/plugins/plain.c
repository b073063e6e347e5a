/* A plug-in without _export_common_routines: its commands work without
 * calling back into the interpreter. Its function list also names an
 * export it does not have, and a command that clashes with a built-in. */
#include "zorak_plugin.h"

static const char* names[] = {"plain_ok", "plain_break", "plain_missing", "puts"};
static const char* functions[] = {"PlainOk", "PlainBreak", "PlainNowhere", "PlainOk"};

ZORAK_PLUGIN_EXPORT int PlainOk(struct Interpreter* interp, int argc, char** argv, void* data) {
    (void)interp;
    (void)argc;
    (void)argv;
    (void)data;
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT int PlainBreak(struct Interpreter* interp, int argc, char** argv, void* data) {
    (void)interp;
    (void)argc;
    (void)argv;
    (void)data;
    return ZORAK_BREAK;
}

ZORAK_PLUGIN_EXPORT const char** _get_command_list(void) {
    return names;
}

ZORAK_PLUGIN_EXPORT const char** _get_function_list(void) {
    return functions;
}

ZORAK_PLUGIN_EXPORT int _get_export_count(void) {
    return 4;
}
