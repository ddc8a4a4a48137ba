#pragma once
// Drop target unit: makes units' windows accept what is dragged onto them (from this program or
// any other): texts, HTML, web addresses and files. Texts, HTML and addresses arrive as GBK;
// files as their paths, in the order given.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/hooks.h"
#include "runtime/unit.h"

namespace rt {

// What one drop carries, each kind as the drag source offered it.
struct DropData {
  std::vector<std::string> files;
  // The plain text.
  std::optional<std::string> text;
  // The HTML of a selection or page (the document part of the source's HTML clip).
  std::optional<std::string> html;
  // A link or an address bar's web address.
  std::optional<std::string> url;
};

class DropTarget {
 public:
  DropTarget() = default;
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;
  ~DropTarget();

  // Accepts drops on the unit's window from now on, besides the windows attached before,
  // until that window is gone or detach(). A re-created window (rt::EditBox) keeps accepting.
  void attach(Unit& unit);
  // Gives every window's registration back.
  void detach();
  bool attached() const { return !windows_.empty(); }

  // One drop raises on_files alone when it carries files; otherwise one event for each other
  // kind it carries, in the order text, HTML, web address. A drop is refused when it carries
  // no kind that has a handler.
  std::function<void(const std::string& text)> on_text;
  std::function<void(const std::string& html)> on_html;
  std::function<void(const std::string& url)> on_url;
  std::function<void(const std::vector<std::string>& paths)> on_files;

  // Runtime side: whether a drop carrying these kinds would be taken, and one drop's data.
  bool accepts(bool files, bool text, bool html, bool url) const;
  void deliver(const DropData& data);

 private:
  struct Registration {
    WindowHandle window = nullptr;
    void* ole_target = nullptr;
    HookId hook = 0;
  };
  void release(Registration& r);
  void move_registration(WindowHandle from, WindowHandle to);
  std::vector<Registration> windows_;
};

}  // namespace rt
