// The struct block register and the Stack operations the stack command uses.
#include "interp/errors.h"
#include "interp_fixture.h"
#include "util/heap_text.h"
#include "util/stack.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <cstdlib>
#include <string>

namespace {

class Structs : public InterpTest {
  protected:
    uintptr_t addressOf(const char* name) {
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        uintptr_t address = 0;
        EXPECT_TRUE(var && zorakStructParseAddress(var->value, &address));
        return address;
    }
};

TEST(StructAddress, StrictDecimal) {
    uintptr_t a = 0;
    EXPECT_TRUE(zorakStructParseAddress(" 4096 ", &a));
    EXPECT_EQ(a, 4096u);
    for (const char* bad : {"", "0", "-8", "+8", "12x", "0x10", "99999999999999999999999"})
        EXPECT_FALSE(zorakStructParseAddress(bad, &a)) << bad;
}

// A range is accepted only when every byte lies in one live block.
TEST_F(Structs, RangesInsideOneLiveBlock) {
    int before = zorakStructBlockCount();
    ASSERT_EQ(eval("struct s {a 4 b 8}"), OK);
    EXPECT_EQ(zorakStructBlockCount(), before + 1);
    uintptr_t s = addressOf("s");
    EXPECT_EQ(addressOf("s.b"), s + 4);
    EXPECT_TRUE(zorakStructRangeIsLive(s, 12));
    EXPECT_TRUE(zorakStructRangeIsLive(s + 11, 1));
    EXPECT_FALSE(zorakStructRangeIsLive(s, 13));
    EXPECT_FALSE(zorakStructRangeIsLive(s + 12, 1));
    EXPECT_FALSE(zorakStructRangeIsLive(s - 1, 2));
    EXPECT_FALSE(zorakStructRangeIsLive(s + 4, SIZE_MAX));
    ASSERT_EQ(eval("struct unset s"), OK);
    EXPECT_EQ(zorakStructBlockCount(), before);
    EXPECT_FALSE(zorakStructRangeIsLive(s, 1));
}

// Blocks go with the frame of their procedure, and with the interpreter.
TEST_F(Structs, BlocksLeaveWithTheirFrames) {
    int before = zorakStructBlockCount();
    ASSERT_EQ(eval("proc p {} { struct local {x 4}; return [struct size local] }; p"), OK);
    EXPECT_EQ(result(), "4");
    EXPECT_EQ(zorakStructBlockCount(), before);
    ASSERT_EQ(eval("struct kept {x 4}"), OK);
    EXPECT_EQ(zorakStructBlockCount(), before + 1);
    zorakReleaseInterp(interp);
    EXPECT_EQ(zorakStructBlockCount(), before);
    interp = zorakCreateInterp();
    zorakRegisterCommands(interp);
}

// Every way of removing a struct variable releases its block.
TEST_F(Structs, RemovalsReleaseTheBlock) {
    int before = zorakStructBlockCount();
    for (const char* removal : {"unset s", "array unset s", "struct unset s"}) {
        ASSERT_EQ(eval("struct s {a 4 b 8}"), OK) << removal;
        EXPECT_EQ(zorakStructBlockCount(), before + 1) << removal;
        eval(removal);
        EXPECT_EQ(zorakStructBlockCount(), before) << removal;
        EXPECT_EQ(zorakGetVar(interp, "s", kScopeCurrent), nullptr) << removal;
    }
}

TEST(StackOperations, WordsTextsAndSlots) {
    Stack* words = zorakStackCreate(0, 0);
    ASSERT_TRUE(zorakStackIsValid(words));
    EXPECT_EQ(words->capacity, 100); // a capacity below 1 takes the default
    EXPECT_EQ(zorakStackPushWord(words, 7), 0);
    EXPECT_EQ(zorakStackPushWord(words, 9), 1);
    EXPECT_EQ(zorakStackItem(words, 2), nullptr);
    zorakStackDestroy(words);

    Stack* texts = zorakStackCreate(2, 1);
    EXPECT_EQ(zorakStackPushWord(texts, 7), -2); // slots of texts hold no plain values
    EXPECT_TRUE(zorakStackIsEmpty(texts));
    EXPECT_EQ(zorakStackPopText(texts), nullptr);
    EXPECT_EQ(zorakStackPeekText(texts), nullptr);
    zorakStackPushText(texts, "bottom");
    zorakStackPushText(texts, "top");
    EXPECT_EQ(zorakStackPushWord(texts, 1), -1); // full
    EXPECT_STREQ(zorakStackItem(texts, 0), "bottom");
    EXPECT_STREQ(zorakStackPeekText(texts), "top");
    char* popped = zorakStackPopText(texts);
    EXPECT_STREQ(popped, "top");
    std::free(popped);
    EXPECT_EQ(texts->count, 1);
    zorakStackDestroy(texts); // releases "bottom"
}

} // namespace
