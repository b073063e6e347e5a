#include "vars/variables.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "shell/settings.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"

#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

class Variables : public InterpTest {
  protected:
    void TearDown() override {
        zorakVarHooks = VarHooks{};
        InterpTest::TearDown();
    }
    std::string errorMsg() {
        Var* var = zorakGetVar(interp, "::errorMsg", kScopeGlobal);
        return var && var->value ? var->value : "";
    }
    std::string valueOf(const char* name) {
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        return var && var->value ? var->value : "(missing)";
    }
    std::string element(const char* array, const char* key) {
        const char* value = zorakArrayGetElement(interp, array, key);
        return value ? value : "(missing)";
    }
};

Var* walk(CallFrame* frame, const std::string& name) {
    for (Var* v = frame->vars; v; v = v->next)
        if (v->name && name == v->name) return v;
    return nullptr;
}

std::vector<std::string> namesInOrder(CallFrame* frame) {
    std::vector<std::string> names;
    for (Var* v = frame->vars; v; v = v->next)
        names.push_back(v->name);
    return names;
}

} // namespace

// The name index answers what a walk from the head answers, through pushes
// of shadowing duplicates, unlinks anywhere in the list, and records pushed
// onto or taken off the head behind the index's back.
TEST(VariableIndex, AgreesWithAWalkOfTheList) {
    CallFrame* frame = zorakCreateCallFrame(nullptr);
    ASSERT_NE(frame, nullptr);
    std::mt19937 random(12345);
    std::vector<std::string> pool;
    for (int i = 0; i < 40; i++)
        pool.push_back("n" + std::to_string(i));
    std::vector<std::string> model; // names, newest first
    std::vector<Var*> removed;
    for (int step = 0; step < 4000; step++) {
        int op = static_cast<int>(random() % 10);
        const std::string& name = pool[random() % pool.size()];
        if (op < 5 || model.empty()) {
            ASSERT_NE(zorakNewVar(frame, name.c_str(), "v"), nullptr);
            model.insert(model.begin(), name);
        } else if (op < 8) {
            size_t at = random() % model.size();
            Var* var = frame->vars;
            for (size_t i = 0; i < at; i++)
                var = var->next;
            ASSERT_TRUE(zorakUnlinkVar(frame, var));
            zorakFreeVar(var);
            model.erase(model.begin() + static_cast<long>(at));
        } else if (op == 8) {
            // A record pushed directly onto the list.
            Var* var = static_cast<Var*>(std::calloc(1, sizeof(Var)));
            var->name = zorakStrDup(name);
            var->next = frame->vars;
            frame->vars = var;
            model.insert(model.begin(), name);
        } else {
            // The head taken off directly; it is freed at the end so that no
            // later record reuses its address.
            Var* head = frame->vars;
            frame->vars = head->next;
            head->next = nullptr;
            removed.push_back(head);
            model.erase(model.begin());
        }
        if (step % 50 == 0 || step > 3900) {
            ASSERT_EQ(namesInOrder(frame), model);
            for (const auto& n : pool)
                ASSERT_EQ(zorakFindVarInFrame(frame, n.c_str()), walk(frame, n)) << n;
        }
    }
    Var stranger{};
    EXPECT_FALSE(zorakUnlinkVar(frame, &stranger));
    zorakReleaseCallFrame(frame);
    for (Var* var : removed)
        zorakFreeVar(var);
}

// 100,000 globals are set, read and removed through the frame's index (a
// linear search would run into the test's time limit).
TEST_F(Variables, HundredThousandGlobals) {
    char name[32];
    for (int i = 0; i < 100000; i++) {
        std::snprintf(name, sizeof name, "v%d", i);
        ASSERT_EQ(set_var(interp, name, name), 0);
    }
    for (int i = 0; i < 100000; i++) {
        std::snprintf(name, sizeof name, "v%d", i);
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        ASSERT_NE(var, nullptr);
        ASSERT_STREQ(var->value, name);
    }
    for (int i = 0; i < 100000; i += 2) {
        std::snprintf(name, sizeof name, "v%d", i);
        ASSERT_EQ(zorakRemoveVar(interp, name), 1);
    }
    EXPECT_EQ(zorakGetVar(interp, "v4", kScopeCurrent), nullptr);
    EXPECT_NE(zorakGetVar(interp, "v99999", kScopeCurrent), nullptr);
    // unset -glob walks the list and keeps the index right.
    ASSERT_EQ(eval("unset -glob v1*"), OK);
    EXPECT_EQ(zorakGetVar(interp, "v1001", kScopeCurrent), nullptr);
    EXPECT_NE(zorakGetVar(interp, "v2001", kScopeCurrent), nullptr);
}

