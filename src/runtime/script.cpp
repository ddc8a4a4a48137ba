#include "runtime/script.h"

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
        SUCCEEDED(VariantChangeType(&l.value, &l.value, 0, VT_I4)))
      line = l.value.lVal;
    dispatch_call(e, L"Clear", DISPATCH_METHOD, Arguments(), nullptr);
  }
  if (description.empty()) description = bstr_text(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  exception = EXCEPINFO{};
  return "Error: " + to_gbk(description) + "; in line " + int_to_text(line);
}

}  // namespace

std::wstring script_string(std::string_view gbk) {
  size_t last = 0;
  for (size_t i = 0; i < gbk.size(); i += char_size_at(gbk, i)) last = i;
  bool lone_lead = !gbk.empty() && char_size_at(gbk, last) == 1 && is_lead_byte(static_cast<unsigned char>(gbk[last]));
  if (!lone_lead) return to_wide(gbk);
  return to_wide(gbk.substr(0, last)) + L'\uFFFD';
}

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
      VariantClear(&result.value);
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

}  // namespace rt
