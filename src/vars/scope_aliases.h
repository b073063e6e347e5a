// The register of aliases. upvar, global and static make records that point
// at another variable; the register knows, for every variable, the aliases
// that point at it, so that freeing a variable never leaves an alias
// pointing at freed memory. An alias of a freed alias is passed on to that
// alias's own target; an alias of a freed variable becomes a plain variable
// of its own, holding the value it last showed.
#pragma once

#include "zorak_plugin.h"

// Records alias as pointing at alias->parent.
void zorakAliasRegister(Var* alias);
// Called for every record about to be freed: it leaves the register, and
// the aliases that point at it are passed on or cut loose.
void zorakAliasForget(Var* var);
// The containers (table, stack, member list) of target are about to be
// freed while the record lives on: every alias that shares them, directly
// or through other aliases, drops its pointers to them.
void zorakAliasDropContainers(Var* target);
// target has just become a container variable (its type and table, stack or
// member list set): every alias that points at it, directly or through
// other aliases, takes the same type and shares the containers.
void zorakAliasShareContainers(Var* target);
// Aliases in the register; for tests.
int zorakAliasCount();
// The steps from var to the end of its alias chain, however long; -1 for a
// chain that loops (which no command can make). Walks along parent links
// take no more steps than this.
long zorakAliasChainLength(const Var* var);
// The record at the end of var's alias chain: the one that owns containers.
Var* zorakAliasChainEnd(Var* var);
