// The memory and pointer commands: blocks from malloc and strptr, the
// addresses of variables' values, copies, fills, reads and dumps of bytes,
// and call. Every address a script passes is checked against the register of
// live blocks (memory_blocks.h) before a byte is touched, and call runs a
// command by name, never code at an address.
#include "services/memory_commands.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "services/memory_blocks.h"
#include "util/heap_text.h"
#include "vars/scope_aliases.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Reports a failure and leaves an empty result, so that no word substituted
// for the failing command is taken for its answer.
int fail(Interpreter* interp, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
int fail(Interpreter* interp, const char* format, ...) {
    va_list args;
    va_start(args, format);
    zorakReportErrorV(interp, format, args);
    va_end(args);
    zorakSetResult(interp, "", 0);
    return ERROR;
}

void setAddressResult(Interpreter* interp, uintptr_t address) {
    zorakSetResult(interp, zorakMemoryAddressText(address).c_str(), 0);
}

// The address word of a command; reported when it is not one.
bool addressWord(Interpreter* interp, const char* command, const char* word, uintptr_t* address) {
    if (zorakMemoryParseAddress(word, address)) return true;
    fail(interp, "%s: Invalid address '%s'\n", command, word);
    return false;
}

// A byte count: 0 up to the largest block.
bool countWord(Interpreter* interp, const char* command, const char* word, size_t* count) {
    uintptr_t value = 0;
    if (zorakMemoryParseNumber(word, &value) && value <= kMemoryMaxBlock) {
        *count = static_cast<size_t>(value);
        return true;
    }
    fail(interp, "%s: Invalid count '%s'\n", command, word);
    return false;
}

// The live bytes of [address, address + length), or null (reported).
unsigned char* rangeOf(Interpreter* interp, const char* command, uintptr_t address, size_t length,
                       bool write) {
    std::string why;
    unsigned char* bytes = zorakMemoryResolve(interp, address, length, write, &why);
    if (!bytes) fail(interp, "%s: %s\n", command, why.c_str());
    return bytes;
}

// malloc size: a new zeroed block; the result is its address.
int zorakCommandMalloc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    uintptr_t size = 0;
    if (!zorakMemoryParseNumber(argv[1], &size)) {
        return fail(interp, "%s: Invalid size '%s'\n", argv[0], argv[1]);
    }
    std::string why;
    uintptr_t address = zorakMemoryAllocate(static_cast<size_t>(size), &why);
    if (!address) {
        return fail(interp, "%s: %s\n", argv[0], why.c_str());
    }
    setAddressResult(interp, address);
    return OK;
}

// free address: releases a block from malloc or strptr; the result is "1".
int zorakCommandFree(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = 0;
    if (!addressWord(interp, argv[0], argv[1], &address)) return ERROR;
    std::string why;
    if (!zorakMemoryFree(address, &why)) {
        return fail(interp, "%s: %s\n", argv[0], why.c_str());
    }
    zorakSetResult(interp, "1", 0);
    return OK;
}

// memcpy target source count: copies count bytes (the ranges may overlap);
// the result is the target address.
int zorakCommandMemcpy(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    uintptr_t target = 0, source = 0;
    size_t count = 0;
    if (!addressWord(interp, argv[0], argv[1], &target) ||
        !addressWord(interp, argv[0], argv[2], &source) ||
        !countWord(interp, argv[0], argv[3], &count))
        return ERROR;
    unsigned char* to = rangeOf(interp, argv[0], target, count, true);
    if (!to) return ERROR;
    unsigned char* from = rangeOf(interp, argv[0], source, count, false);
    if (!from) return ERROR;
    if (count) std::memmove(to, from, count);
    setAddressResult(interp, target);
    return OK;
}

// memset address byte count: fills count bytes with byte (0 to 255, or one
// character); the result is the address.
int zorakCommandMemset(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = 0, fill = 0;
    size_t count = 0;
    if (!addressWord(interp, argv[0], argv[1], &address)) return ERROR;
    bool number = zorakMemoryParseNumber(argv[2], &fill);
    if (!number && argv[2][0] && !argv[2][1]) {
        fill = static_cast<unsigned char>(argv[2][0]);
        number = true;
    }
    if (!number || fill > 255) {
        return fail(interp, "%s: Invalid byte value '%s' (0 to 255)\n", argv[0], argv[2]);
    }
    if (!countWord(interp, argv[0], argv[3], &count)) return ERROR;
    unsigned char* bytes = rangeOf(interp, argv[0], address, count, true);
    if (!bytes) return ERROR;
    if (count) std::memset(bytes, static_cast<int>(fill), count);
    setAddressResult(interp, address);
    return OK;
}