TEST_F(Variables, GlobalPrefixAndScopes) {
    CallFrame* global = interp->callframe;
    CallFrame* inner = zorakCreateCallFrame(global);
    ASSERT_EQ(inner->level, 1);
    interp->callframe = inner;
    EXPECT_EQ(frame_at_level(interp, 0), global);
    EXPECT_EQ(frame_at_level(interp, 7), inner);
    EXPECT_EQ(set_var(interp, "::g", "global"), 0);
    EXPECT_EQ(set_var(interp, "l", "local"), 0);
    EXPECT_EQ(zorakGetVar(interp, "g", kScopeCurrent), nullptr);
    EXPECT_EQ(valueOf("::g"), "global");
    EXPECT_NE(zorakGetVar(interp, "g", kScopeGlobal), nullptr);
    EXPECT_EQ(walk(global, "g")->level, 0);
    EXPECT_EQ(walk(inner, "l")->level, 1);
    // A constant named with "::" is made where a lookup of that name goes.
    EXPECT_EQ(define_const(interp, "::k", "5", 0, 0), 0);
    EXPECT_EQ(valueOf("::k"), "5");
    EXPECT_EQ(zorakGetVarGlob(interp, "::K*", 1, kScopeCurrent), walk(global, "k"));
    EXPECT_EQ(zorakGetVarGlob(interp, "L", 1, kScopeCurrent), walk(inner, "l"));
    EXPECT_EQ(zorakGetVarGlob(interp, "L", 0, kScopeCurrent), nullptr);
    ASSERT_EQ(eval("set ::g again; set l"), OK);
    EXPECT_EQ(result(), "local");
    EXPECT_EQ(valueOf("::g"), "again");
    interp->callframe = global;
    zorakReleaseCallFrame(inner);
    EXPECT_EQ(set_var(interp, "::", "x"), 1);
    EXPECT_EQ(set_var(interp, "", "x"), 1);
}

// An alias reads through to its target's current value, at any level ("{}"
// for an empty one read from another level); assignments write through the
// chain.
TEST_F(Variables, AliasesRefreshAndWriteThrough) {
    CallFrame* global = interp->callframe;
    set_var(interp, "target", "");
    Var* target = walk(global, "target");
    CallFrame* inner = zorakCreateCallFrame(global);
    interp->callframe = inner;
    Var* alias = zorakNewVar(inner, "al", "stale");
    alias->parent = target;
    EXPECT_STREQ(zorakGetVar(interp, "al", kScopeCurrent)->value, "");
    alias->level = 0;
    EXPECT_STREQ(zorakGetVar(interp, "al", kScopeCurrent)->value, "{}");
    zorakStrAssign(&target->value, "fresh");
    EXPECT_STREQ(zorakGetVar(interp, "al", kScopeCurrent)->value, "fresh");
    Var* second = zorakNewVar(inner, "al2", "");
    second->parent = alias;
    ASSERT_EQ(set_var(interp, "al2", "through"), 0);
    EXPECT_STREQ(target->value, "through");
    EXPECT_EQ(target->size, 7);
    EXPECT_EQ(target->changed, 1);
    ASSERT_EQ(eval("set al2 again"), OK);
    EXPECT_STREQ(target->value, "again");
    EXPECT_STREQ(second->value, "again");
    interp->callframe = global;
    zorakReleaseCallFrame(inner);
    EXPECT_STREQ(walk(global, "target")->value, "again");
}

