// The script service: JScript through the Script Control, late-bound, under Wine.
#include "runtime/script.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "runtime/app.h"

namespace {

bool starts_with(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool ends_with(const std::string& s, const std::string& p) {
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

// The living processes this one started from its own file (helpers; Wine may start others).
int helper_processes() {
  wchar_t file[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, file, MAX_PATH);
  std::wstring own = file;
  own = own.substr(own.find_last_of(L"\\/") + 1);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int n = 0;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL more = Process32FirstW(snapshot, &e); more; more = Process32NextW(snapshot, &e))
    if (e.th32ParentProcessID == GetCurrentProcessId() && _wcsicmp(e.szExeFile, own.c_str()) == 0) ++n;
  CloseHandle(snapshot);
  return n;
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

TEST(UntrustedScript, IsEvaluatedApartWithTheSafeSubset) {
  const std::pair<const char*, const char*> cases[] = {
      {"(88*2)/(3+5)*(16-8)", "176"}, {"1/3", "0.3333333333333"}, {"'中'+'文'", "中文"}, {"1<2", "true"}, {"", ""},
  };
  for (const auto& [expression, expected] : cases) {
    bool failed = true;
    EXPECT_EQ(rt::evaluate_untrusted(expression, 5000, &failed), expected) << expression;
    EXPECT_FALSE(failed) << expression;
  }
  bool failed = false;
  std::string syntax = rt::evaluate_untrusted("1+", 5000, &failed);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(starts_with(syntax, "Error: ")) << syntax;
  EXPECT_TRUE(ends_with(syntax, "; in line 1")) << syntax;
  std::string unsafe = rt::evaluate_untrusted("new ActiveXObject('Scripting.FileSystemObject')", 5000, &failed);
  EXPECT_TRUE(failed);
  EXPECT_TRUE(starts_with(unsafe, "Error: ")) << unsafe;
}

TEST(UntrustedScript, AnEndlessScriptIsStoppedAtItsLimitWhileMessagesRun) {
  bool returned = false, ran_while_waiting = false;
  int helpers_while_waiting = -1;
  rt::post([&] {
    ran_while_waiting = !returned;
    helpers_while_waiting = helper_processes();
  });
  bool failed = false;
  DWORD t0 = GetTickCount();
  std::string r = rt::evaluate_untrusted("while(1);", 1000, &failed);
  DWORD elapsed = GetTickCount() - t0;
  returned = true;
  EXPECT_EQ(r, rt::script_timeout_text(1000));
  EXPECT_TRUE(failed);
  EXPECT_EQ(r, "Error: 脚本运行超过1000毫秒，已被中止; in line 0");
  EXPECT_GE(elapsed, 1000u);
  EXPECT_LT(elapsed, 9000u);  // the limit and the helper's start, with room for a slow machine
  EXPECT_TRUE(ran_while_waiting);
  EXPECT_EQ(helpers_while_waiting, 1);
  // The helper is gone, with the script it ran; the next evaluation has a helper of its own.
  EXPECT_EQ(helper_processes(), 0);
  EXPECT_EQ(rt::evaluate_untrusted("6*7", 5000, &failed), "42");
  EXPECT_FALSE(failed);
  EXPECT_EQ(helper_processes(), 0);
}

TEST(UntrustedScript, AHelperWhoseProgramIsGoneEndsByItself) {
  // Started as the program would start it, then left alone: nobody reads its answer or ends it.
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE in_read, in_write;
  ASSERT_TRUE(CreatePipe(&in_read, &in_write, &inherited, 0));
  SetHandleInformation(in_write, HANDLE_FLAG_INHERIT, 0);
  wchar_t file[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, file, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(file) + L"\" --velmora-script-helper 200";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in_read;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(
      CreateProcessW(file, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
  CloseHandle(in_read);
  CloseHandle(pi.hThread);
  DWORD wrote = 0;
  WriteFile(in_write, "while(1);", 9, &wrote, nullptr);
  CloseHandle(in_write);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 3u);  // its own bound ended it
  if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
}

}  // namespace
