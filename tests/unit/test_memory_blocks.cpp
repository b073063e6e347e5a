// The register of memory blocks that scripts reach by address.
#include "services/memory_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MemoryAddress, DecimalOrHexadecimal) {
    uintptr_t a = 0;
    EXPECT_TRUE(zorakMemoryParseAddress(" 4096 ", &a));
    EXPECT_EQ(a, 4096u);
    EXPECT_TRUE(zorakMemoryParseAddress("0x1F", &a));
    EXPECT_EQ(a, 31u);
    for (const char* bad : {"", "0", "0x", "0x0", "-8", "+8", "12x", "1e3", "0x1g",
                            "99999999999999999999999", "0x1ffffffffffffffffff"})
        EXPECT_FALSE(zorakMemoryParseAddress(bad, &a)) << bad;
    EXPECT_TRUE(zorakMemoryParseNumber("0", &a));
    EXPECT_EQ(a, 0u);
}

// Addresses are never handed out twice, and a gap follows every block, so
// the byte after a block belongs to no block.
TEST(MemoryBlocks, AddressesAreNeverReused) {
    std::string why;
    uintptr_t first = zorakMemoryAllocate(16, &why);
    ASSERT_NE(first, 0u);
    ASSERT_TRUE(zorakMemoryFree(first, &why));
    uintptr_t second = zorakMemoryAllocate(16, &why);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(zorakMemoryResolve(nullptr, first, 1, false, &why), nullptr);
    EXPECT_NE(why.find("freed"), std::string::npos) << why;
    EXPECT_NE(zorakMemoryResolve(nullptr, second + 15, 1, true, &why), nullptr);
    EXPECT_EQ(zorakMemoryResolve(nullptr, second + 16, 1, false, &why), nullptr);
    EXPECT_EQ(zorakMemoryResolve(nullptr, second + 17, 0, false, &why), nullptr);
    EXPECT_TRUE(zorakMemoryFree(second, &why));
}

// Freed blocks are remembered for their message only up to a bound; past
// it an old address is still refused, as unknown.
TEST(MemoryBlocks, FreedRecordsAreBounded) {
    std::string why;
    size_t before = zorakMemoryLiveBlocks(nullptr);
    std::vector<uintptr_t> blocks;
    for (int i = 0; i < 5000; i++) {
        uintptr_t block = zorakMemoryAllocate(1, &why);
        ASSERT_NE(block, 0u);
        ASSERT_TRUE(zorakMemoryFree(block, &why));
        blocks.push_back(block);
    }
    EXPECT_EQ(zorakMemoryLiveBlocks(nullptr), before);
    EXPECT_EQ(zorakMemoryResolve(nullptr, blocks.front(), 1, false, &why), nullptr);
    EXPECT_NE(why.find("not inside a live block"), std::string::npos) << why;
    EXPECT_EQ(zorakMemoryResolve(nullptr, blocks.back(), 1, false, &why), nullptr);
    EXPECT_NE(why.find("freed"), std::string::npos) << why;
    EXPECT_FALSE(zorakMemoryFree(blocks.back(), &why));
}

TEST(MemoryBlocks, LeaksAreBounded) {
    std::string why;
    size_t total = 0;
    EXPECT_FALSE(zorakMemoryLeak(kMemoryMaxLeak + 1, &total, &why));
    EXPECT_FALSE(zorakMemoryLeak(0, &total, &why));
}

} // namespace
