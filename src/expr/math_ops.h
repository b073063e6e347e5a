// The inline math commands: the operators that scripts call directly and
// that the expression engine calls for every operator it applies.
#pragma once

#include "interp/interp.h"

// The shared handler of the binary operators, comparisons, string
// comparisons and assignment forms; it tells them apart by its first word.
int zorakCommandOperator(Interpreter* interp, int argc, char** argv, void* pd);
int zorakCommandNot(Interpreter* interp, int argc, char** argv, void* pd);

// Reports a math fault on the console only (when error echo or debug is
// on) as an exception of the named command at a fixed site number.
void zorakReportMathException(const char* name, long site, const char* detail);

void zorakRegisterOperatorCommands(Interpreter* interp);
