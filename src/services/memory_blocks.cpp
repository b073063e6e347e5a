// The register of memory that scripts reach by address: blocks made by
// malloc and strptr, views of variables' value texts made by addressof, and
// (through the struct layer) struct blocks. See memory_blocks.h.
#include "services/memory_blocks.h"

#include "util/number_text.h"
#include "vars/scope_aliases.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace {

// The register's own numbers: above every address a user-mode block can
// have (the kernel's half of a 32-bit address space; far above the
// canonical user range on 64-bit systems). They are handed out in rising
// order and never again, with a gap after each block, so the address one
// past a block's end never starts another.
#if UINTPTR_MAX > 0xffffffffu
constexpr uintptr_t kWindowStart = uintptr_t(1) << 62;
constexpr uintptr_t kWindowEnd = uintptr_t(1) << 63;
#else
constexpr uintptr_t kWindowStart = 0x80000000u;
constexpr uintptr_t kWindowEnd = 0xf0000000u;
#endif
constexpr uintptr_t kGap = 16;
// Views stay recorded while their variables keep their values; past this
// many, the views whose variables have moved on are dropped.
constexpr size_t kMaxViews = 1024;
// Released blocks remembered so that their addresses are reported as
// freed rather than unknown.
constexpr size_t kMaxRetired = 4096;

enum class BlockKind { Heap, View, Freed, Stale };

struct MemoryBlock {
    BlockKind kind = BlockKind::Heap;
    size_t size = 0;
    unsigned char* data = nullptr; // Heap: the block, owned
    // View: the variable record and the value text it held when recorded.
    // Neither is followed until the record is found among the live frames
    // and still holds that very text.
    const Var* var = nullptr;
    const char* value = nullptr;
    std::string name;
    bool read_only = false;
};

struct MemoryRegister {
    std::map<uintptr_t, MemoryBlock> blocks;
    uintptr_t next = kWindowStart;
    size_t views = 0;
    size_t live_bytes = 0;
    size_t live_blocks = 0;
    std::deque<uintptr_t> retired;
    std::vector<std::unique_ptr<unsigned char[]>> leaked;
    size_t leaked_bytes = 0;
};

MemoryRegister memoryRegister;

bool inWindow(uintptr_t address) {
    return address >= kWindowStart && address < kWindowEnd;
}

// A fresh range of the register's numbers for size bytes; 0 when spent.
uintptr_t takeRange(size_t size) {
    MemoryRegister& reg = memoryRegister;
    uintptr_t span = (static_cast<uintptr_t>(size) + kGap + 15) & ~uintptr_t(15);
    if (reg.next >= kWindowEnd || kWindowEnd - reg.next <= span) return 0;
    uintptr_t start = reg.next;
    reg.next += span;
    return start;
}

void retire(uintptr_t start, MemoryBlock& block, BlockKind kind) {
    MemoryRegister& reg = memoryRegister;
    if (block.kind == BlockKind::View) reg.views--;
    block.kind = kind;
    block.var = nullptr;
    block.value = nullptr;
    reg.retired.push_back(start);
    while (reg.retired.size() > kMaxRetired) {
        reg.blocks.erase(reg.retired.front());
        reg.retired.pop_front();
    }
}

// True when var is a record of one of the interpreter's live frames. Only
// live records are read: var itself is compared, never followed.
bool varIsLive(Interpreter* interp, const Var* var) {
    for (CallFrame* frame = interp ? interp->callframe : nullptr; frame; frame = frame->parent)
        for (Var* each = frame->vars; each; each = each->next)
            if (each == var) return true;
    return false;
}

// The text a view reaches now, or null when its variable has gone or
// holds another value text.
const Var* viewTarget(Interpreter* interp, const MemoryBlock& block) {
    if (!varIsLive(interp, block.var) || block.var->value != block.value) return nullptr;
    return block.var;
}

std::string describe(uintptr_t address) {
    return zorakMemoryAddressText(address);
}

