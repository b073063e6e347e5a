// A plug-in whose commands misbehave: one throws a C++ exception, one
// returns the completion code it is given, and one runs another command's
// handler directly, which lets a script unload the plug-in from inside one
// of its own commands.
#include "zorak_plugin.h"

#include <cstdlib>
#include <stdexcept>

namespace {

ZorakGetCommandRoutine get_command = nullptr;
ZorakSetResultRoutine set_result = nullptr;
const char* names[] = {"mb_throw", "mb_code", "mb_call"};
const char* functions[] = {"MbThrow", "MbCode", "MbCall"};

} // namespace

extern "C" {

ZORAK_PLUGIN_EXPORT int MbThrow(Interpreter*, int, char**, void*) {
    throw std::runtime_error("plug-in failure");
}

ZORAK_PLUGIN_EXPORT int MbCode(Interpreter*, int argc, char** argv, void*) {
    return argc > 1 ? std::atoi(argv[1]) : 0;
}

// mb_call name ?arg ...?: calls the handler of command name with the words
// after mb_call.
ZORAK_PLUGIN_EXPORT int MbCall(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || !get_command) return ZORAK_ERROR;
    Command* command = get_command(interp, argv[1]);
    if (!command) {
        set_result(interp, "mb_call: no such command", 0);
        return ZORAK_ERROR;
    }
    return command->handler(interp, argc - 1, argv + 1, command->private_data);
}

ZORAK_PLUGIN_EXPORT const char** _get_command_list(void) {
    return names;
}

ZORAK_PLUGIN_EXPORT const char** _get_function_list(void) {
    return functions;
}

ZORAK_PLUGIN_EXPORT int _get_export_count(void) {
    return 3;
}

ZORAK_PLUGIN_EXPORT int
_export_common_routines(ZorakGetVarRoutine, ZorakSetVarRoutine, ZorakStrAppendRoutine,
                        ZorakStrFreeRoutine, ZorakFrameAtLevelRoutine, ZorakFindCommandRoutine,
                        ZorakGetCommandRoutine get, ZorakSplitListRoutine, ZorakFreeVectorRoutine,
                        ZorakSetResultRoutine set, ZorakAllocRoutine, ZorakFreeRoutine,
                        ZorakArrayGetRoutine, ZorakArraySetRoutine, ZorakCopyVectorRoutine,
                        ZorakRemoveVarRoutine, ZorakSetRoutine) {
    get_command = get;
    set_result = set;
    return ZORAK_ROUTINE_COUNT;
}

} // extern "C"