// An alias of one element writes into the element, also from further down
// an alias chain; the array keeps its "<array>" text.
TEST_F(Variables, ElementAliasesWriteIntoTheElement) {
    ASSERT_EQ(array_set_element(interp, "a", "k", "old", 0, 0), 0);
    Var* array = zorakGetVar(interp, "a", kScopeCurrent);
    Var* alias = zorakNewVar(interp->callframe, "e", "old");
    alias->parent = array;
    alias->subscript = zorakStrDup("k");
    ASSERT_EQ(set_var(interp, "e", "new"), 0);
    EXPECT_EQ(element("a", "k"), "new");
    ASSERT_EQ(set_var(interp, "e", ""), 0);
    EXPECT_EQ(element("a", "k"), "{}");
    Var* chained = zorakNewVar(interp->callframe, "c", "");
    chained->parent = alias;
    ASSERT_EQ(set_var(interp, "c", "deep"), 0);
    EXPECT_EQ(element("a", "k"), "deep");
    EXPECT_STREQ(array->value, "<array>");
    ASSERT_EQ(eval("set e viaset"), OK);
    EXPECT_EQ(element("a", "k"), "viaset");
    EXPECT_EQ(alias->size, 6);
    // An element alias is never turned into an array of its own.
    EXPECT_EQ(eval("set e(x) 1"), ERROR);
    EXPECT_EQ(errorMsg(), "Unexpected error setting array e(x)");
    EXPECT_EQ(element("a", "k"), "viaset");
}

// An alias of a plain variable turned into an array shares the new table
// with its target.
TEST_F(Variables, ArrayMadeThroughAnAliasBelongsToTheTarget) {
    set_var(interp, "t", "x");
    Var* target = zorakGetVar(interp, "t", kScopeCurrent);
    Var* alias = zorakNewVar(interp->callframe, "al", "x");
    alias->parent = target;
    ASSERT_EQ(array_set_element(interp, "al", "k", "v", 1, 1), 0);
    EXPECT_EQ(target->type, VT_ARRAY);
    EXPECT_EQ(alias->type, VT_ARRAY);
    EXPECT_EQ(alias->table, target->table);
    EXPECT_EQ(target->is_protected, 1);
    EXPECT_EQ(element("t", "K"), "v");
    EXPECT_STREQ(target->value, "<array>");
    ASSERT_EQ(array_set_element_ref(interp, "$t(j(1))", "w"), 0);
    EXPECT_EQ(element("al", "j(1)"), "w");
    EXPECT_EQ(array_set_element_ref(interp, "t", "w"), 1);
    EXPECT_EQ(errorMsg(), "array: Error in set array");
    EXPECT_EQ(array_set_element(interp, "", "k", "v", 0, 0), 1);
    EXPECT_EQ(array_set_element(interp, "t", "", "v", 0, 0), 1);
}

TEST_F(Variables, ElementLookupHonoursIgnoreCase) {
    ASSERT_EQ(array_set_element(interp, "a", "Key", "v", 0, 1), 0);
    const char* value = nullptr;
    EXPECT_EQ(array_get_element(interp, "a", "kEY", &value, 0), 1);
    EXPECT_STREQ(value, "v");
    ASSERT_EQ(array_set_element(interp, "b", "Key", "w", 0, 0), 0);
    EXPECT_EQ(array_get_element(interp, "b", "kEY", &value, 0), 0);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(array_get_element(interp, "$b", "kEY", &value, 1), 1);
    EXPECT_STREQ(value, "w");
    EXPECT_EQ(array_get_element(interp, "b", "", &value, 0), 0);
    set_var(interp, "plain", "x");
    EXPECT_EQ(array_get_element(interp, "plain", "x", &value, 0), 0);
    ASSERT_EQ(eval("set b(Key)"), OK);
    EXPECT_EQ(result(), "w");
    ASSERT_EQ(eval("set a(KEY)"), OK);
    EXPECT_EQ(result(), "v");
    // A reference without its ")" is a syntax error, reading or assigning.
    EXPECT_EQ(set_value(interp, "b(Key", nullptr, 1), ERROR);
    EXPECT_EQ(errorMsg(), "set: Syntax error 'b(Key'");
    EXPECT_EQ(set_value(interp, "b(x y", "1", 1), ERROR);
    EXPECT_EQ(set_value(interp, nullptr, "1", 1), ERROR);
    EXPECT_EQ(errorMsg(), "set: Unhandled error");
    // A new array starts with the default 250 buckets.
    EXPECT_EQ(zorakGetVar(interp, "b", kScopeCurrent)->table->table_size, 250);
}

// Assigning to ::errorMsg goes through set_var; when errorMsg has become an
// array, the failure to store a message must not report itself again and
// again.
TEST_F(Variables, BrokenErrorMsgDoesNotRecurse) {
    ASSERT_EQ(eval("set errorMsg(x) 1"), OK);
    EXPECT_EQ(eval("set nosuch"), ERROR);
    EXPECT_EQ(eval("set errorMsg"), OK);
    EXPECT_EQ(result(), "<array>");
}

