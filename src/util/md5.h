// MD5 message digest (RFC 1321).
#pragma once

#include <cstddef>
#include <cstdint>

struct Md5Context {
    uint32_t state[4];
    uint64_t length;
    uint8_t buffer[64];
};

void zorakMd5Init(Md5Context* ctx);
void zorakMd5Update(Md5Context* ctx, const void* data, size_t size);
void zorakMd5Final(Md5Context* ctx, uint8_t digest[16]);

// The digest of data as 32 lower-case hexadecimal characters and a zero.
void zorakMd5Hex(const void* data, size_t size, char hex[33]);
