#pragma once
// The printer unit: the system print dialog, then GBK text laid out as lines on pages.
// In a test the dialog's answer comes from the dialog script (runtime/seams.h), whose device
// stands in for the printer; what is printed there is recorded, page by page.
#include <memory>
#include <string>
#include <string_view>

#include "runtime/unit.h"

namespace rt {

class Window;

class Printer {
 public:
  Printer();
  ~Printer();  // abandons a job still open
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // The window that owns the print dialog.
  void create(Window& owner);

  // The unit's settings, read when a job begins.
  Font font{0, false, false, false, false, 10, "宋体"};
  int margin_mm = 20;  // on every side of the sheet
  std::string document_name = "Velmora";

  // Shows the print dialog. 1 when a printer was chosen and its document has begun; 0 when the
  // dialog was cancelled or no printer could start the document (nothing is shown).
  int begin_job();
  // Lays the text out below what the job printed so far: lines wrapped at the page width,
  // a new page whenever one is full.
  void print_text(std::string_view text);
  // Ends the last page and the document; a job that printed no page is abandoned.
  void end_job();
  bool job_open() const { return job_ != nullptr; }

 private:
  struct Job;
  std::unique_ptr<Job> job_;
  Window* owner_ = nullptr;
};

}  // namespace rt
