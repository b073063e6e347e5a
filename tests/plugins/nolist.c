/* A library that offers a version and a date but no command lists: lib
 * must refuse it and keep nothing of it. */
#include "zorak_plugin.h"

ZORAK_PLUGIN_EXPORT int _get_dll_version(void) {
    return 100;
}

ZORAK_PLUGIN_EXPORT const char* _get_dll_date(void) {
    return "Jan 01 2026";
}
