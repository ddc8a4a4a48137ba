#include "runtime/late_bound.h"

#include "runtime/dispatch_call.h"
#include "runtime/foreign_windows.h"
#include "runtime/strings.h"
#include "runtime/system_library.h"
// after windows.h
#include <oleacc.h>

namespace rt {
namespace {
IDispatch* dispatch_of(void* p) { return static_cast<IDispatch*>(p); }

// IHTMLDocument: the interface the document is asked for, its only use being IDispatch's.
constexpr IID kHtmlDocumentInterface = {0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};
}  // namespace

LateBoundObject LateBoundObject::adopt(void* dispatch) {
  LateBoundObject o;
  o.com_initialized_ = SUCCEEDED(CoInitialize(nullptr));
  o.dispatch_ = dispatch;
  return o;
}

LateBoundObject::~LateBoundObject() { release(); }

LateBoundObject::LateBoundObject(LateBoundObject&& other) noexcept
    : dispatch_(other.dispatch_), com_initialized_(other.com_initialized_) {
  other.dispatch_ = nullptr;
  other.com_initialized_ = false;
}

LateBoundObject& LateBoundObject::operator=(LateBoundObject&& other) noexcept {
  if (this != &other) {
    release();
    dispatch_ = other.dispatch_;
    com_initialized_ = other.com_initialized_;
    other.dispatch_ = nullptr;
    other.com_initialized_ = false;
  }
  return *this;
}

void LateBoundObject::release() {
  if (dispatch_) dispatch_of(dispatch_)->Release();
  dispatch_ = nullptr;
  if (com_initialized_) CoUninitialize();
  com_initialized_ = false;
}

LateBoundObject LateBoundObject::call_object(std::string_view name, const std::vector<long>& numbers) const {
  if (!dispatch_) return {};
  detail::DispatchArguments arguments;
  for (long n : numbers) arguments.number(n);
  detail::DispatchResult result;
  std::wstring w = to_wide(name);
  if (FAILED(detail::dispatch_call(dispatch_of(dispatch_), w.c_str(), DISPATCH_METHOD, arguments, &result.value)) ||
      result.value.vt != VT_DISPATCH || !result.value.pdispVal)
    return {};
  IDispatch* object = result.value.pdispVal;
  object->AddRef();
  return adopt(object);
}

std::string LateBoundObject::property_text(std::string_view name, bool* ok) const {
  if (ok) *ok = false;
  if (!dispatch_) return {};
  detail::DispatchResult result;
  std::wstring w = to_wide(name);
  if (FAILED(detail::dispatch_call(dispatch_of(dispatch_), w.c_str(), DISPATCH_PROPERTYGET, detail::DispatchArguments(),
                                   &result.value)))
    return {};
  if (ok) *ok = true;
  return detail::variant_text(result.value);
}

LateBoundObject html_document_of_window(WindowHandle window) {
  unsigned message = register_window_message("WM_HTML_GETOBJECT");
  std::optional<intptr_t> answer = message ? send_foreign_message(window, message, 0, 0) : std::nullopt;
  if (!answer || !*answer) return {};
  // COM comes first: the answer is a marshalled interface that only COM can unpack.
  LateBoundObject document = LateBoundObject::adopt(nullptr);
  void* object = nullptr;
  // The accessibility library loads with the first document, not with the program.
  static const auto object_from_lresult = RT_SYSTEM_FUNCTION(L"oleacc.dll", ObjectFromLresult);
  if (FAILED(object_from_lresult(static_cast<LRESULT>(*answer), kHtmlDocumentInterface, 0, &object)) || !object)
    return {};
  document.dispatch_ = object;
  return document;
}

}  // namespace rt
