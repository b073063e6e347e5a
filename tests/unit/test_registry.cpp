#include "interp/errors.h"
#include "interp/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int handlerA(Interpreter*, int, char**, void*) {
    return 10;
}
int handlerB(Interpreter*, int, char**, void*) {
    return 20;
}

std::vector<void*> released;
void recordRelease(void* data) {
    released.push_back(data);
}

// A bare interpreter record with only a command table: nothing else of the
// library is needed to exercise the table.
class Table : public ::testing::Test {
  protected:
    void SetUp() override {
        interp_ = Interpreter{};
        released.clear();
        previous_ = zorakSetProcReleaser(recordRelease);
    }
    void TearDown() override {
        zorakReleaseCommands(&interp_);
        zorakSetProcReleaser(previous_);
    }
    void add(const char* name, CommandHandler handler = handlerA, void* data = nullptr,
             int isProc = 0) {
        ASSERT_EQ(zorakRegisterCommand(&interp_, name, handler, data, isProc), 0) << name;
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (int i = 0; i < interp_.command_count; i++)
            out.emplace_back(interp_.commands[i].name);
        return out;
    }
    Interpreter interp_{};
    PrivateDataReleaser previous_ = nullptr;
};

bool byteOrder(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace

// Whatever the registration order, the table is in unsigned byte order.
TEST_F(Table, StaysSortedByUnsignedBytes) {
    const char* input[] = {"set", "+",    "Zed", "a",  "\xe9t\xe9", "++",
                           "_x",  "puts", "a_b", "ab", "~"};
    for (const char* name : input)
        add(name);
    std::vector<std::string> expected(std::begin(input), std::end(input));
    std::sort(expected.begin(), expected.end(), byteOrder);
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(interp_.commands_sorted, 1);
    EXPECT_EQ(names().back(), "\xe9t\xe9"); // above every ASCII name
}

// Bisection finds every record, also with "::" before the first and the last
// name, and misses names below, between and above the records.
TEST_F(Table, LookupFindsEveryRecordAndNothingElse) {
    std::vector<std::string> all;
    for (int i = 0; i < 37; i++)
        all.push_back("cmd" + std::to_string(i * 3));
    for (const std::string& name : all)
        add(name.c_str());
    for (const std::string& name : all) {
        Command* found = zorakGetCommand(&interp_, name.c_str());
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(std::string(found->name), name);
        std::string global = "::" + name;
        EXPECT_EQ(zorakGetCommand(&interp_, global.c_str()), found) << global;
    }
    std::string first = names().front(), last = names().back();
    EXPECT_NE(zorakGetCommand(&interp_, ("::" + first).c_str()), nullptr);
    EXPECT_NE(zorakGetCommand(&interp_, ("::" + last).c_str()), nullptr);
    for (const char* missing : {"a", "cmd1", "cmd4", "cmd100", "zzz", "", "::", ":cmd0", "cmd0 "})
        EXPECT_EQ(zorakGetCommand(&interp_, missing), nullptr) << missing;
    EXPECT_EQ(zorakGetCommand(&interp_, nullptr), nullptr);
}

TEST_F(Table, SmallTables) {
    EXPECT_EQ(zorakGetCommand(&interp_, "x"), nullptr); // empty
    add("m");
    EXPECT_NE(zorakGetCommand(&interp_, "m"), nullptr);
    EXPECT_EQ(zorakGetCommand(&interp_, "a"), nullptr);
    add("b");
    EXPECT_NE(zorakGetCommand(&interp_, "b"), nullptr);
    EXPECT_NE(zorakGetCommand(&interp_, "m"), nullptr);
    EXPECT_EQ(zorakGetCommand(&interp_, "c"), nullptr);
    add("c");
    EXPECT_NE(zorakGetCommand(&interp_, "c"), nullptr);
}

// A lookup while the table is being changed finds nothing.
TEST_F(Table, UnsortedTableFindsNothing) {
    add("a");
    add("b");
    interp_.commands_sorted = 0;
    EXPECT_EQ(zorakGetCommand(&interp_, "a"), nullptr);
    interp_.commands_sorted = 1;
    EXPECT_NE(zorakGetCommand(&interp_, "a"), nullptr);
}

// Registering an existing name answers DEFINED and keeps the first record.
TEST_F(Table, ReRegistrationIsRefused) {
    int data = 0;
    add("puts", handlerA, &data);
    EXPECT_EQ(zorakRegisterCommand(&interp_, "puts", handlerB, nullptr, 1), DEFINED);
    Command* cmd = zorakGetCommand(&interp_, "puts");
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->handler, handlerA);
    EXPECT_EQ(cmd->private_data, &data);
    EXPECT_EQ(cmd->is_proc, 0);
    EXPECT_EQ(interp_.command_count, 1);
    EXPECT_EQ(zorakRegisterCommand(&interp_, nullptr, handlerA, nullptr, 0), 1);
    // "::x" is a name of its own for registration.
    EXPECT_EQ(zorakRegisterCommand(&interp_, "::puts", handlerB, nullptr, 0), 0);
    EXPECT_EQ(interp_.command_count, 2);
}

