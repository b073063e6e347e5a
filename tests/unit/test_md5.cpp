#include "util/md5.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// The test suite of RFC 1321, appendix A.5.
TEST(Md5, RfcVectors) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [input, digest] : cases) {
        char hex[33];
        zorakMd5Hex(input, std::strlen(input), hex);
        EXPECT_STREQ(hex, digest) << "input: " << input;
    }
}

// Feeding the data in pieces that straddle the 64-byte blocks gives the same digest.
TEST(Md5, IncrementalUpdatesMatchOneShot) {
    std::string data;
    for (int i = 0; i < 1000; i++)
        data += static_cast<char>('a' + i % 26);
    char expected[33];
    zorakMd5Hex(data.data(), data.size(), expected);
    for (size_t piece : {1u, 7u, 63u, 64u, 65u, 200u}) {
        Md5Context ctx;
        zorakMd5Init(&ctx);
        for (size_t at = 0; at < data.size(); at += piece)
            zorakMd5Update(&ctx, data.data() + at, std::min(piece, data.size() - at));
        uint8_t digest[16];
        zorakMd5Final(&ctx, digest);
        char hex[33];
        for (int i = 0; i < 16; i++)
            std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
        EXPECT_STREQ(hex, expected) << "piece " << piece;
    }
}
