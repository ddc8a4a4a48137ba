// The script service: JScript through the Script Control, late-bound, under Wine.
#include "runtime/script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool starts_with(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool ends_with(const std::string& s, const std::string& p) {
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

class ScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(script.create());
    ASSERT_EQ(script.execute_statement("function len(t){return t.length;}"), "");
    ASSERT_EQ(script.add_code("function join(a, b){return a + '-' + b;}\n"
                              "function answer(){return 42;}\n"
                              "function thrower(t){\n"
                              "  throw new Error(t);\n"
                              "}\n"),
              "");
  }
  rt::ScriptObject script;
};

TEST_F(ScriptTest, RunsProceduresWithTextArgumentsAndGivesTextBack) {
  struct Case {
    const char* procedure;
    std::vector<std::string> arguments;
    std::string expected;
  };
  const Case cases[] = {
      {"len", {"中文abc"}, "5"},
      {"len", {""}, "0"},
      {"len", {"a\r\nb"}, "4"},
      // a lone lead byte at the end is one character, as the text routines count it
      {"len", {"中\xD6"}, "2"},
      {"join", {"甲", "乙"}, "甲-乙"},
      {"answer", {}, "42"},
  };
  for (const Case& c : cases) {
    bool failed = true;
    EXPECT_EQ(script.run(c.procedure, c.arguments, &failed), c.expected) << c.procedure;
    EXPECT_FALSE(failed) << c.procedure;
  }
}

TEST_F(ScriptTest, EvaluatesExpressionsToText) {
  const std::pair<const char*, const char*> cases[] = {
      {"1+2", "3"},    {"1/4", "0.25"}, {"1/3", "0.3333333333333"}, {"'中'+'文'", "中文"},
      {"1<2", "true"}, {"null", ""},    {"len('中文')", "2"},
  };
  for (const auto& [expression, expected] : cases) EXPECT_EQ(script.eval(expression), expected) << expression;
}

TEST_F(ScriptTest, FailuresGiveTheErrorTextWithDescriptionAndLine) {
  bool failed = false;
  std::string syntax = script.eval("1+", &failed);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(starts_with(syntax, "Error: ")) << syntax;
  EXPECT_TRUE(ends_with(syntax, "; in line 1")) << syntax;

  std::string thrown = script.run("thrower", {"坏了"}, &failed);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(starts_with(thrown, "Error: 坏了; in line ")) << thrown;

  EXPECT_TRUE(starts_with(script.add_code("function ("), "Error: "));
  EXPECT_TRUE(starts_with(script.run("no_such_procedure", {"x"}), "Error: "));
  // The failure does not stick to the next call.
  EXPECT_EQ(script.eval("2*3", &failed), "6");
  EXPECT_FALSE(failed);
}

TEST_F(ScriptTest, EvaluatedTextCannotCreateUnsafeObjects) {
  bool failed = false;
  std::string r = script.eval("new ActiveXObject('Scripting.FileSystemObject')", &failed);
  EXPECT_TRUE(failed) << r;
  EXPECT_TRUE(starts_with(r, "Error: ")) << r;
}

TEST(ScriptObjectLife, AnEmptyObjectAnswersWithAnErrorAndCanBeCreatedAgain) {
  rt::ScriptObject s;
  EXPECT_FALSE(s.ready());
  bool failed = false;
  EXPECT_TRUE(starts_with(s.eval("1", &failed), "Error: "));
  EXPECT_TRUE(failed);
  ASSERT_TRUE(s.create());
  EXPECT_TRUE(s.ready());
  s.release();
  s.release();
  EXPECT_FALSE(s.ready());
  EXPECT_TRUE(starts_with(s.run("len", {"a"}), "Error: "));
  ASSERT_TRUE(s.create());
  EXPECT_EQ(s.eval("'again'"), "again");
}

}  // namespace