// ofaddress address ?length?: the text at address up to its first zero byte,
// never past the end of the block (nor past length bytes).
int zorakCommandOfAddress(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = 0;
    if (!addressWord(interp, argv[0], argv[1], &address)) return ERROR;
    unsigned char* bytes = nullptr;
    size_t available = 0;
    if (argc == 3) {
        if (!countWord(interp, argv[0], argv[2], &available)) return ERROR;
        bytes = rangeOf(interp, argv[0], address, available, false);
        if (!bytes) return ERROR;
    } else {
        std::string why;
        if (!zorakMemoryExtent(interp, address, false, &bytes, &available, &why)) {
            return fail(interp, "%s: %s\n", argv[0], why.c_str());
        }
    }
    const void* zero = available ? std::memchr(bytes, 0, available) : nullptr;
    size_t length =
        zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - bytes) : available;
    std::string text(reinterpret_cast<const char*>(bytes), length);
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

// ofaddressb address length: exactly length bytes, zero bytes included, as
// pairs of hexadecimal digits.
int zorakCommandOfAddressB(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = 0;
    size_t length = 0;
    if (!addressWord(interp, argv[0], argv[1], &address) ||
        !countWord(interp, argv[0], argv[2], &length))
        return ERROR;
    const unsigned char* bytes = rangeOf(interp, argv[0], address, length, false);
    if (!bytes) return ERROR;
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(length * 2);
    for (size_t i = 0; i < length; i++) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    zorakSetResult(interp, hex.c_str(), 0);
    return OK;
}

// The variable a memory command names, followed to its alias target;
// reported when missing.
Var* namedVar(Interpreter* interp, const char* command, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->parent) var = zorakAliasChainEnd(var);
    if (!var) fail(interp, "%s: Variable '%s' not found\n", command, name);
    return var;
}

// The address of a variable: a struct's or a field's own (the one its value
// holds), else the address of its value text.
uintptr_t addressOfVar(Interpreter* interp, const char* command, const char* name) {
    Var* var = namedVar(interp, command, name);
    if (!var) return 0;
    if (var->type == VT_STRUCT || var->type == VT_FIELD) {
        uintptr_t address = 0;
        if (!zorakStructParseAddress(var->value, &address) || !zorakStructRangeIsLive(address, 1)) {
            fail(interp, "%s: Struct '%s' has no live block\n", command, name);
            return 0;
        }
        return address;
    }
    std::string why;
    uintptr_t address = zorakMemoryAddressOf(interp, var, &why);
    if (!address) fail(interp, "%s: %s\n", command, why.c_str());
    return address;
}

// addressof name: the address of the variable's value; valid while the
// variable keeps that value.
int zorakCommandAddressOf(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = addressOfVar(interp, argv[0], argv[1]);
    if (!address) return ERROR;
    setAddressResult(interp, address);
    return OK;
}

// addressofb name: the same address in hexadecimal ("0x...").
int zorakCommandAddressOfB(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = addressOfVar(interp, argv[0], argv[1]);
    if (!address) return ERROR;
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%llx", static_cast<unsigned long long>(address));
    zorakSetResult(interp, hex, 0);
    return OK;
}

// strptr text: a new block holding the text and a terminating zero; the
// result is its address (release it with free).
int zorakCommandStrptr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    size_t length = std::strlen(argv[1]);
    std::string why;
    uintptr_t address = length < kMemoryMaxBlock ? zorakMemoryAllocate(length + 1, &why) : 0;
    if (!address) {
        return fail(interp, "%s: %s\n", argv[0], why.empty() ? "Text too long" : why.c_str());
    }
    unsigned char* bytes = zorakMemoryResolve(interp, address, length + 1, true, &why);
    if (!bytes) return fail(interp, "%s: %s\n", argv[0], why.c_str());
    std::memcpy(bytes, argv[1], length);
    setAddressResult(interp, address);
    return OK;
}

// dumpmem address length: prints the bytes, 16 a line; the result is length.
int zorakCommandDumpMem(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    uintptr_t address = 0;
    size_t length = 0;
    if (!addressWord(interp, argv[0], argv[1], &address) ||
        !countWord(interp, argv[0], argv[2], &length))
        return ERROR;
    const unsigned char* bytes = rangeOf(interp, argv[0], address, length, false);
    if (!bytes) return ERROR;
    zorakHexDump(bytes, length);
    zorakSetResult(interp, std::to_string(length).c_str(), 0);
    return OK;
}

