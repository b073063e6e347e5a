#pragma once

#include "interp/interp.h"

void zorakRegisterExceptionCommands(Interpreter* interp);
