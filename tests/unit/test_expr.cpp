#include "expr/expression.h"

#include "console/console.h"
#include "interp/evaluator.h"
#include "shell/settings.h"
#include "util/buffer.h"

#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string brackets(const std::string& text) {
    Buffer buffer(text);
    add_precedence_brackets(buffer);
    return std::string(buffer.view());
}

class Expressions : public InterpTest {
  protected:
    void TearDown() override {
        InterpTest::TearDown();
        zorakExpr.fold_constants = 1;
    }
    // The command form, or "FAILED".
    std::string translate(const std::string& text, bool fold = false) {
        zorakExpr.fold_constants = fold ? 1 : 0;
        std::string out;
        int failed = decompose_expression(text.c_str(), &out);
        zorakExpr.fold_constants = 1;
        return failed ? "FAILED" : out;
    }
    std::string expr(const std::string& text) {
        std::string script = "expr {" + text + "}";
        if (kuvetEval(interp, script.c_str(), 0, 0) != 0) return "ERROR";
        return interp->result ? interp->result : "";
    }
};

TEST(PrecedenceBrackets, TextsWithoutAdditiveOrLogicalOperatorsStayAsWritten) {
    EXPECT_EQ(brackets("2 * 3"), "2 * 3");
    EXPECT_EQ(brackets("a < b * c"), "a < b * c");
    EXPECT_EQ(brackets(""), "");
}

TEST(PrecedenceBrackets, ProductsAndQuotientsAreGrouped) {
    EXPECT_EQ(brackets("1 + 2 * x"), "1 + (2 * x)");
    EXPECT_EQ(brackets("2 * 3 + 4 * 5"), "(2 * 3 )+ (4 * 5)");
    EXPECT_EQ(brackets("1 - 2 * 3 - 4"), "1 - (2 * 3 )- 4");
    EXPECT_EQ(brackets("1+2*3*4"), "1+(2*3*4)");
    // A blank ends a group, so a later * nests a further one.
    EXPECT_EQ(brackets("1 + 2 * 3 * 4"), "1 + ((2 * 3 * 4))");
    EXPECT_EQ(brackets("x / 2 ** 3 - 1"), "((x / 2 ** 3 ))- 1");
}

TEST(PrecedenceBrackets, LogicalOperatorsCloseOffTheirLeft) {
    EXPECT_EQ(brackets("a && b || c"), "((a )&&( b ))||( c)");
    // Only operators outside parentheses split; groups split inside.
    EXPECT_EQ(brackets("1 || (0 && 0)"), "(1 )||( ((0 )&&( 0)))");
}

TEST(PrecedenceBrackets, LeadingMinusSubtractsFromZero) {
    EXPECT_EQ(brackets("-5 + 3"), "0-5 + 3");
    EXPECT_EQ(brackets("- 5 + 3"), "0- 5 + 3");
    EXPECT_EQ(brackets("-(1)"), "0-(1)");
    EXPECT_EQ(brackets("+5 - 1"), "5 - 1");
    // A signed operand after an operator keeps its sign.
    EXPECT_EQ(brackets("2 * -3 + 1"), "(2 * -3 )+ 1");
}

TEST(PrecedenceBrackets, QuotedBracketedAndBracedTextIsNeverRewritten) {
    EXPECT_EQ(brackets("[string length a+b] * 2 + 1"), "([string length a+b] * 2 )+ 1");
    EXPECT_EQ(brackets("{a+b} + 1"), "{a+b} + 1");
    EXPECT_EQ(brackets("\"a-b\" eq $x"), "\"a-b\" eq $x");
    EXPECT_EQ(brackets("[a && b] || c"), "([a && b] )||( c)");
}