// A null word is a reported error, not the end of the process.
TEST_F(Variables, UnsetOfANullWordIsAnError) {
    char unset[] = "unset", name[] = "x";
    char* words[] = {unset, name, nullptr, nullptr};
    set_var(interp, "x", "1");
    EXPECT_EQ(zorakCommandUnset(interp, 3, words, nullptr), ERROR);
    EXPECT_EQ(result(), "0");
    EXPECT_EQ(errorMsg(), "NULL arg in unset for arg 2");
    EXPECT_EQ(valueOf("x"), "1");
}

// A struct member's value holds an address; nothing in the variable layer
// reads memory at an address taken from a script's number, and the struct
// layer refuses one that lies in no live struct.
TEST_F(Variables, StructMembersAreNeverDereferenced) {
    Var* member = zorakNewVar(interp->callframe, "s.f", "4096");
    member->type = VT_FIELD;
    member->size = 8;
    EXPECT_EQ(eval("set s.f"), ERROR);
    EXPECT_EQ(result(), "");
    EXPECT_EQ(errorMsg(), "struct item: Address 0x1000 of 's.f' is not inside a live struct");
    ASSERT_EQ(eval("set r ${s.f}"), OK);
    EXPECT_EQ(valueOf("r"), "");
    EXPECT_EQ(eval("unset s.f"), ERROR);
    EXPECT_EQ(valueOf("::errorCode"), "6");
    // The struct layer, once installed, supplies the text.
    zorakVarHooks.struct_member_text = [](Interpreter*, Var*) { return zorakStrDup("member"); };
    ASSERT_EQ(eval("set s.f"), OK);
    EXPECT_EQ(result(), "member");
    Var* record = zorakNewVar(interp->callframe, "st", "0");
    record->type = VT_STRUCT;
    ASSERT_EQ(eval("set st"), OK);
    EXPECT_EQ(result(), "<struct>");
}

TEST_F(Variables, DictionaryBecomesAPlainVariable) {
    // The variable layer alone, without the dictionary layer plugged in.
    VarHooks saved = zorakVarHooks;
    zorakVarHooks.dict_render = nullptr;
    zorakVarHooks.dict_assign = nullptr;
    Var* dict = zorakNewVar(interp->callframe, "d", "<dict>");
    dict->type = VT_DICTIONARY;
    dict->table = new hash_table(50);
    dict->table->set("k", "v", true);
    EXPECT_EQ(set_var(interp, "d", "x"), 1);
    EXPECT_EQ(errorMsg(), "set_var: Can't assign to 'd' (type dictionary)");
    ASSERT_EQ(eval("set d"), OK);
    EXPECT_EQ(result(), "");
    zorakVarHooks.dict_render = [](Interpreter*, Var*) { return zorakStrDup("k v"); };
    ASSERT_EQ(eval("set d"), OK);
    EXPECT_EQ(result(), "k v");
    ASSERT_EQ(eval("set d plain"), OK);
    Var* now = zorakGetVar(interp, "d", kScopeCurrent);
    EXPECT_EQ(now->type, VT_AUTO);
    EXPECT_EQ(now->table, nullptr);
    EXPECT_STREQ(now->value, "plain");
    // After a command that left a dictionary, set hands the value to the
    // dictionary layer.
    static std::string assigned;
    zorakVarHooks.dict_assign = [](Interpreter*, const char* name, const char* value) {
        assigned = std::string(name) + "=" + value;
        return 0;
    };
    interp->result_kind = 7;
    char set[] = "set", name[] = "d2", value[] = "a 1";
    char* words[] = {set, name, value, nullptr};
    EXPECT_EQ(zorakCommandSet(interp, 3, words, nullptr), OK);
    EXPECT_EQ(assigned, "d2=a 1");
    EXPECT_EQ(interp->result_kind, 0);
    zorakVarHooks = saved;
}

