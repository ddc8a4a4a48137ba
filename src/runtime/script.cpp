#include "runtime/script.h"

#include <windows.h>
// after windows.h
#include <oleauto.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <thread>

#include "runtime/app.h"
#include "runtime/dispatch_call.h"
#include "runtime/gbk_text.h"
#include "runtime/strings.h"

namespace rt {
namespace {

// The Script Control's class, for systems where its program id is not registered.
constexpr CLSID kScriptControlClass = {0x0E59F1D5, 0x1FBE, 0x11D0, {0x8F, 0xF2, 0x00, 0xA0, 0xD1, 0x00, 0x38, 0xBC}};

IDispatch* dispatch_of(void* p) { return static_cast<IDispatch*>(p); }

using Arguments = detail::DispatchArguments;
using Result = detail::DispatchResult;
using detail::automation;
using detail::bstr_text;
using detail::dispatch_call;
using detail::dispatch_put;
using detail::variant_text;

// The control keeps the last failure in its Error object; it is read and cleared.
std::string error_text(IDispatch* control, EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  std::wstring description;
  long line = 0;
  Result error;
  if (SUCCEEDED(dispatch_call(control, L"Error", DISPATCH_PROPERTYGET, Arguments(), &error.value)) &&
      error.value.vt == VT_DISPATCH && error.value.pdispVal) {
    IDispatch* e = error.value.pdispVal;
    Result d, l;
    if (SUCCEEDED(dispatch_call(e, L"Description", DISPATCH_PROPERTYGET, Arguments(), &d.value)) &&
        d.value.vt == VT_BSTR)
      description = bstr_text(d.value.bstrVal);
    if (SUCCEEDED(dispatch_call(e, L"Line", DISPATCH_PROPERTYGET, Arguments(), &l.value)) &&
        SUCCEEDED(automation().variant_change_type(&l.value, &l.value, 0, VT_I4)))
      line = l.value.lVal;
    dispatch_call(e, L"Clear", DISPATCH_METHOD, Arguments(), nullptr);
  }
  if (description.empty()) description = bstr_text(exception.bstrDescription);
  automation().free_string(exception.bstrSource);
  automation().free_string(exception.bstrDescription);
  automation().free_string(exception.bstrHelpFile);
  exception = EXCEPINFO{};
  return "Error: " + to_gbk(description) + "; in line " + int_to_text(line);
}

// The helper process of evaluate_untrusted. It is the program's own file started with a
// switch and the time limit; it reads the expression (GBK) from its input to the end, answers
// "R" once its script object stands, then "0" (value) or "1" (error text) and the text.
constexpr wchar_t kHelperSwitch[] = L"--velmora-script-helper";
// How long a helper may take to start and create its script object before the script's own
// time begins: the start of a process is slow on a busy machine and under Wine.
constexpr DWORD kHelperStartAllowance = 15000;
// The helper's own bound past the limit, for when the program that asked is gone.
constexpr DWORD kHelperSelfBound = 5000;

std::string read_to_end(HANDLE from) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  return text;
}

void write_all(HANDLE to, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD wrote = 0;
    if (!WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) || wrote == 0) return;
    bytes.remove_prefix(wrote);
  }
}

// What a worker thread and the waiting caller share; the last one to let go closes the event.
struct HelperExchange {
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> ready_at{0};  // tick count when "R" came; 0 before
  std::string reply;               // after "R", complete once finished is set
  ~HelperExchange() {
    if (finished) CloseHandle(finished);
  }
};

