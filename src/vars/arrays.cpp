#include "vars/arrays.h"

#include "interp/errors.h"
#include "shell/settings.h"
#include "vars/hash_table.h"
#include "vars/scope_aliases.h"
#include "vars/variables.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// A variable can become an array when it and every record it aliases are
// plain, non-constant variables; the last record may already be an array,
// whose table it then shares.
bool convertible(Var* var) {
    if (var->parent && var->subscript) return false; // an alias of one element
    Var* owner = zorakAliasChainEnd(var);
    long hops = zorakAliasChainLength(var);
    for (Var* v = var; v && hops-- >= 0; v = v->parent) {
        if (v->is_constant) return false;
        if (v->type == VT_ARRAY && v == owner && v->table) continue;
        if (v->type != VT_AUTO) return false;
    }
    return owner->parent == nullptr;
}

// Turns the plain variable var into an array. An alias hands the table to
// the variable it aliases, and every record of the chain shares it.
bool makeArray(Interpreter* interp, Var* var, const char* name, int isProtected, int ignoreCase) {
    if (set_var(interp, name, "<array>")) return false;
    Var* owner = zorakAliasChainEnd(var);
    hash_table* table = owner->type == VT_ARRAY ? owner->table : nullptr;
    if (!table) {
        table = new (std::nothrow) hash_table();
        if (!table) return false;
        if (!table->has_buckets()) {
            delete table;
            return false;
        }
        owner->table = table;
        owner->type = VT_ARRAY;
        owner->is_protected = isProtected ? 1 : 0;
        owner->ignore_case = ignoreCase ? 1 : 0;
    }
    long hops = zorakAliasChainLength(var);
    for (Var* v = var; v && v != owner && hops-- >= 0; v = v->parent) {
        v->type = VT_ARRAY;
        v->table = table;
        v->is_protected = isProtected ? 1 : 0;
        v->ignore_case = ignoreCase ? 1 : 0;
    }
    return true;
}

// The text between the "(" at open and its matching ")", or false.
bool matchingSubscript(const char* open, std::string* subscript) {
    int depth = 0;
    for (const char* c = open; *c; c++) {
        if (*c == '(')
            depth++;
        else if (*c == ')' && --depth == 0) {
            subscript->assign(open + 1, static_cast<size_t>(c - open - 1));
            return true;
        }
    }
    return false;
}

} // namespace

int array_get_element(Interpreter* interp, const char* name, const char* subscript,
                      const char** value, int nocase) {
    if (value) *value = nullptr;
    if (!name || !subscript) return 0;
    if (*name == '$') name++;
    if (!*name || !*subscript) return 0;
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var || var->type != VT_ARRAY || !var->table) return 0;
    if (!nocase && !var->ignore_case) return var->table->get(subscript, value) ? 1 : 0;
    return var->table->find_linear(subscript, value, true) ? 1 : 0;
}

int array_set_element(Interpreter* interp, const char* name, const char* subscript,
                      const char* value, int is_protected, int ignore_case) {
    if (!name || !*name || !subscript || !*subscript) return 1;
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        if (set_var(interp, name, "<array>")) return 1;
        var = zorakGetVar(interp, name, kScopeCurrent);
        if (!var) return 1;
    }
    if (var->type == VT_AUTO) {
        // A constant keeps its value: it is never turned into an array.
        if (var->is_constant) {
            zorakReportError(interp, "Can't assign to const array '%s'\n", name);
            return 1;
        }
        if (!convertible(var) || !makeArray(interp, var, name, is_protected, ignore_case)) {
            zorakReportError(interp, "Unexpected error setting array %s(%s)\n", name, subscript);
            return 1;
        }
    }
    if (var->is_constant) {
        zorakReportError(interp, "Can't assign to const array '%s'\n", name);
        return 1;
    }
    if (!var->table) return 1;
    if (!var->table->set(subscript, value ? value : "", true)) {
        zorakReportError(interp, "array set: Failed to update element\n");
        return 1;
    }
    var->changed = 1;
    return 0;
}

int array_set_element_ref(Interpreter* interp, const char* reference, const char* value) {
    if (reference && *reference == '$') reference++;
    const char* open = reference ? std::strchr(reference, '(') : nullptr;
    std::string subscript;
    if (!open || open == reference || !matchingSubscript(open, &subscript)) {
        zorakReportError(interp, "array: Error in set array\n");
        return 1;
    }
    std::string name(reference, static_cast<size_t>(open - reference));
    return array_set_element(interp, name.c_str(), subscript.c_str(), value, 0, 0);
}

int array_unset_worker(Interpreter* interp, const char* name, int complain, int allow_const) {
    bool verbose = complain && (zorakSettings.debug || zorakSettings.error_echo);
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        if (verbose)
            zorakReportError(interp, "%s %s: No such array '%s'\n", "array", "unset", name);
        return 1;
    }
    if (var->is_constant && !allow_const) {
        if (verbose) zorakReportError(interp, "%s: Can't unset a const '%s'\n", "array", name);
        return 1;
    }
    // A struct goes with its members and its block, as unset removes it.
    if (var->type == VT_STRUCT && zorakVarHooks.struct_unset)
        return zorakVarHooks.struct_unset(interp, name) == 0 ? 0 : 1;
    if (!var->parent) {
        zorakAliasDropContainers(var);
        delete var->table;
    }
    var->table = nullptr;
    var->type = VT_AUTO;
    var->is_constant = 0;
    return zorakRemoveVar(interp, name) ? 0 : 1;
}

int array_unset_variable(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->type == VT_ARRAY && var->table) {
        if (!var->parent) {
            zorakAliasDropContainers(var);
            delete var->table;
        }
        var->table = nullptr;
        var->type = VT_AUTO;
    }
    char word[] = "unset", nocomplain[] = "-nocomplain", allowConst[] = "-const";
    char* words[] = {word, const_cast<char*>(name), nocomplain, allowConst, nullptr};
    return zorakCommandUnset(interp, 4, words, nullptr);
}

const char* zorakArrayGetElement(Interpreter* interp, const char* name, const char* key) {
    const char* value = nullptr;
    if (!array_get_element(interp, name, key, &value, 0)) return nullptr;
    return value ? value : "";
}