// dump name: prints a variable's bytes (a struct's block, a field's bytes,
// a value's text), 16 a line; the result is their count.
int zorakCommandDump(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = namedVar(interp, argv[0], argv[1]);
    if (!var) return ERROR;
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    if (var->type == VT_STRUCT) {
        bytes = zorakStructBlock(var, &size);
    } else if (var->type == VT_FIELD) {
        bytes = zorakStructFieldBytes(interp, argv[0], var);
        if (!bytes) {
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
        size = static_cast<size_t>(var->size);
    } else if (var->type == VT_AUTO && var->value) {
        bytes = reinterpret_cast<const unsigned char*>(var->value);
        size = std::strlen(var->value);
    }
    if (!bytes) {
        return fail(interp, "%s: Variable '%s' has no bytes to show (type %s)\n", argv[0], argv[1],
                    var_type_name(var->type));
    }
    zorakHexDump(bytes, size);
    zorakSetResult(interp, std::to_string(size).c_str(), 0);
    return OK;
}

// leakmem size: keeps size bytes allocated until the process ends (to watch
// the memory figures move); the result is the bytes kept so far.
int zorakCommandLeakMem(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    uintptr_t size = 0;
    size_t total = 0;
    std::string why;
    if (!zorakMemoryParseNumber(argv[1], &size)) {
        return fail(interp, "%s: Invalid size '%s'\n", argv[0], argv[1]);
    }
    if (!zorakMemoryLeak(static_cast<size_t>(size), &total, &why)) {
        return fail(interp, "%s: %s\n", argv[0], why.c_str());
    }
    zorakSetResult(interp, std::to_string(total).c_str(), 0);
    return OK;
}

// is_pointer name: "1" when the variable is marked as holding an address
// (struct fields) or its value is the address of a live byte; else "0",
// also for a missing variable.
int zorakCommandIsPointer(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    if (var && var->parent) var = zorakAliasChainEnd(var);
    bool pointer = false;
    if (var) {
        uintptr_t address = 0;
        unsigned char* bytes = nullptr;
        size_t available = 0;
        std::string why;
        pointer = var->is_pointer || var->type == VT_STRUCT ||
                  (var->type == VT_AUTO && zorakMemoryParseAddress(var->value, &address) &&
                   zorakMemoryExtent(interp, address, false, &bytes, &available, &why));
    }
    zorakSetResult(interp, pointer ? "1" : "0", 0);
    return OK;
}

// call name ?arg ...?: runs the command (built-in, procedure or plug-in
// command) called name with the words as they are, without substituting
// them again. A name is the only handle call takes: no script text ever
// becomes the address of code.
int zorakCommandCall(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    Command* command = zorakGetCommand(interp, argv[1]);
    if (!command || !command->handler) {
        return fail(interp, "%s: No such command '%s'\n", argv[0], argv[1]);
    }
    CommandHandler handler = command->handler;
    void* data = command->private_data;
    bool isProc = command->is_proc != 0;
    // The handler gets words of its own: some rewrite their words in place.
    ScopedVector words;
    for (int i = 1; i < argc; i++)
        zorakVectorAppend(&words.get(), argv[i]);
    interp->command_counter++;
    int code = ERROR;
    try {
        code = handler(interp, words->count, words->items, data);
    } catch (...) {
        zorakReportException(argv[0], argv[1]);
        return ERROR;
    }
    // A procedure's return ends only the procedure.
    return code == RETURN && isProc ? OK : code;
}

} // namespace

void zorakRegisterMemoryCommands(Interpreter* interp) {
    static const struct {
        const char* name;
        CommandHandler handler;
    } commands[] = {
        {"addressof", zorakCommandAddressOf},
        {"addressofb", zorakCommandAddressOfB},
        {"call", zorakCommandCall},
        {"dump", zorakCommandDump},
        {"dumpmem", zorakCommandDumpMem},
        {"free", zorakCommandFree},
        {"is_pointer", zorakCommandIsPointer},
        {"leakmem", zorakCommandLeakMem},
        {"malloc", zorakCommandMalloc},
        {"memcpy", zorakCommandMemcpy},
        {"memset", zorakCommandMemset},
        {"ofaddress", zorakCommandOfAddress},
        {"ofaddressb", zorakCommandOfAddressB},
        {"strptr", zorakCommandStrptr},
    };
    for (const auto& command : commands)
        zorakRegisterCommand(interp, command.name, command.handler, nullptr, 0);
}
