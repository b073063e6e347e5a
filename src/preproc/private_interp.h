// The preprocessor's own interpreter: #if and #exec lines run there, so they
// can neither see nor change the variables of the script being loaded.
#pragma once

#include "interp/interp.h"

#include <string>

Interpreter* createPrivateInterp();
void destroyPrivateInterp(Interpreter* interp);
// Evaluates script in the private interpreter; value receives its result.
int evaluateInPrivateInterp(Interpreter* interp, const char* script, std::string* value);
