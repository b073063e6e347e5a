// The routines lent to plug-ins, called the way a plug-in calls them.
#include "lib/lib.h"

#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

ZorakRoutines lent;

int keepRoutines(ZorakGetVarRoutine a, ZorakSetVarRoutine b, ZorakStrAppendRoutine c,
                 ZorakStrFreeRoutine d, ZorakFrameAtLevelRoutine e, ZorakFindCommandRoutine f,
                 ZorakGetCommandRoutine g, ZorakSplitListRoutine h, ZorakFreeVectorRoutine i,
                 ZorakSetResultRoutine j, ZorakAllocRoutine k, ZorakFreeRoutine l,
                 ZorakArrayGetRoutine m, ZorakArraySetRoutine n, ZorakCopyVectorRoutine o,
                 ZorakRemoveVarRoutine p, ZorakSetRoutine q) {
    lent = ZorakRoutines{a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q};
    return ZORAK_ROUTINE_COUNT;
}

class LibRoutines : public InterpTest {
  protected:
    void SetUp() override {
        InterpTest::SetUp();
        ASSERT_EQ(zorakLibExportRoutines(keepRoutines), ZORAK_ROUTINE_COUNT);
    }
};

TEST_F(LibRoutines, VariablesAndArrays) {
    EXPECT_EQ(lent.set_var(interp, "x", "5"), 0);
    Var* var = lent.get_var(interp, "x", ZORAK_SCOPE_CURRENT);
    ASSERT_NE(var, nullptr);
    EXPECT_STREQ(var->value, "5");
    EXPECT_EQ(lent.array_set(interp, "a", "k", "v", 0, 0), 0);
    EXPECT_STREQ(lent.array_get(interp, "a", "k"), "v");
    EXPECT_EQ(lent.array_get(interp, "a", "missing"), nullptr);
    // the set routine reaches elements too, and leaves the value as result
    EXPECT_EQ(lent.set(interp, "a(j)", "w", 1), ZORAK_OK);
    EXPECT_STREQ(interp->result, "w");
    EXPECT_EQ(lent.remove_var(interp, "x"), 1);
    EXPECT_EQ(lent.remove_var(interp, "x"), 0);
    EXPECT_EQ(lent.get_var(interp, "x", ZORAK_SCOPE_CURRENT), nullptr);
}

TEST_F(LibRoutines, TextsAndVectorsShareTheHeap) {
    char* text = nullptr;
    lent.str_append(&text, "ab");
    lent.str_append(&text, "cd");
    EXPECT_STREQ(text, "abcd");
    lent.str_free(&text);
    EXPECT_EQ(text, nullptr);
    char** items = nullptr;
    ASSERT_EQ(lent.split_list("a {b c} {}", &items), 3);
    EXPECT_STREQ(items[1], "b c");
    EXPECT_STREQ(items[2], "");
    EXPECT_EQ(items[3], nullptr);
    // a copy may be larger than the original; the extra slots are empty
    char** copy = lent.copy_vector(items, 3, 5);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy[0], items[0]);
    EXPECT_STREQ(copy[1], "b c");
    EXPECT_EQ(copy[3], nullptr);
    EXPECT_EQ(copy[5], nullptr);
    lent.free_vector(&copy, 3);
    lent.free_vector(&items, 3);
    EXPECT_EQ(items, nullptr);
    // an empty list still gives a vector to release
    ASSERT_EQ(lent.split_list("", &items), 0);
    ASSERT_NE(items, nullptr);
    lent.free_vector(&items, 0);
    void* block = lent.alloc(16);
    ASSERT_NE(block, nullptr);
    lent.free_block(block);
}

TEST_F(LibRoutines, CommandsFramesAndResult) {
    Command* set = lent.get_command(interp, "::set");
    ASSERT_NE(set, nullptr);
    EXPECT_STREQ(set->name, "set");
    EXPECT_EQ(lent.find_command(interp, "set"), set);
    EXPECT_EQ(lent.get_command(interp, "no_such_command"), nullptr);
    EXPECT_EQ(lent.frame_at_level(interp, 0), interp->callframe);
    lent.set_result(interp, "abcdef", 3);
    EXPECT_EQ(result(), "abc");
}

} // namespace