TEST(PrecedenceBrackets, SubscriptsAndFunctionArgumentsStayWhole) {
    EXPECT_EQ(brackets("$a(-1) * 2 + 1"), "($a(-1) * 2 )+ 1");
    EXPECT_EQ(brackets("pow(1 + 1, 2 * 2)"), "pow(1 + 1, (2 * 2))");
    EXPECT_EQ(brackets("2 * 3, 4 + 5"), "(2 * 3), 4 + 5");
    EXPECT_EQ(brackets("sqrt(2*3)+1"), "sqrt(2*3)+1");
}

TEST(PrecedenceBrackets, MalformedAndDeepTextsDoNotCrash) {
    EXPECT_EQ(brackets("(1 + 2"), "(1 + 2");
    EXPECT_EQ(brackets("1 + 2)"), "1 + 2)");
    EXPECT_EQ(brackets("[1 + 2"), "[1 + 2");
    EXPECT_EQ(brackets("+"), "+");
    EXPECT_EQ(brackets("-"), "0-");
    // Redundant pairs may go; the rest stays balanced around the same text.
    std::string deep(5000, '(');
    deep += "1 + 2";
    deep += std::string(5000, ')');
    std::string rewritten = brackets(deep);
    EXPECT_NE(rewritten.find("(1 + 2)"), std::string::npos);
    EXPECT_EQ(std::count(rewritten.begin(), rewritten.end(), '('),
              std::count(rewritten.begin(), rewritten.end(), ')'));
    std::string many;
    for (int i = 0; i < 2000; i++)
        many += "1 && ";
    many += "1";
    EXPECT_FALSE(brackets(many).empty());
}

TEST_F(Expressions, RewritingTwiceKeepsTheValue) {
    // The preprocessor rewrites expr calls and expr rewrites them again.
    const char* cases[] = {"1 + 2 * 3",         "2 * 3 + 4 * 5",  "-5 + 3",       "1 || 0 && 0",
                           "1 + 2 * 3 * 4 - 5", "10 - 2 * 3 - 1", "-(2 + 3) * 2", "7 % 4 * 2 + 1"};
    for (const char* text : cases) {
        std::string once = brackets(text);
        EXPECT_EQ(expr(text), expr(once)) << text;
        EXPECT_EQ(expr(once), expr(brackets(once))) << text;
    }
}

TEST_F(Expressions, TranslationKeepsStrictLeftToRightOrder) {
    EXPECT_EQ(translate("1 +(2 * x)"), "[+ 1 [* 2 x]]");
    EXPECT_EQ(translate("1 + 2 * x"), "[* [+ 1 2] x]");
    EXPECT_EQ(translate("a && b || c"), "[|| [&& a b] c]");
    EXPECT_EQ(translate("!x"), "[! x]");
    EXPECT_EQ(translate("x > 1 ? a : b"), "[? [> x 1] a b]");
    EXPECT_EQ(translate("$a eq \"b c\""), "[eq $a \"b c\"]");
    EXPECT_EQ(translate("-x + 1"), "[+ -x 1]");
    EXPECT_EQ(translate("$::g * 2"), "[* $::g 2]");
}

TEST_F(Expressions, TranslationOfListsFunctionsAndGroups) {
    EXPECT_EQ(translate("1, 2 + 3, 4"), "1 [+ 2 3] 4");
    EXPECT_EQ(translate("pow(2, n) - 1"), "[- [funct pow 2 n] 1]");
    EXPECT_EQ(translate("SQRT(x)"), "[funct SQRT x]");
    EXPECT_EQ(translate("$a(i + 1) * 2"), "[* $a([+ i 1]) 2]");
    EXPECT_EQ(translate("((1))"), "1");
    // One pair of enclosing quotes is removed.
    EXPECT_EQ(translate("\"x + 1\""), "[+ x 1]");
    EXPECT_EQ(translate(""), "");
}

