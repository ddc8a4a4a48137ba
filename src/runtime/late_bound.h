#pragma once
// COM objects of other components driven late-bound by name (no declared interfaces): a web
// page's document and its elements. An object lives on the thread that got it.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/app.h"

namespace rt {

class LateBoundObject {
 public:
  LateBoundObject() = default;
  ~LateBoundObject();
  LateBoundObject(LateBoundObject&& other) noexcept;
  LateBoundObject& operator=(LateBoundObject&& other) noexcept;
  LateBoundObject(const LateBoundObject&) = delete;
  LateBoundObject& operator=(const LateBoundObject&) = delete;

  bool valid() const { return dispatch_ != nullptr; }
  // Calls a method with whole-number arguments; its result when that is an object, else an
  // empty object.
  LateBoundObject call_object(std::string_view name, const std::vector<long>& numbers) const;
  // Reads a property as GBK text; "" when the read fails (and *ok false when given).
  std::string property_text(std::string_view name, bool* ok = nullptr) const;
  // Gives the object back; empty afterwards.
  void release();

 private:
  // Adopts one reference of an IDispatch; COM stays initialised on the thread while it lives.
  static LateBoundObject adopt(void* dispatch);
  friend LateBoundObject html_document_of_window(WindowHandle window);
  void* dispatch_ = nullptr;
  bool com_initialized_ = false;
};

// The HTML document behind an "Internet Explorer_Server" window: the registered message
// "WM_HTML_GETOBJECT" sent bounded (a hung window gives up at once), its answer turned into
// the document (IHTMLDocument) with ObjectFromLresult. Empty when the window gives none.
LateBoundObject html_document_of_window(WindowHandle window);

}  // namespace rt
