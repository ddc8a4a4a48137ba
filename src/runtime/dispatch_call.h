#pragma once
// Inside the runtime only: calls on a COM object by name through IDispatch, without declared
// interfaces (the script object, a web page's document).
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <string>
#include <string_view>
#include <vector>

#include "runtime/system_library.h"

namespace rt::detail {

// OLE Automation's strings and variants, loaded at their first use rather than with the program.
struct Automation {
  decltype(&VariantInit) variant_init = RT_SYSTEM_FUNCTION(L"oleaut32.dll", VariantInit);
  decltype(&VariantClear) variant_clear = RT_SYSTEM_FUNCTION(L"oleaut32.dll", VariantClear);
  decltype(&VariantChangeType) variant_change_type = RT_SYSTEM_FUNCTION(L"oleaut32.dll", VariantChangeType);
  decltype(&SysAllocStringLen) alloc_string = RT_SYSTEM_FUNCTION(L"oleaut32.dll", SysAllocStringLen);
  decltype(&SysStringLen) string_length = RT_SYSTEM_FUNCTION(L"oleaut32.dll", SysStringLen);
  decltype(&SysFreeString) free_string = RT_SYSTEM_FUNCTION(L"oleaut32.dll", SysFreeString);
};
const Automation& automation();

// Arguments of one late-bound call, in the order of the declaration.
class DispatchArguments {
 public:
  DispatchArguments() = default;
  DispatchArguments(const DispatchArguments&) = delete;
  DispatchArguments& operator=(const DispatchArguments&) = delete;
  ~DispatchArguments();
  DispatchArguments& text(std::wstring_view w);
  DispatchArguments& number(long n);
  DispatchArguments& flag(bool on);
  // IDispatch takes them last first.
  std::vector<VARIANT> reversed() const { return {values_.rbegin(), values_.rend()}; }

 private:
  VARIANT& add();
  std::vector<VARIANT> values_;
};

// A call's result, cleared when it goes.
struct DispatchResult {
  VARIANT value;
  DispatchResult() { automation().variant_init(&value); }
  DispatchResult(const DispatchResult&) = delete;
  DispatchResult& operator=(const DispatchResult&) = delete;
  ~DispatchResult() { automation().variant_clear(&value); }
};

// Looks the name up and invokes it as kind (DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...).
HRESULT dispatch_call(IDispatch* object, const wchar_t* name, WORD kind, const DispatchArguments& arguments,
                      VARIANT* result, EXCEPINFO* exception = nullptr);
HRESULT dispatch_put(IDispatch* object, const wchar_t* name, const DispatchArguments& value);

std::wstring bstr_text(BSTR b);
// A result as GBK text: strings as they are, numbers as the text routines write them, true and
// false, empty and null as "", anything else as COM converts it.
std::string variant_text(VARIANT& v);

}  // namespace rt::detail
