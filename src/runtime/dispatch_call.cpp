#include "runtime/dispatch_call.h"

#include "runtime/gbk_text.h"
#include "runtime/strings.h"

namespace rt::detail {

const Automation& automation() {
  static const Automation functions;
  return functions;
}

DispatchArguments::~DispatchArguments() {
  for (VARIANT& v : values_) automation().variant_clear(&v);
}

VARIANT& DispatchArguments::add() {
  values_.emplace_back();
  automation().variant_init(&values_.back());
  return values_.back();
}

DispatchArguments& DispatchArguments::text(std::wstring_view w) {
  VARIANT& v = add();
  v.vt = VT_BSTR;
  v.bstrVal = automation().alloc_string(w.data(), static_cast<UINT>(w.size()));
  return *this;
}

DispatchArguments& DispatchArguments::number(long n) {
  VARIANT& v = add();
  v.vt = VT_I4;
  v.lVal = n;
  return *this;
}

DispatchArguments& DispatchArguments::flag(bool on) {
  VARIANT& v = add();
  v.vt = VT_BOOL;
  v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
  return *this;
}

HRESULT dispatch_call(IDispatch* object, const wchar_t* name, WORD kind, const DispatchArguments& arguments,
                      VARIANT* result, EXCEPINFO* exception) {
  if (!object) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> values = arguments.reversed();
  DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  DISPID put = DISPID_PROPERTYPUT;
  if (kind == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  UINT bad_argument = 0;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, exception, &bad_argument);
}

HRESULT dispatch_put(IDispatch* object, const wchar_t* name, const DispatchArguments& value) {
  return dispatch_call(object, name, DISPATCH_PROPERTYPUT, value, nullptr);
}

std::wstring bstr_text(BSTR b) { return b ? std::wstring(b, automation().string_length(b)) : std::wstring(); }

std::string variant_text(VARIANT& v) {
  switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_BSTR:
      return to_gbk(bstr_text(v.bstrVal));
    case VT_R8:
      return number_to_text(v.dblVal);
    case VT_R4:
      return number_to_text(v.fltVal);
    case VT_BOOL:
      return v.boolVal ? "true" : "false";
    default:
      if (FAILED(automation().variant_change_type(&v, &v, 0, VT_BSTR))) return {};
      return to_gbk(bstr_text(v.bstrVal));
  }
}

}  // namespace rt::detail
