// Array elements: an array is a type-2 variable whose table maps subscripts
// to element values. These are the element primitives that the evaluator,
// set and unset use.
#pragma once

#include "interp/interp.h"

// 1 when the element exists (value receives the element's value, which the
// table owns), else 0. A leading "$" on the name is skipped. The table is
// scanned ignoring case when nocase is set or the array ignores case.
int array_get_element(Interpreter* interp, const char* name, const char* subscript,
                      const char** value, int nocase);
// Assigns one element, making the array (or turning a plain variable into
// one) when needed; the flags apply when the array is made. 0 or 1.
int array_set_element(Interpreter* interp, const char* name, const char* subscript,
                      const char* value, int is_protected, int ignore_case);
// The same for a reference "name(subscript)".
int array_set_element_ref(Interpreter* interp, const char* reference, const char* value);
// Removes the array variable name: its table goes, then unset -nocomplain -const.
int array_unset_variable(Interpreter* interp, const char* name);
// Removes the array variable name the way "array unset name" does: it must
// exist and, unless allow_const, must not be a constant. Messages only when
// complaining and the debug flag or error echo is on. 0 when removed, else 1.
int array_unset_worker(Interpreter* interp, const char* name, int complain, int allow_const);

// The value of element key of the array named name in the current scope, or
// null when the array or the element does not exist.
const char* zorakArrayGetElement(Interpreter* interp, const char* name, const char* key);