// Drops the views whose variables have moved on to another value.
void sweepViews(Interpreter* interp) {
    // Retiring may forget old entries, so the map is not walked meanwhile.
    std::vector<uintptr_t> gone;
    for (auto& [start, block] : memoryRegister.blocks)
        if (block.kind == BlockKind::View && !viewTarget(interp, block)) gone.push_back(start);
    for (uintptr_t start : gone) {
        auto found = memoryRegister.blocks.find(start);
        if (found != memoryRegister.blocks.end()) retire(start, found->second, BlockKind::Stale);
    }
}

} // namespace

bool zorakMemoryParseAddress(const char* text, uintptr_t* address) {
    return zorakMemoryParseNumber(text, address) && *address != 0;
}

bool zorakMemoryParseNumber(const char* text, uintptr_t* number) {
    if (!text) return false;
    std::string_view digits = text;
    while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
        digits.remove_prefix(1);
    while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
        digits.remove_suffix(1);
    unsigned base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty()) return false;
    uintptr_t value = 0;
    for (char c : digits) {
        unsigned digit = static_cast<unsigned>(zorakDigitValue(c));
        if (digit >= base) return false;
        if (value > (UINTPTR_MAX - digit) / base) return false;
        value = value * base + digit;
    }
    *number = value;
    return true;
}

std::string zorakMemoryAddressText(uintptr_t address) {
    return std::to_string(static_cast<unsigned long long>(address));
}

bool zorakMemoryExtent(Interpreter* interp, uintptr_t address, bool write, unsigned char** bytes,
                       size_t* available, std::string* why) {
    if (!inWindow(address)) {
        if (zorakStructBlockExtent(address, available)) {
            *bytes = reinterpret_cast<unsigned char*>(address);
            return true;
        }
        *why = "Address " + describe(address) + " is not inside a live block";
        return false;
    }
    auto& blocks = memoryRegister.blocks;
    auto after = blocks.upper_bound(address);
    if (after == blocks.begin()) {
        *why = "Address " + describe(address) + " is not inside a live block";
        return false;
    }
    auto found = std::prev(after);
    MemoryBlock& block = found->second;
    size_t offset = static_cast<size_t>(address - found->first);
    if (offset > block.size) {
        *why = "Address " + describe(address) + " is not inside a live block";
        return false;
    }
    switch (block.kind) {
    case BlockKind::Freed:
        *why = "Block " + describe(found->first) + " has been freed";
        return false;
    case BlockKind::Stale:
        *why =
            "Variable '" + block.name + "' no longer holds the value at " + describe(found->first);
        return false;
    case BlockKind::Heap:
        *bytes = block.data + offset;
        *available = block.size - offset;
        return true;
    case BlockKind::View: {
        const Var* var = viewTarget(interp, block);
        if (!var) {
            *why = "Variable '" + block.name + "' no longer holds the value at " +
                   describe(found->first);
            // A variable that left the chain of frames during an uplevel may
            // come back; only a changed value is final.
            if (varIsLive(interp, block.var)) retire(found->first, block, BlockKind::Stale);
            return false;
        }
        if (write && block.read_only) {
            *why =
                "Constant '" + block.name + "' at " + describe(found->first) + " cannot be written";
            return false;
        }
        // Never past the current text: its terminating zero stays in place.
        size_t length = std::strlen(var->value);
        if (length > block.size) length = block.size;
        if (offset > length) {
            *why = "Address " + describe(address) + " is past the end of variable '" + block.name +
                   "'";
            return false;
        }
        *bytes = reinterpret_cast<unsigned char*>(var->value) + offset;
        *available = length - offset;
        return true;
    }
    }
    return false;
}

unsigned char* zorakMemoryResolve(Interpreter* interp, uintptr_t address, size_t length, bool write,
                                  std::string* why) {
    unsigned char* bytes = nullptr;
    size_t available = 0;
    if (!zorakMemoryExtent(interp, address, write, &bytes, &available, why)) return nullptr;
    if (length > available) {
        *why = "Range of " + std::to_string(length) + " bytes at " + describe(address) +
               " runs past the end of its block (" + std::to_string(available) + " left)";
        return nullptr;
    }
    return bytes;
}

