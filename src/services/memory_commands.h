// The memory and pointer commands (malloc, free, memcpy, memset, addressof,
// ofaddress, dump ...) and call.
#pragma once

#include "interp/interp.h"

void zorakRegisterMemoryCommands(Interpreter* interp);
