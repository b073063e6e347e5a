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
// aliases that point at it, however long their chains. The walk keeps its
// own work list, so a chain of any length costs no native stack.
void dropContainers(Var* var) {
    std::vector<Var*> pending{var};
    // Alias chains cannot loop (an alias is always newer than its target);
    // the budget keeps the walk finite all the same.
    long budget = static_cast<long>(aliases.count) + 1;
    while (!pending.empty() && budget-- >= 0) {
        Var* next = pending.back();
        pending.pop_back();
        if (sharesContainers(next)) next->type = VT_AUTO;
        next->table = nullptr;
        next->stack = nullptr;
        next->list = nullptr;
        auto found = aliases.by_target.find(next);
        if (found != aliases.by_target.end())
            pending.insert(pending.end(), found->second.begin(), found->second.end());
    }
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
        dropContainers(alias);
    }
}

void zorakAliasDropContainers(Var* target) {
    if (!target || aliases.count == 0) return;
    auto found = aliases.by_target.find(target);
    if (found == aliases.by_target.end()) return;
    for (Var* alias : found->second)
        dropContainers(alias);
}

void zorakAliasShareContainers(Var* target) {
    if (!target || aliases.count == 0) return;
    std::vector<Var*> pending{target};
    long budget = static_cast<long>(aliases.count) + 1;
    while (!pending.empty() && budget-- >= 0) {
        Var* next = pending.back();
        pending.pop_back();
        auto found = aliases.by_target.find(next);
        if (found == aliases.by_target.end()) continue;
        for (Var* alias : found->second) {
            // An alias of one element stays one.
            if (alias->subscript) continue;
            alias->type = target->type;
            alias->table = target->table;
            alias->stack = target->stack;
            alias->list = target->list;
            pending.push_back(alias);
        }
    }
}

int zorakAliasCount() {
    return aliases.count;
}

long zorakAliasChainLength(const Var* var) {
    // Brent's cycle finding: a mark moves to the walker at every power of
    // two, so a walker that meets its mark has gone round a loop.
    const Var* mark = var;
    long power = 1, sinceMark = 0, hops = 0;
    for (const Var* at = var; at->parent;) {
        at = at->parent;
        hops++;
        if (at == mark) return -1;
        if (++sinceMark == power) {
            mark = at;
            power *= 2;
            sinceMark = 0;
        }
    }
    return hops;
}

Var* zorakAliasChainEnd(Var* var) {
    long hops = zorakAliasChainLength(var);
    while (var->parent && hops-- > 0)
        var = var->parent;
    return var;
}