TEST_F(Variables, TypeNamesAndSetters) {
    EXPECT_STREQ(var_type_name(0), "auto");
    EXPECT_STREQ(var_type_name(7), "dictionary");
    EXPECT_STREQ(var_type_name(10), "list");
    EXPECT_STREQ(var_type_name(11), "error");
    EXPECT_STREQ(var_type_name(-1), "error");
    set_var(interp, "x", "1");
    EXPECT_EQ(set_var_type(interp, "x", VT_POINTER), 1);
    EXPECT_EQ(set_var_size(interp, "x", 12), 1);
    EXPECT_EQ(set_var_pointer(interp, "x", 5), 1);
    Var* x = zorakGetVar(interp, "x", kScopeCurrent);
    EXPECT_EQ(x->type, VT_POINTER);
    EXPECT_EQ(x->size, 12);
    EXPECT_EQ(x->is_pointer, 1);
    EXPECT_EQ(set_var_type(interp, "nosuch", 1), 0);
    EXPECT_EQ(var_exists(interp, "x"), 1);
    EXPECT_EQ(var_exists(interp, "nosuch"), 0);
    EXPECT_EQ(set_var(interp, "x", "2"), 1);
    EXPECT_EQ(errorMsg(), "set_var: Bad variable type 'x' (type pointer)");
    // unset removes pointer variables like plain ones.
    ASSERT_EQ(eval("unset x"), OK);
    EXPECT_EQ(var_exists(interp, "x"), 0);
}

TEST_F(Variables, InspectPrintsEveryField) {
    ASSERT_EQ(eval("set a(k) 1"), OK);
    testing::internal::CaptureStdout();
    ASSERT_EQ(eval("inspect a(k) here"), OK);
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result(), "1");
    out = std::regex_replace(out, std::regex("0x[0-9a-f]+"), "0xA");
    const std::string rule(70, '-');
    EXPECT_EQ(out, rule + "\nINSPECT Var 'a(k)' at 0xA (here)\n" + rule +
                       "\n"
                       "Level:          '0'\n"
                       "Name:           'a'\n"
                       "Value:          '<array>'\n"
                       "Type:            2 (array)\n"
                       "Subscript:      '<NULL>'...\n"
                       "Size:            0\n"
                       "List:          0xA\n"
                       "Stack:         0xA\n"
                       "Table:         0xA\n"
                       "Variant:       0xA\n"
                       "Parent:        0xA\n"
                       "Next->:        0xA\n"
                       "Changed:         1\n"
                       "is_pointer       0\n"
                       "is_constant      0\n"
                       "is_protected     0\n"
                       "ignore_case      0\n" +
                       rule + "\n");
}

TEST_F(Variables, StandardArraysHoldArgumentsAndEnvironment) {
    char host[] = "host", script[] = "script $x.tcl", arg[] = "a{b}\\c";
    char* args[] = {host, script, arg, nullptr};
    zorakSetStandardVars(interp, 3, args);
    EXPECT_EQ(valueOf("argc"), "2");
    EXPECT_EQ(valueOf("argv0"), "script $x.tcl");
    EXPECT_EQ(element("argv", "0"), "script \\$x.tcl");
    EXPECT_EQ(element("argv", "1"), "a\\{b\\}\\\\c");
    EXPECT_EQ(element("argv", "2"), "(missing)");
    const char* path = std::getenv("PATH");
    ASSERT_NE(path, nullptr);
    HeapText escaped(zorakEscapeScriptText(path));
    EXPECT_EQ(element("env", "PATH"), escaped.get());
    // Called again without arguments, argv is gone.
    zorakSetStandardVars(interp, 0, nullptr);
    EXPECT_EQ(zorakGetVar(interp, "argv", kScopeCurrent), nullptr);
    EXPECT_EQ(valueOf("argc"), "0");
}

// A frame frees what its records own; an alias in it leaves its target's
// table alone.
TEST_F(Variables, ReleasedFrameKeepsAliasTargets) {
    ASSERT_EQ(eval("set g(k) 1"), OK);
    Var* array = zorakGetVar(interp, "g", kScopeCurrent);
    CallFrame* global = interp->callframe;
    CallFrame* inner = zorakCreateCallFrame(global);
    interp->callframe = inner;
    ASSERT_EQ(eval("set local(x) 1; set plain 2"), OK);
    Var* alias = zorakNewVar(inner, "ga", "<array>");
    alias->parent = array;
    alias->type = VT_ARRAY;
    alias->table = array->table;
    ASSERT_EQ(eval("set ga(j) 2"), OK);
    inner->proc_name = zorakStrDup("proc");
    interp->callframe = global;
    zorakReleaseCallFrame(inner);
    EXPECT_EQ(element("g", "j"), "2");
    EXPECT_EQ(element("g", "k"), "1");
}