uintptr_t zorakMemoryAllocate(size_t size, std::string* why) {
    if (size < 1 || size > kMemoryMaxBlock) {
        *why = "Invalid size " + std::to_string(size) + " (1 to " +
               std::to_string(kMemoryMaxBlock) + ")";
        return 0;
    }
    void* data = std::calloc(size, 1);
    if (!data) {
        *why = "Out of memory for " + std::to_string(size) + " bytes";
        return 0;
    }
    uintptr_t start = takeRange(size);
    if (!start) {
        std::free(data);
        *why = "No addresses left";
        return 0;
    }
    MemoryBlock block;
    block.kind = BlockKind::Heap;
    block.size = size;
    block.data = static_cast<unsigned char*>(data);
    memoryRegister.blocks[start] = std::move(block);
    memoryRegister.live_bytes += size;
    memoryRegister.live_blocks++;
    return start;
}

bool zorakMemoryFree(uintptr_t address, std::string* why) {
    auto found =
        inWindow(address) ? memoryRegister.blocks.find(address) : memoryRegister.blocks.end();
    if (found == memoryRegister.blocks.end()) {
        size_t available = 0;
        if (!inWindow(address) && zorakStructBlockExtent(address, &available))
            *why = "Address " + describe(address) + " belongs to a struct (use struct unset)";
        else
            *why = "Address " + describe(address) + " is not the start of a block from malloc";
        return false;
    }
    MemoryBlock& block = found->second;
    if (block.kind == BlockKind::Freed) {
        *why = "Block " + describe(address) + " has been freed already";
        return false;
    }
    if (block.kind != BlockKind::Heap) {
        *why = "Address " + describe(address) + " is a variable's value, not a block from malloc";
        return false;
    }
    std::free(block.data);
    block.data = nullptr;
    memoryRegister.live_bytes -= block.size;
    memoryRegister.live_blocks--;
    retire(address, block, BlockKind::Freed);
    return true;
}

uintptr_t zorakMemoryAddressOf(Interpreter* interp, Var* var, std::string* why) {
    if (var && var->parent) var = zorakAliasChainEnd(var);
    if (!var || !var->value || var->type != VT_AUTO) {
        *why = std::string("Variable '") + (var && var->name ? var->name : "") +
               "' has no value text (type " + var_type_name(var ? var->type : VT_UNKNOWN) + ")";
        return 0;
    }
    // One address per variable and value: asking again gives the same one.
    for (auto& [start, block] : memoryRegister.blocks)
        if (block.kind == BlockKind::View && block.var == var && block.value == var->value &&
            viewTarget(interp, block))
            return start;
    if (memoryRegister.views >= kMaxViews) sweepViews(interp);
    if (memoryRegister.views >= kMaxViews) {
        *why = "Too many variables addressed at once (" + std::to_string(kMaxViews) + ")";
        return 0;
    }
    size_t length = std::strlen(var->value);
    uintptr_t start = takeRange(length);
    if (!start) {
        *why = "No addresses left";
        return 0;
    }
    MemoryBlock block;
    block.kind = BlockKind::View;
    block.size = length;
    block.var = var;
    block.value = var->value;
    block.name = var->name ? var->name : "";
    block.read_only = var->is_constant != 0;
    memoryRegister.blocks[start] = std::move(block);
    memoryRegister.views++;
    return start;
}

bool zorakMemoryLeak(size_t size, size_t* total, std::string* why) {
    MemoryRegister& reg = memoryRegister;
    if (size < 1 || size > kMemoryMaxLeak - reg.leaked_bytes) {
        *why = "Invalid size " + std::to_string(size) + " (" +
               std::to_string(kMemoryMaxLeak - reg.leaked_bytes) + " bytes may still be kept)";
        return false;
    }
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[size]);
    if (!block) {
        *why = "Out of memory for " + std::to_string(size) + " bytes";
        return false;
    }
    reg.leaked.push_back(std::move(block));
    reg.leaked_bytes += size;
    *total = reg.leaked_bytes;
    return true;
}

size_t zorakMemoryLiveBlocks(size_t* bytes) {
    if (bytes) *bytes = memoryRegister.live_bytes;
    return memoryRegister.live_blocks;
}
