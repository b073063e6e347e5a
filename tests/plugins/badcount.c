/* A plug-in built for another set of routines: it accepts 16 of them, so
 * lib must take its commands away again and release it. */
#include "zorak_plugin.h"

static const char* names[] = {"bc_hello", "bc_other"};

ZORAK_PLUGIN_EXPORT int BcHello(struct Interpreter* interp, int argc, char** argv, void* data) {
    (void)interp;
    (void)argc;
    (void)argv;
    (void)data;
    return ZORAK_OK;
}

ZORAK_PLUGIN_EXPORT const char** _get_command_list(void) {
    return names;
}

ZORAK_PLUGIN_EXPORT const char** _get_function_list(void) {
    static const char* functions[] = {"BcHello", "BcHello"};
    return functions;
}

ZORAK_PLUGIN_EXPORT int _get_export_count(void) {
    return 2;
}

ZORAK_PLUGIN_EXPORT int _export_common_routines(void) {
    return 16;
}
