#include "vars/scope_aliases.h"

#include "vars/variables.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// For every variable that aliases point at, the aliases that point at it.
struct AliasRegister {
    std::unordered_map<Var*, std::vector<Var*>> by_target;
    int count = 0;
};

AliasRegister aliases;

bool sharesContainers(const Var* var) {
    return var->type == VT_ARRAY || var->type == VT_DICTIONARY || var->type == VT_STACK ||
           var->type == VT_STRUCT;
}

// var no longer reaches any container through its pointers; neither do the
// aliases that point at it.
void dropContainers(Var* var, int depth) {
    // Alias chains cannot loop (an alias is always newer than its target),
    // but the walk stays bounded all the same.
    if (depth > 4096) return;
    if (sharesContainers(var)) var->type = VT_AUTO;
    var->table = nullptr;
    var->stack = nullptr;
    var->list = nullptr;
    auto found = aliases.by_target.find(var);
    if (found == aliases.by_target.end()) return;
    for (Var* alias : found->second)
        dropContainers(alias, depth + 1);
}

void removeFrom(Var* target, Var* alias) {
    auto found = aliases.by_target.find(target);
    if (found == aliases.by_target.end()) return;
    std::vector<Var*>& list = found->second;
    auto at = std::find(list.begin(), list.end(), alias);
    if (at == list.end()) return;
    list.erase(at);
    aliases.count--;
    if (list.empty()) aliases.by_target.erase(found);
}

} // namespace

void zorakAliasRegister(Var* alias) {
    if (!alias || !alias->parent) return;
    aliases.by_target[alias->parent].push_back(alias);
    aliases.count++;
}

void zorakAliasForget(Var* var) {
    if (!var || aliases.count == 0) return;
    if (var->parent) removeFrom(var->parent, var);
    auto found = aliases.by_target.find(var);
    if (found == aliases.by_target.end()) return;
    std::vector<Var*> pointing = std::move(found->second);
    aliases.by_target.erase(found);
    aliases.count -= static_cast<int>(pointing.size());
    for (Var* alias : pointing) {
        if (var->parent) {
            // The freed record was an alias itself: its target lives on and
            // holds the same containers.
            alias->parent = var->parent;
            zorakAliasRegister(alias);
            continue;
        }
        alias->parent = nullptr;
        dropContainers(alias, 0);
    }
}

void zorakAliasDropContainers(Var* target) {
    if (!target || aliases.count == 0) return;
    auto found = aliases.by_target.find(target);
    if (found == aliases.by_target.end()) return;
    for (Var* alias : found->second)
        dropContainers(alias, 0);
}

int zorakAliasCount() {
    return aliases.count;
}
