// The commands that read and assign variables: set (also = and variable).
#include "interp/errors.h"
#include "interp/registry.h"
#include "vars/variables.h"

#include <cstring>

int zorakCommandSet(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (std::strcmp(name, "-") == 0) return OK;
    if (!*name) {
        zorakReportError(interp, "%s: Variable name is empty\n", "set");
        return ERROR;
    }
    return set_value(interp, name, argc == 3 ? argv[2] : nullptr, 1);
}

void zorakRegisterVariableCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "set", zorakCommandSet, nullptr, 0);
    zorakRegisterCommand(interp, "=", zorakCommandSet, nullptr, 0);
    zorakRegisterCommand(interp, "variable", zorakCommandSet, nullptr, 0);
}
