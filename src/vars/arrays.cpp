#include "vars/arrays.h"

#include "vars/variables.h"

// Arrays keep their elements in the variable's hash table; until a variable
// owns one there is no element to find.
const char* zorakArrayGetElement(Interpreter* interp, const char* name, const char* key) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var || var->type != VT_ARRAY || !var->table || !key) return nullptr;
    return nullptr;
}
