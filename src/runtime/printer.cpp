#include "runtime/printer.h"

#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

#include "runtime/print_layout.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "runtime/window.h"

namespace rt {

struct Printer::Job {
  HDC dc = nullptr;
  bool own_dc = false;
  // A test's device is no printer: the document and its pages are recorded instead.
  bool recorded = false;
  size_t record = 0;  // index in seams::printed_documents()
  HFONT font = nullptr;
  HGDIOBJ old_font = nullptr;
  int left = 0, top = 0, right = 0, bottom = 0, line_height = 1;
  int y = 0;
  bool page_open = false;
  int pages = 0;
  bool failed = false;
  std::vector<int> widths = std::vector<int>(0x10000, -1);  // by GBK code

  seams::PrintedDocument* document() {
    auto& docs = seams::printed_documents();
    return recorded && record < docs.size() ? &docs[record] : nullptr;
  }

  int char_width(std::string_view ch) {
    unsigned code = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 2) code = code << 8 | static_cast<unsigned char>(ch[1]);
    int& w = widths[code];
    if (w < 0) {
      std::wstring wide = to_wide(ch);
      SIZE size{};
      GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
      w = std::max<int>(0, size.cx);
    }
    return w;
  }

  // A printer driver may reset the device context with each page.
  void select_font() {
    HGDIOBJ previous = SelectObject(dc, font);
    if (!old_font) old_font = previous;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  }

  void fail() {
    if (!recorded && !failed) AbortDoc(dc);
    failed = true;
    page_open = false;
  }

  bool start_page() {
    if (recorded) {
      if (auto* d = document()) d->pages.emplace_back();
    } else if (StartPage(dc) <= 0) {
      fail();
      return false;
    }
    select_font();
    page_open = true;
    ++pages;
    y = top;
    return true;
  }

  void end_page() {
    page_open = false;
    if (!recorded && EndPage(dc) <= 0) fail();
  }
};

namespace {

bool printer_installed() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  return needed > 0;
}

}  // namespace

Printer::Printer() = default;

Printer::~Printer() {
  if (job_) {
    job_->fail();
    end_job();
  }
}

void Printer::create(Window& owner) { owner_ = &owner; }

int Printer::begin_job() {
  if (job_) end_job();
  auto job = std::make_unique<Job>();
  int page_width = 0, page_height = 0;
  if (seams::test_mode()) {
    seams::dialog_requests().push_back({seams::DialogKind::Print, {}, {}, {}});
    auto answer = seams::take_dialog_answer(seams::DialogKind::Print);
    if (!answer || !answer->accepted) return 0;
    job->dc = static_cast<HDC>(answer->device_context);
    if (!job->dc) {
      job->dc = CreateCompatibleDC(nullptr);
      job->own_dc = true;
    }
    page_width = answer->page_width;
    page_height = answer->page_height;
    job->recorded = true;
    seams::printed_documents().push_back({document_name, 0, {}, false});
    job->record = seams::printed_documents().size() - 1;
  } else {
    // Without any printer the system dialog would only say so; the unit stays silent.
    if (!printer_installed()) return 0;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner_ ? static_cast<HWND>(owner_->handle()) : nullptr;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;
    BOOL chosen = PrintDlgW(&pd);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (!chosen || !pd.hDC) return 0;
    job->dc = pd.hDC;
    job->own_dc = true;
    std::wstring name = to_wide(document_name);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocW(job->dc, &info) <= 0) {
      DeleteDC(job->dc);
      return 0;
    }
  }
  HDC dc = job->dc;
  if (page_width <= 0) page_width = GetDeviceCaps(dc, HORZRES);
  if (page_height <= 0) page_height = GetDeviceCaps(dc, VERTRES);
  int dpi_x = std::max(1, GetDeviceCaps(dc, LOGPIXELSX)), dpi_y = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));

  // Margins count from the sheet's edges; a printer cannot print its outermost strip, whose
  // width the printable area's offset gives. A sheet too small for them has none.
  auto span = [](int printable, int sheet, int offset, int margin, int& from, int& to) {
    if (sheet <= 0 || sheet < printable) {
      sheet = printable;
      offset = 0;
    }
    from = std::max(0, margin - offset);
    to = std::min(printable, sheet - offset - margin);
    if (to - from < margin) {
      from = 0;
      to = printable;
    }
  };
  bool sheet_known = !job->recorded;
  span(page_width, sheet_known ? GetDeviceCaps(dc, PHYSICALWIDTH) : 0,
       sheet_known ? GetDeviceCaps(dc, PHYSICALOFFSETX) : 0, MulDiv(margin_mm, dpi_x * 10, 254), job->left, job->right);
  span(page_height, sheet_known ? GetDeviceCaps(dc, PHYSICALHEIGHT) : 0,
       sheet_known ? GetDeviceCaps(dc, PHYSICALOFFSETY) : 0, MulDiv(margin_mm, dpi_y * 10, 254), job->top, job->bottom);

  job->font = CreateFontW(-MulDiv(font.size, dpi_y, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                          font.underline, font.strikeout, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH, to_wide(font.face).c_str());
  job->select_font();
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  job->line_height = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  if (auto* d = job->document()) d->line_height = job->line_height;
  job_ = std::move(job);
  return 1;
}

void Printer::print_text(std::string_view text) {
  if (!job_ || job_->failed) return;
  Job& j = *job_;
  auto lines = wrap_print_lines(text, j.right - j.left, [&j](std::string_view ch) { return j.char_width(ch); });
  for (const std::string& line : lines) {
    if (!j.page_open && !j.start_page()) return;
    std::wstring wide = to_wide(line);
    if (!wide.empty()) TextOutW(j.dc, j.left, j.y, wide.data(), static_cast<int>(wide.size()));
    if (auto* d = j.document()) d->pages.back().push_back({j.left, j.y, line});
    j.y += j.line_height;
    if (j.y + j.line_height > j.bottom) {
      j.end_page();
      if (j.failed) return;
    }
  }
}

void Printer::end_job() {
  if (!job_) return;
  Job& j = *job_;
  if (j.page_open) j.end_page();
  if (!j.failed) {
    if (j.pages == 0) {
      j.fail();  // nothing to send
    } else if (j.recorded) {
      if (auto* d = j.document()) d->ended = true;
    } else if (EndDoc(j.dc) <= 0) {
      j.failed = true;
    }
  }
  if (j.old_font) SelectObject(j.dc, j.old_font);
  if (j.font) DeleteObject(j.font);
  if (j.own_dc) DeleteDC(j.dc);
  job_.reset();
}

}  // namespace rt
