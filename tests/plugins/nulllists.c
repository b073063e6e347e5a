/* A library with the list exports whose lists are missing: lib reports
 * that it found no functions and does not keep it. */
#include "zorak_plugin.h"

ZORAK_PLUGIN_EXPORT const char** _get_command_list(void) {
    return 0;
}

ZORAK_PLUGIN_EXPORT const char** _get_function_list(void) {
    return 0;
}

ZORAK_PLUGIN_EXPORT int _get_export_count(void) {
    return 3;
}
