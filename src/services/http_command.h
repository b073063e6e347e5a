// The http command: an HTTP/1.1 client over the platform's HTTP service.
#pragma once

#include "interp/interp.h"

void zorakRegisterHttpCommands(Interpreter* interp);
