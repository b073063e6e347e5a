// Structs: fixed-layout records of named byte fields held in one zeroed heap
// block. The struct variable (type 3) and each field variable (type 4) hold
// the decimal address of their bytes. Scripts can overwrite those texts (an
// alias writes through to its target) and can pass addresses of their own,
// so no address is followed until the register of live blocks confirms that
// the whole range it touches lies inside one block.
#pragma once

#include "interp/interp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The members of a struct variable: its field records in declaration order.
struct List {
    std::vector<Var*> members;
};

// A decimal address text read strictly: digits only, no sign, no overflow.
bool zorakStructParseAddress(const char* text, uintptr_t* address);
// An address text for messages: in hexadecimal when it reads as an
// address, else quoted as written.
std::string zorakStructDescribeAddress(const char* text);
// True when [address, address + length) lies inside one live struct block.
bool zorakStructRangeIsLive(uintptr_t address, size_t length);
// True when address lies inside a live struct block; *available is the
// number of bytes from address to the block's end.
bool zorakStructBlockExtent(uintptr_t address, size_t* available);
// Live blocks in the register; for tests.
int zorakStructBlockCount();

// A zeroed block of size bytes entered in the register for owner; null when
// allocation fails.
unsigned char* zorakStructAllocate(Var* owner, size_t size);
// The block a struct record owns, whatever its value text says; null if none.
unsigned char* zorakStructBlock(const Var* owner, size_t* size);
// The bytes a field's value points at, once the register confirms the whole
// field lies inside a live block; null (reported under command) otherwise.
unsigned char* zorakStructFieldBytes(Interpreter* interp, const char* command, Var* member);

// Prints bytes in hexadecimal and as text, 16 a line, each line led by its
// offset from the first byte (struct dump, dump and dumpmem).
void zorakHexDump(const unsigned char* bytes, size_t size);

// The text a field holds: its bytes up to the first zero byte or its end.
// Null (reported) when its address is not inside a live block.
char* zorakStructMemberText(Interpreter* interp, Var* member);
// The member of struct var whose name equals name after any "::" qualifier.
Var* zorakStructFindMember(Interpreter* interp, Var* var, const char* name);
// Releases the struct variable name with its fields and block: 0 when
// released, 1 when not (reported unless quiet).
int zorakStructUnset(Interpreter* interp, const char* name, bool complain);
// Frees the block and member list of a struct record that is being freed
// with its frame; the field records go with the same frame.
void zorakStructRelease(Var* var);

void zorakRegisterStructCommands(Interpreter* interp);
void zorakRegisterStackCommands(Interpreter* interp);