TEST_F(Table, RemovalKeepsOrder) {
    for (const char* name : {"d", "a", "c", "b", "e"})
        add(name);
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "c"), 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "b", "d", "e"}));
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "c"), 0);
    // Removal takes the exact name: no "::" handling.
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "::a"), 0);
    EXPECT_EQ(zorakUnregisterCommand(&interp_, nullptr), 0);
    for (const char* name : {"a", "e", "b", "d"})
        EXPECT_EQ(zorakUnregisterCommand(&interp_, name), 1);
    EXPECT_EQ(interp_.command_count, 0);
    EXPECT_EQ(zorakGetCommand(&interp_, "a"), nullptr);
    add("z"); // the emptied table takes records again
    EXPECT_NE(zorakGetCommand(&interp_, "z"), nullptr);
}

// Lookups stay right while the table changes under them, and for two
// interpreters used in turn (the preprocessor's private one and the main).
TEST_F(Table, LookupsFollowEveryChange) {
    for (const char* name : {"m", "c", "x"})
        add(name);
    EXPECT_EQ(zorakGetCommand(&interp_, "c"), &interp_.commands[0]);
    add("a"); // every record moves one place
    EXPECT_EQ(zorakGetCommand(&interp_, "c"), &interp_.commands[1]);
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "m"), 1);
    EXPECT_EQ(zorakGetCommand(&interp_, "m"), nullptr);
    EXPECT_EQ(zorakGetCommand(&interp_, "x"), &interp_.commands[2]);
    Interpreter other{};
    ASSERT_EQ(zorakRegisterCommand(&other, "m", handlerB, nullptr, 0), 0);
    EXPECT_EQ(zorakGetCommand(&other, "m")->handler, handlerB);
    EXPECT_EQ(zorakGetCommand(&interp_, "m"), nullptr);
    EXPECT_EQ(zorakGetCommand(&other, "x"), nullptr);
    zorakReleaseCommands(&other);
    EXPECT_EQ(zorakGetCommand(&interp_, "::x"), &interp_.commands[2]);
}

// A procedure's record is released with the last command that shares it.
TEST_F(Table, SharedProcedureDataOutlivesItsAliases) {
    int procRecord = 0, pluginData = 0;
    add("p", handlerA, &procRecord, 1);
    add("alias_of_p", handlerA, &procRecord, 1);
    add("plugin", handlerB, &pluginData, 0);
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "p"), 1);
    EXPECT_TRUE(released.empty());
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "alias_of_p"), 1);
    EXPECT_EQ(released, (std::vector<void*>{&procRecord}));
    // Private data of a command that is no procedure is not a procedure record.
    EXPECT_EQ(zorakUnregisterCommand(&interp_, "plugin"), 1);
    EXPECT_EQ(released.size(), 1u);
}

TEST(JoinWords, Rules) {
    auto join = [](std::vector<const char*> words) {
        std::vector<char*> argv;
        for (const char* w : words)
            argv.push_back(const_cast<char*>(w));
        char* joined = zorakJoinWords(nullptr, static_cast<int>(argv.size()), argv.data());
        std::string out = joined ? joined : "<null>";
        std::free(joined);
        return out;
    };
    EXPECT_EQ(join({}), "<null>");
    // One word is copied unchanged, even an empty one or one with blanks.
    EXPECT_EQ(join({"a b"}), "a b");
    EXPECT_EQ(join({""}), "");
    EXPECT_EQ(join({"a", "", "b c", "d\te", "{x}", "$y"}), "a {} {b c} d\te {x} $y");
    // An out text already set is returned as it is.
    char preset[] = "kept";
    char* words[] = {preset};
    EXPECT_EQ(zorakJoinWords(preset, 1, words), preset);
}
