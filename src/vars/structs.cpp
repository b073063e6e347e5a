// The struct layer: the register of live struct blocks, field reads, member
// lookup and release. The struct commands (struct_commands.cpp) and the
// variable layer's hooks come through here, so every address a script can
// have written is checked in one place before it is followed.
#include "vars/structs.h"

#include "console/console.h"
#include "interp/errors.h"
#include "util/heap_text.h"
#include "vars/scope_aliases.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>
#include <unordered_map>

namespace {

struct StructBlock {
    size_t size;
    Var* owner;
};

// Every struct block alive in the process, by start address, and the block
// each struct record owns. A block leaves the register before it is freed,
// so a stale address is refused like a forged one.
struct StructRegister {
    std::map<uintptr_t, StructBlock> blocks;
    std::unordered_map<const Var*, uintptr_t> by_owner;
};

StructRegister structRegister;

std::string_view afterQualifier(std::string_view name) {
    size_t at = name.rfind("::");
    return at == std::string_view::npos ? name : name.substr(at + 2);
}

// Takes a record out of whichever frame of the current chain holds it.
bool unlinkAnywhere(Interpreter* interp, Var* var) {
    for (CallFrame* frame = interp->callframe; frame; frame = frame->parent)
        if (zorakUnlinkVar(frame, var)) return true;
    return false;
}

void forgetBlock(const Var* owner) {
    auto found = structRegister.by_owner.find(owner);
    if (found == structRegister.by_owner.end()) return;
    uintptr_t start = found->second;
    structRegister.by_owner.erase(found);
    structRegister.blocks.erase(start);
    std::free(reinterpret_cast<void*>(start));
}

} // namespace

bool zorakStructParseAddress(const char* text, uintptr_t* address) {
    if (!text) return false;
    std::string_view digits = text;
    while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
        digits.remove_prefix(1);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
        digits.remove_suffix(1);
    if (digits.empty()) return false;
    uintptr_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        uintptr_t digit = static_cast<uintptr_t>(c - '0');
        if (value > (UINTPTR_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    *address = value;
    return value != 0;
}

std::string zorakStructDescribeAddress(const char* text) {
    uintptr_t address = 0;
    if (!zorakStructParseAddress(text, &address))
        return std::string("'") + (text ? text : "") + "'";
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%llx", static_cast<unsigned long long>(address));
    return hex;
}

bool zorakStructBlockExtent(uintptr_t address, size_t* available) {
    auto after = structRegister.blocks.upper_bound(address);
    if (after == structRegister.blocks.begin()) return false;
    auto block = std::prev(after);
    size_t offset = address - block->first;
    if (offset >= block->second.size) return false;
    *available = block->second.size - offset;
    return true;
}

bool zorakStructRangeIsLive(uintptr_t address, size_t length) {
    size_t available = 0;
    return zorakStructBlockExtent(address, &available) && length <= available;
}

int zorakStructBlockCount() {
    return static_cast<int>(structRegister.blocks.size());
}

// A zeroed block of size bytes entered in the register for owner.
unsigned char* zorakStructAllocate(Var* owner, size_t size) {
    void* block = std::calloc(size, 1);
    if (!block) return nullptr;
    uintptr_t start = reinterpret_cast<uintptr_t>(block);
    structRegister.blocks[start] = StructBlock{size, owner};
    structRegister.by_owner[owner] = start;
    return static_cast<unsigned char*>(block);
}

// The block owned by a struct record (whatever its value text says), or null.
unsigned char* zorakStructBlock(const Var* owner, size_t* size) {
    auto found = structRegister.by_owner.find(owner);
    if (found == structRegister.by_owner.end()) return nullptr;
    *size = structRegister.blocks[found->second].size;
    return reinterpret_cast<unsigned char*>(found->second);
}

// The bytes a field's value points at, after the register confirms the
// whole field lies in a live block; null (reported under command) otherwise.
unsigned char* zorakStructFieldBytes(Interpreter* interp, const char* command, Var* member) {
    uintptr_t address = 0;
    size_t size = member->size > 0 ? static_cast<size_t>(member->size) : 0;
    if (size == 0 || !zorakStructParseAddress(member->value, &address) ||
        !zorakStructRangeIsLive(address, size)) {
        zorakReportError(interp, "%s: Address %s of '%s' is not inside a live struct\n", command,
                         zorakStructDescribeAddress(member->value).c_str(),
                         member->name ? member->name : "");
        return nullptr;
    }
    return reinterpret_cast<unsigned char*>(address);
}

void zorakHexDump(const unsigned char* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    for (size_t line = 0; line < size; line += 16) {
        std::string hex, text;
        for (size_t i = line; i < line + 16; i++) {
            if (i >= size) {
                hex += "   ";
                continue;
            }
            hex += digits[bytes[i] >> 4];
            hex += digits[bytes[i] & 15];
            hex += ' ';
            text += bytes[i] >= 32 && bytes[i] < 127 ? static_cast<char>(bytes[i]) : '.';
        }
        console_printf("%04llx  %s %s\n", static_cast<unsigned long long>(line), hex.c_str(),
                       text.c_str());
    }
}

char* zorakStructMemberText(Interpreter* interp, Var* member) {
    if (!member) return nullptr;
    unsigned char* bytes = zorakStructFieldBytes(interp, "struct item", member);
    if (!bytes) return nullptr;
    size_t size = static_cast<size_t>(member->size);
    const void* zero = std::memchr(bytes, 0, size);
    size_t length =
        zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - bytes) : size;
    return zorakStrDup(std::string_view(reinterpret_cast<const char*>(bytes), length));
}

Var* zorakStructFindMember(Interpreter*, Var* var, const char* name) {
    if (!var || !var->list || !name) return nullptr;
    std::string_view wanted = afterQualifier(name);
    for (Var* member : var->list->members)
        if (member->name && afterQualifier(member->name) == wanted) return member;
    return nullptr;
}

void zorakStructRelease(Var* var) {
    if (!var || var->parent) return;
    forgetBlock(var);
    delete var->list;
    var->list = nullptr;
}

int zorakStructUnset(Interpreter* interp, const char* name, bool complain) {
    Var* named = zorakGetVar(interp, name, kScopeCurrent);
    if (!named) return 1;
    Var* var = named->parent ? zorakAliasChainEnd(named) : named;
    if (!var || var->type != VT_STRUCT || !var->list) {
        if (complain) zorakReportError(interp, "%s: '%s' not found\n", "struct unset", name);
        return 1;
    }
    int failed = 0;
    for (Var* member : var->list->members) {
        if (!unlinkAnywhere(interp, member)) {
            if (complain)
                zorakReportError(interp, "Failed to release struct member '%s'\n", member->name);
            failed = 1;
            continue;
        }
        zorakFreeVar(member);
    }
    zorakStructRelease(var);
    zorakStrFree(&var->value);
    zorakValueChanged(var);
    if (!unlinkAnywhere(interp, var)) {
        if (complain) zorakReportError(interp, "%s: Failed to delete '%s'\n", "struct unset", name);
        return 1;
    }
    zorakFreeVar(var);
    // An alias named in the command goes with the struct it stood for; the
    // freeing above has already cut it loose from its target.
    if (named != var && unlinkAnywhere(interp, named)) zorakFreeVar(named);
    return failed;
}
