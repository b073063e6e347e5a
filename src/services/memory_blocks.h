// The register of memory that scripts reach by address. A script never
// names a machine address: malloc, strptr and addressof hand out addresses
// from a range of numbers of the register's own that no real block can take,
// one block after another and never reused, so an address that outlived its
// block is refused like a forged one. Struct blocks keep their real
// addresses and are checked against the struct layer's register. Nothing is
// read or written until the whole range lies inside one live block.
#pragma once

#include "interp/interp.h"

#include <cstddef>
#include <cstdint>
#include <string>

// An address text: decimal digits, or "0x" and hexadecimal digits; no sign,
// no overflow, not zero.
bool zorakMemoryParseAddress(const char* text, uintptr_t* address);
// A byte count or offset in the same forms; zero allowed.
bool zorakMemoryParseNumber(const char* text, uintptr_t* number);
// An address in the form scripts use (decimal).
std::string zorakMemoryAddressText(uintptr_t address);

// The live bytes at address: *bytes and *available (from address to the end
// of its block; for a variable's value, to the end of its current text).
// With write set, a read-only block (a constant's value) is refused. False,
// with the reason in *why, when the address is not inside a live block.
bool zorakMemoryExtent(Interpreter* interp, uintptr_t address, bool write, unsigned char** bytes,
                       size_t* available, std::string* why);
// The same for a range of length bytes that must lie wholly in one block.
unsigned char* zorakMemoryResolve(Interpreter* interp, uintptr_t address, size_t length, bool write,
                                  std::string* why);

// The largest block malloc, strptr and leakmem make.
constexpr size_t kMemoryMaxBlock = 256u * 1024u * 1024u;
// A new zeroed block of size bytes; 0 (reason in *why) when it cannot be had.
uintptr_t zorakMemoryAllocate(size_t size, std::string* why);
// Releases a block made by zorakMemoryAllocate; address must be its start.
bool zorakMemoryFree(uintptr_t address, std::string* why);
// The address through which the bytes of a variable's value text are
// reached while the variable keeps that value; 0 (reason in *why) when the
// variable has no value text.
uintptr_t zorakMemoryAddressOf(Interpreter* interp, Var* var, std::string* why);

// Keeps size bytes allocated until the process ends and returns the bytes
// kept so far; false (reason in *why) past the bound.
constexpr size_t kMemoryMaxLeak = 64u * 1024u * 1024u;
bool zorakMemoryLeak(size_t size, size_t* total, std::string* why);

// Blocks made by malloc and strptr that are still live, and their bytes.
size_t zorakMemoryLiveBlocks(size_t* bytes);