TEST_F(Expressions, ConstantFormsFoldWhenAsked) {
    EXPECT_EQ(translate("sqrt(9) + 1", true), "4.000000000000000");
    EXPECT_EQ(translate("(2 * 3) + 1", true), "7");
    EXPECT_EQ(translate("x + (2 * 3)", true), "[+ x 6]");
    EXPECT_EQ(translate("x + (2 * 3)", false), "[+ x [* 2 3]]");
    // A constant form that fails to evaluate fails the translation.
    EXPECT_EQ(translate("1 / 0", true), "FAILED");
}

TEST_F(Expressions, MalformedTextsFailTheTranslation) {
    EXPECT_EQ(translate("1 +"), "FAILED");
    EXPECT_EQ(translate("(1 + 2"), "FAILED");
    EXPECT_EQ(translate("1 # 2"), "FAILED");
    EXPECT_EQ(translate("a(1 +)"), "FAILED");
    std::string deep(5000, '(');
    deep += "1";
    deep += std::string(5000, ')');
    EXPECT_EQ(translate(deep), "FAILED");
}

TEST(ConstantExpressions, OnlyDigitsOperatorsAndFunctWords) {
    EXPECT_TRUE(is_constant_expression("[+ 1 [* 2 3]]"));
    EXPECT_TRUE(is_constant_expression("[+ [funct sqrt 9] 1]"));
    EXPECT_TRUE(is_constant_expression("1.5 <= 2"));
    EXPECT_FALSE(is_constant_expression("[+ x 1]"));
    EXPECT_FALSE(is_constant_expression("[+ $x 1]"));
    EXPECT_FALSE(is_constant_expression("[funct sqrt]"));
    EXPECT_FALSE(is_constant_expression("{1}"));
}

TEST(Operators, ReadingAndArity) {
    struct Case {
        const char* text;
        const char* op;
        int length;
        int arity;
    };
    const Case cases[] = {
        {"+ 1", "+", 1, 2},   {"** 2", "**", 2, 2}, {"<= 3", "<=", 2, 2}, {"!= 3", "!=", 2, 2},
        {"! x", "!", 1, 1},   {"~1", "~", 1, 1},    {", 2", ",", 1, 1},   {"? a", "?", 1, 3},
        {"+= 1", "+=", 2, 2}, {"%= 1", "%=", 2, 2}, {"++", "++", 2, 1},   {"-+", "-+", 2, 1},
        {"-*", "-*", 2, 2},   {"*-3", "*", 1, 2},   {"EQ b", "eq", 2, 2}, {"ge\tb", "ge", 2, 2},
        {"&& b", "&&", 2, 2}, {">> 1", ">>", 2, 2},
    };
    for (const Case& c : cases) {
        char op[3];
        int length = -1;
        read_operator(c.text, op, &length);
        EXPECT_STREQ(op, c.op) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
        EXPECT_EQ(operator_arity(op), c.arity) << c.text;
    }
    const char* none[] = {"", "eqx", "eq", "(", "abc", "1"};
    for (const char* text : none) {
        char op[3];
        int length = -1;
        read_operator(text, op, &length);
        EXPECT_EQ(length, 0) << text;
    }
    EXPECT_EQ(operator_arity("<>"), 0);
    EXPECT_EQ(operator_arity("--"), 0);
}

TEST_F(Expressions, CoreEvaluatesFromLeftToRight) {
    EXPECT_EQ(expr("1 + 2 * 3"), "7");
    EXPECT_EQ(expr("1, 2 + 3, 4"), "1 5 4");
    EXPECT_EQ(expr("1 2 3"), "1 2 3");
    // One pending operator: a second operator met while one waits is skipped.
    EXPECT_EQ(expr("1 + !0"), "1");
    EXPECT_EQ(expr("((((((1))))))"), "1");
}

TEST_F(Expressions, OperandOverflowIsAnError) {
    std::string many;
    for (int i = 0; i < 1001; i++)
        many += "1 ";
    EXPECT_EQ(expr(many), "ERROR");
    many.resize(many.size() - 4);
    EXPECT_NE(expr(many), "ERROR");
}

} // namespace