// The worker: hands the expression over and reads the reply until the helper ends. It owns
// both pipe ends.
void exchange_with_helper(std::shared_ptr<HelperExchange> x, std::string expression, HANDLE to_helper,
                          HANDLE from_helper) {
  write_all(to_helper, expression);
  CloseHandle(to_helper);
  char buffer[4096];
  DWORD got = 0;
  bool ready = false;
  while (ReadFile(from_helper, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    std::string_view part(buffer, got);
    if (!ready && part[0] == 'R') {
      ready = true;
      DWORD now = GetTickCount();
      x->ready_at = now ? now : 1;
      part.remove_prefix(1);
    }
    x->reply.append(part);
  }
  CloseHandle(from_helper);
  SetEvent(x->finished);
}

bool start_helper(int time_limit_ms, PROCESS_INFORMATION& pi, HANDLE& to_helper, HANDLE& from_helper) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE in_read = nullptr, in_write = nullptr, out_read = nullptr, out_write = nullptr;
  if (!CreatePipe(&in_read, &in_write, &inherited, 0)) return false;
  if (!CreatePipe(&out_read, &out_write, &inherited, 0)) {
    CloseHandle(in_read);
    CloseHandle(in_write);
    return false;
  }
  // Only the helper's ends go over; ours stay here, or the helper would never see the end of
  // its input.
  SetHandleInformation(in_write, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  wchar_t file[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, file, MAX_PATH * 2);
  std::wstring command = L"\"" + std::wstring(file) + L"\" " + kHelperSwitch + L" " + std::to_wstring(time_limit_ms);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = in_read;
  si.hStdOutput = out_write;
  BOOL started =
      CreateProcessW(file, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
  CloseHandle(in_read);
  CloseHandle(out_write);
  if (!started) {
    CloseHandle(in_write);
    CloseHandle(out_read);
    return false;
  }
  CloseHandle(pi.hThread);
  to_helper = in_write;
  from_helper = out_read;
  return true;
}

// Waits for the helper's reply; false when its time is up first (or the program is quitting).
bool wait_for_helper(HelperExchange& x, DWORD time_limit) {
  DWORD started = GetTickCount();
  bool ui = on_ui_thread();
  for (;;) {
    DWORD ready = x.ready_at;  // read before the clock, so that it is never later than now
    DWORD now = GetTickCount();
    DWORD passed = ready ? now - ready : now - started;
    DWORD allowed = ready ? time_limit : kHelperStartAllowance + time_limit;
    if (passed >= allowed) return false;
    // In slices: the script's clock starts when the helper answers "R".
    DWORD slice = std::min<DWORD>(allowed - passed, 50);
    DWORD woke = ui ? MsgWaitForMultipleObjects(1, &x.finished, FALSE, slice, QS_ALLINPUT)
                    : WaitForSingleObject(x.finished, slice);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1 || !ui) continue;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return WaitForSingleObject(x.finished, 0) == WAIT_OBJECT_0;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace

std::wstring script_string(std::string_view gbk) { return to_wide(gbk); }

ScriptObject::~ScriptObject() { release(); }

bool ScriptObject::create(int timeout_ms) {
  release();
  HRESULT init = CoInitialize(nullptr);
  com_initialized_ = SUCCEEDED(init);
  CLSID cls;
  if (FAILED(CLSIDFromProgID(L"MSScriptControl.ScriptControl", &cls))) cls = kScriptControlClass;
  IDispatch* control = nullptr;
  if (FAILED(CoCreateInstance(cls, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&control))) ||
      !control) {
    release();
    return false;
  }
  control_ = control;
  // The safety settings come before the language, which starts the engine.
  dispatch_put(control, L"AllowUI", Arguments().flag(false));
  dispatch_put(control, L"UseSafeSubset", Arguments().flag(true));
  dispatch_put(control, L"Timeout", Arguments().number(timeout_ms));
  if (FAILED(dispatch_put(control, L"Language", Arguments().text(L"JScript")))) {
    release();
    return false;
  }
  return true;
}

void ScriptObject::release() {
  if (control_) dispatch_of(control_)->Release();
  control_ = nullptr;
  if (com_initialized_) CoUninitialize();
  com_initialized_ = false;
}

std::string ScriptObject::add_code(std::string_view code) {
  if (!control_) return "Error: ; in line 0";
  EXCEPINFO exception{};
  Result ignored;
  HRESULT hr = dispatch_call(dispatch_of(control_), L"AddCode", DISPATCH_METHOD, Arguments().text(script_string(code)),
                             &ignored.value, &exception);
  return FAILED(hr) ? error_text(dispatch_of(control_), exception) : std::string();
}

std::string ScriptObject::execute_statement(std::string_view statement) {
  if (!control_) return "Error: ; in line 0";
  EXCEPINFO exception{};
  Result ignored;
  HRESULT hr = dispatch_call(dispatch_of(control_), L"ExecuteStatement", DISPATCH_METHOD,
                             Arguments().text(script_string(statement)), &ignored.value, &exception);
  return FAILED(hr) ? error_text(dispatch_of(control_), exception) : std::string();
}

std::string ScriptObject::run(std::string_view procedure, const std::vector<std::string>& arguments, bool* failed) {
  if (failed) *failed = true;
  if (!control_) return "Error: ; in line 0";
  // The procedure's parameters follow its name one by one.
  Arguments a;
  a.text(to_wide(procedure));
  for (const std::string& t : arguments) a.text(script_string(t));
  EXCEPINFO exception{};
  Result result;
  HRESULT hr = dispatch_call(dispatch_of(control_), L"Run", DISPATCH_METHOD, a, &result.value, &exception);
  // Some controls (Wine's) pass on only a parameter list of exactly one value; the procedure is
  // then called on the script's own object, where it is a method like any other.
  if (hr == DISP_E_BADPARAMCOUNT) {
    Result code;
    if (SUCCEEDED(
            dispatch_call(dispatch_of(control_), L"CodeObject", DISPATCH_PROPERTYGET, Arguments(), &code.value)) &&
        code.value.vt == VT_DISPATCH && code.value.pdispVal) {
      Arguments b;
      for (const std::string& t : arguments) b.text(script_string(t));
      std::wstring name = to_wide(procedure);
      automation().variant_clear(&result.value);
      hr = dispatch_call(code.value.pdispVal, name.c_str(), DISPATCH_METHOD, b, &result.value, &exception);
    }
  }
  if (FAILED(hr)) return error_text(dispatch_of(control_), exception);
  if (failed) *failed = false;
  return variant_text(result.value);
}

std::string ScriptObject::eval(std::string_view expression, bool* failed) {
  if (failed) *failed = true;
  if (!control_) return "Error: ; in line 0";
  EXCEPINFO exception{};
  Result result;
  HRESULT hr = dispatch_call(dispatch_of(control_), L"Eval", DISPATCH_METHOD,
                             Arguments().text(script_string(expression)), &result.value, &exception);
  if (FAILED(hr)) return error_text(dispatch_of(control_), exception);
  if (failed) *failed = false;
  return variant_text(result.value);
}

std::string script_timeout_text(int time_limit_ms) {
  return "Error: 脚本运行超过" + int_to_text(time_limit_ms) + "毫秒，已被中止; in line 0";
}

std::string evaluate_untrusted(std::string_view expression, int time_limit_ms, bool* failed) {
  if (failed) *failed = true;
  if (time_limit_ms < 1) time_limit_ms = 1;
  PROCESS_INFORMATION pi{};
  HANDLE to_helper = nullptr, from_helper = nullptr;
  if (!start_helper(time_limit_ms, pi, to_helper, from_helper)) return "Error: 无法启动脚本的计算进程; in line 0";
  auto x = std::make_shared<HelperExchange>();
  std::thread(exchange_with_helper, x, std::string(expression), to_helper, from_helper).detach();
  bool answered = wait_for_helper(*x, static_cast<DWORD>(time_limit_ms));
  if (!answered) {
    // Ending the process ends the script with everything it holds; the helper's end of the
    // pipe goes with it, which ends the worker's read.
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    return script_timeout_text(time_limit_ms);
  }
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hProcess);
  const std::string& reply = x->reply;
  if (reply.empty() || (reply[0] != '0' && reply[0] != '1')) return "Error: 脚本的计算进程意外结束; in line 0";
  if (failed) *failed = reply[0] == '1';
  return reply.substr(1);
}

void serve_as_script_helper_if_asked() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  bool helper = arguments && count == 3 && std::wcscmp(arguments[1], kHelperSwitch) == 0;
  int limit = helper ? _wtoi(arguments[2]) : 0;
  if (arguments) LocalFree(arguments);
  if (!helper) return;
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string expression = read_to_end(in);
  std::thread([limit] {
    Sleep(static_cast<DWORD>(limit > 0 ? limit : 0) + kHelperSelfBound);
    TerminateProcess(GetCurrentProcess(), 3);
  }).detach();
  ScriptObject script;
  std::string reply;
  // The bound is the asking program's: the control's own stays off, on every system alike.
  if (script.create(-1)) {
    write_all(out, "R");
    bool failed = true;
    std::string value = script.eval(expression, &failed);
    reply = (failed ? "1" : "0") + value;
  } else {
    reply = "1Error: 无法创建脚本组件; in line 0";
  }
  write_all(out, reply);
  CloseHandle(out);
  script.release();
  ExitProcess(0);
}

}  // namespace rt
