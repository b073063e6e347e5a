// Plug-in libraries: the lib command, the process-wide table of the modules
// it has loaded, and the routines it lends to each plug-in.
#pragma once

#include "interp/interp.h"

#include <memory>
#include <string>
#include <vector>

struct LibModule;

// What a command registered from a plug-in carries as its private data: the
// export that implements it and the module that holds the export.
struct PluginCommand {
    LibModule* module;
    CommandHandler function;
};

// One loaded plug-in library.
struct LibModule {
    // The library's file name without directory and extension.
    std::string name;
    intptr_t handle = 0;
    // Calls of the module's commands in progress; the library is not
    // released while one runs.
    int active = 0;
    std::vector<std::unique_ptr<PluginCommand>> commands;
};

// The modules loaded so far, in load order. They stay loaded until a script
// unloads them; the interpreter's release leaves them alone.
struct LibModuleTable {
    std::vector<std::unique_ptr<LibModule>> modules;
};
extern LibModuleTable zorakLibModules;

// Hands the seventeen routines to a plug-in's _export_common_routines and
// returns its answer (-1 when the call failed).
int zorakLibExportRoutines(ZorakExportRoutinesExport exporter);

void zorakRegisterLibCommands(Interpreter* interp);
