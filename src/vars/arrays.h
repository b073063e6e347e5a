// Array element access used by the evaluator and the variable commands.
#pragma once

#include "interp/interp.h"

// The value of element key of the array named name in the current scope, or
// null when the array or the element does not exist.
const char* zorakArrayGetElement(Interpreter* interp, const char* name, const char* key);
