// The increment commands, the conditional command ? and the statistics and
// conversion commands (min, max, ceil, atof, ftoa, mean, median, mode).
#pragma once

#include "interp/interp.h"

void zorakRegisterMathCommands(Interpreter* interp);
