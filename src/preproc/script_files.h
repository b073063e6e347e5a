#pragma once

#include "interp/interp.h"

void zorakRegisterScriptFileCommands(Interpreter* interp);
