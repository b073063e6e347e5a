#include "vars/procedures.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "vars/hash_table.h"
#include "vars/scope_aliases.h"
#include "vars/variables.h"

#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

class Procedures : public InterpTest {
  protected:
    void TearDown() override {
        InterpTest::TearDown();
        // Every alias left the register with its record.
        EXPECT_EQ(zorakAliasCount(), 0);
    }
};

// Uses up the thread's stack until little more than limit bytes are left,
// then runs the script there.
int evalWithLittleStack(Interpreter* interp, const char* script, size_t limit, int depth = 0) {
    volatile char pad[16 * 1024];
    pad[0] = static_cast<char>(depth);
    size_t left = platformStackRemaining();
    if (left == SIZE_MAX || left < limit || depth > 100000)
        return kuvetEval(interp, script, 0, 0) + pad[0] * 0;
    return evalWithLittleStack(interp, script, limit, depth + 1) + pad[0] * 0;
}

int zorakCommandRemoveP(Interpreter* interp, int, char**, void*) {
    // Removes the procedure without the checks of undef, as a plug-in could.
    zorakUnregisterCommand(interp, "p");
    return OK;
}

int zorakCommandThrow(Interpreter*, int, char**, void*) {
    throw std::runtime_error("thrown");
}

} // namespace

// A host with a small stack still reaches level 5000: the outermost
// evaluation moves to the library's own large stack.
TEST_F(Procedures, DeepRecursionNeedsLittleHostStack) {
    ASSERT_EQ(eval("proc deep {n} { if {[expr {$n >= 5000}]} { return [level] };"
                   " return [deep [expr {$n + 1}]] }"),
              OK);
    EXPECT_EQ(evalWithLittleStack(interp, "deep 1", 160 * 1024), OK);
    EXPECT_EQ(result(), "5000");
    EXPECT_FALSE(platformOnLargeStack());
    // One level more is refused with the overflow message, not a crash.
    ASSERT_EQ(eval("proc deeper {n} { return [deeper [expr {$n + 1}]] }"), OK);
    EXPECT_EQ(evalWithLittleStack(interp, "deeper 1", 160 * 1024), ERROR);
    EXPECT_EQ(interp->callframe->level, 0);
}

// Unbounded nesting that never makes a procedure frame is stopped by the
// evaluator's own limits, also on the large stack.
TEST_F(Procedures, NestingWithoutFramesIsBounded) {
    EXPECT_EQ(eval("proc up {} { uplevel 1 up }; up"), ERROR);
    EXPECT_EQ(eval("set s {eval $s}; eval $s"), ERROR);
    EXPECT_EQ(interp->callframe->level, 0);
}

// A C++ exception inside a procedure body becomes ERROR; the frames it
// passed are dropped and later evaluations start cleanly.
TEST_F(Procedures, FaultInsideABodyDropsTheFrame) {
    zorakRegisterCommand(interp, "throw", zorakCommandThrow, nullptr, 0);
    EXPECT_EQ(eval("proc t {} { set v 1; throw }; t"), ERROR);
    EXPECT_EQ(interp->callframe->level, 0);
    EXPECT_EQ(eval("level"), OK);
    EXPECT_EQ(result(), "0");
}

// A procedure removed while it runs keeps its record until the call ends.
TEST_F(Procedures, RecordOutlivesItsCommandDuringACall) {
    zorakRegisterCommand(interp, "removep", zorakCommandRemoveP, nullptr, 0);
    ASSERT_EQ(eval("proc p {a {b dflt}} { removep; set x \"$a $b\"; return $x }"), OK);
    EXPECT_EQ(eval("p 1"), OK);
    EXPECT_EQ(result(), "1 dflt");
    EXPECT_EQ(zorakGetCommand(interp, "p"), nullptr);
}

TEST_F(Procedures, FormalsAsRecorded) {
    ASSERT_EQ(eval("proc f {a {b 2} {} {\"c\" \"\"} args} {}"), OK);
    Command* cmd = zorakGetCommand(interp, "f");
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->is_proc, 1);
    auto* record = static_cast<ProcRecord*>(cmd->private_data);
    ASSERT_EQ(record->formal_count, 5);
    EXPECT_STREQ(record->arglist_text, "a {b 2} {} {\"c\" \"\"} args");
    EXPECT_EQ(record->formals[0].word_count, 1);
    EXPECT_STREQ(record->formals[1].default_value, "2");
    EXPECT_EQ(record->formals[2].word_count, 0);
    EXPECT_EQ(record->formals[2].name, nullptr);
    EXPECT_STREQ(record->formals[3].name, "c");
    EXPECT_STREQ(record->formals[3].default_value, "");
    EXPECT_STREQ(record->formals[4].name, "args");
}

// The global frame is never dropped; procedure frames go with their records.
TEST_F(Procedures, DropLeavesTheGlobalFrame) {
    CallFrame* global = interp->callframe;
    zorakDropCallFrame(interp);
    EXPECT_EQ(interp->callframe, global);
    CallFrame* frame = zorakCreateCallFrame(global);
    interp->callframe = frame;
    ASSERT_EQ(set_var(interp, "local", "1"), 0);
    zorakDropCallFrame(interp);
    EXPECT_EQ(interp->callframe, global);
}

// Aliases never point at freed records: an alias of a freed variable is cut
// loose with its last value and no containers; an alias of a freed alias
// moves on to that alias's target.
TEST_F(Procedures, AliasesOfFreedRecords) {
    ASSERT_EQ(eval("set g(1) one; set plain p"), OK);
    CallFrame* frame = zorakCreateCallFrame(interp->callframe);
    interp->callframe = frame;
    ASSERT_EQ(eval("upvar g arr; upvar plain mid"), OK);
    Var* arr = zorakFindVarInFrame(frame, "arr");
    Var* mid = zorakFindVarInFrame(frame, "mid");
    ASSERT_NE(arr, nullptr);
    ASSERT_NE(arr->table, nullptr);
    Var* plain = mid->parent;
    // A second frame aliases the alias.
    CallFrame* inner = zorakCreateCallFrame(frame);
    interp->callframe = inner;
    ASSERT_EQ(eval("upvar 1 mid deep"), OK);
    Var* deep = zorakFindVarInFrame(inner, "deep");
    EXPECT_EQ(deep->parent, mid);
    EXPECT_EQ(zorakAliasCount(), 3);
    // The middle alias goes: deep now points at the global.
    ASSERT_TRUE(zorakUnlinkVar(frame, mid));
    zorakFreeVar(mid);
    EXPECT_EQ(deep->parent, plain);
    ASSERT_EQ(eval("set deep changed"), OK);
    EXPECT_STREQ(plain->value, "changed");
    // The array goes: its alias keeps no table.
    interp->callframe = frame;
    ASSERT_EQ(eval("array unset ::g"), OK);
    EXPECT_EQ(arr->parent, nullptr);
    EXPECT_EQ(arr->table, nullptr);
    EXPECT_EQ(arr->type, VT_AUTO);
    EXPECT_EQ(eval("set arr"), OK);
    interp->callframe = inner;
    zorakDropCallFrame(interp);
    zorakDropCallFrame(interp);
    EXPECT_EQ(zorakAliasCount(), 0);
}
