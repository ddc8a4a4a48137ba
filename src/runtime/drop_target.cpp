#include "runtime/drop_target.h"

#include <windows.h>
// after windows.h
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include "runtime/app.h"
#include "runtime/hooks.h"
#include "runtime/seams.h"
#include "runtime/strings.h"

namespace rt {
namespace {

bool offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return data && data->QueryGetData(&f) == S_OK;
}

// The global memory of one format, handed to read(); false when the format is not there.
template <typename Read>
bool read_global(IDataObject* data, CLIPFORMAT format, Read read) {
  FORMATETC f{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (!data || data->GetData(&f, &m) != S_OK) return false;
  bool ok = false;
  if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
    if (void* p = GlobalLock(m.hGlobal)) {
      read(p, GlobalSize(m.hGlobal), m.hGlobal);
      GlobalUnlock(m.hGlobal);
      ok = true;
    }
  }
  ReleaseStgMedium(&m);
  return ok;
}

// The formats a drag source registers by name.
CLIPFORMAT html_format() {
  static const CLIPFORMAT f = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format"));
  return f;
}
CLIPFORMAT url_format_wide() {
  static const CLIPFORMAT f = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW"));
  return f;
}
CLIPFORMAT url_format() {
  static const CLIPFORMAT f = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator"));
  return f;
}

std::vector<std::string> dropped_files(IDataObject* data) {
  std::vector<std::string> paths;
  read_global(data, CF_HDROP, [&](void*, size_t, HGLOBAL h) {
    HDROP drop = static_cast<HDROP>(h);
    UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
      UINT len = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring w(len + 1, L'\0');
      DragQueryFileW(drop, i, w.data(), len + 1);
      w.resize(len);
      paths.push_back(path_from_wide(w));
    }
  });
  return paths;
}

// A wide text of one format, up to its first zero, as GBK.
std::optional<std::string> wide_text(IDataObject* data, CLIPFORMAT format) {
  std::optional<std::string> text;
  read_global(data, format, [&](void* p, size_t size, HGLOBAL) {
    const wchar_t* w = static_cast<const wchar_t*>(p);
    size_t n = 0;
    while (n < size / sizeof(wchar_t) && w[n]) ++n;
    text = to_gbk(std::wstring_view(w, n));
  });
  return text;
}

// The bytes of one format up to their first zero.
std::optional<std::string> byte_text(IDataObject* data, CLIPFORMAT format) {
  std::optional<std::string> text;
  read_global(data, format, [&](void* p, size_t size, HGLOBAL) {
    const char* c = static_cast<const char*>(p);
    size_t n = 0;
    while (n < size && c[n]) ++n;
    text.emplace(c, n);
  });
  return text;
}

std::optional<std::string> dropped_text(IDataObject* data) {
  if (auto text = wide_text(data, CF_UNICODETEXT)) return text;
  return byte_text(data, CF_TEXT);  // the ANSI code page is GBK
}

std::optional<std::string> dropped_url(IDataObject* data) {
  if (auto url = wide_text(data, url_format_wide())) return url;
  return byte_text(data, url_format());
}

// The number after "name:" in the header of an HTML clip; -1 when it is missing.
long header_number(std::string_view header, std::string_view name) {
  size_t at = header.find(name);
  if (at == std::string_view::npos) return -1;
  at += name.size();
  long n = 0;
  bool digits = false;
  while (at < header.size() && header[at] >= '0' && header[at] <= '9' && n < 0x7FFFFFF) {
    n = n * 10 + (header[at++] - '0');
    digits = true;
  }
  return digits ? n : -1;
}

std::string utf8_to_gbk_lossy(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return to_gbk(w);
}

// An HTML clip is UTF-8: a header of "Name:value" lines, then the document. Its document part
// (from StartHTML to EndHTML, else the fragment), or the whole text when it has no header.
std::optional<std::string> dropped_html(IDataObject* data) {
  std::optional<std::string> clip = byte_text(data, html_format());
  if (!clip) return clip;
  const std::string& c = *clip;
  size_t first_tag = c.find('<');
  std::string_view header = std::string_view(c).substr(0, first_tag == std::string::npos ? c.size() : first_tag);
  long size = static_cast<long>(c.size());
  auto part = [&](const char* from, const char* to) -> std::optional<std::string_view> {
    long a = header_number(header, from), b = header_number(header, to);
    if (a < 0 || b < a || b > size) return std::nullopt;
    return std::string_view(c).substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
  };
  std::optional<std::string_view> document = part("StartHTML:", "EndHTML:");
  if (!document) document = part("StartFragment:", "EndFragment:");
  return utf8_to_gbk_lossy(document ? *document : std::string_view(c));
}

class OleTarget final : public IDropTarget {
 public:
  explicit OleTarget(DropTarget* owner) : owner_(owner) {}
  void orphan() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    accepted_ = owner_ && owner_->accepts(offers(data, CF_HDROP), offers(data, CF_UNICODETEXT) || offers(data, CF_TEXT),
                                          offers(data, html_format()),
                                          offers(data, url_format_wide()) || offers(data, url_format()));
    *effect = accepted_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = accepted_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepted_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = accepted_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    bool accepted = accepted_;
    accepted_ = false;
    if (!owner_ || !accepted) return S_OK;
    AddRef();  // a handler may detach the target
    // Called by the system's drag loop: nothing may unwind into it.
    try {
      DropData d;
      d.files = dropped_files(data);
      if (d.files.empty()) {
        d.text = dropped_text(data);
        d.html = dropped_html(data);
        d.url = dropped_url(data);
      }
      owner_->deliver(d);
    } catch (...) {
      report_current_exception();
    }
    Release();
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  DropTarget* owner_;
  bool accepted_ = false;
};

bool g_ole_ready = false;

bool ole_ready() {
  if (!g_ole_ready) g_ole_ready = SUCCEEDED(OleInitialize(nullptr));
  return g_ole_ready;
}

constexpr wchar_t kTargetProperty[] = L"VelmoraDropTarget";

// The formats a drag source offers, each in global memory; the seam's drops are made of them.
class DataObject final : public IDataObject {
 public:
  DataObject() = default;
  ~DataObject() {
    for (auto& [format, data] : formats_) GlobalFree(data);
  }
  void add(CLIPFORMAT format, HGLOBAL data) {
    if (data) formats_.push_back({format, data});
  }
  bool empty() const { return formats_.empty(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    HGLOBAL data = find(f);
    if (!data) return DV_E_FORMATETC;
    SIZE_T size = GlobalSize(data);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return E_OUTOFMEMORY;
    memcpy(GlobalLock(copy), GlobalLock(data), size);
    GlobalUnlock(data);
    GlobalUnlock(copy);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = copy;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override { return find(f) ? S_OK : DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL find(const FORMATETC* f) const {
    if (!f || !(f->tymed & TYMED_HGLOBAL)) return nullptr;
    for (const auto& [format, data] : formats_)
      if (format == f->cfFormat) return data;
    return nullptr;
  }
  LONG refs_ = 1;
  std::vector<std::pair<CLIPFORMAT, HGLOBAL>> formats_;
};

HGLOBAL global_copy(const void* bytes, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (h) {
    memcpy(GlobalLock(h), bytes, size);
    GlobalUnlock(h);
  }
  return h;
}

HGLOBAL global_wide(std::string_view gbk) {
  std::wstring w = to_wide(gbk);
  return global_copy(w.c_str(), (w.size() + 1) * sizeof(wchar_t));
}

std::string gbk_to_utf8(std::string_view gbk) {
  std::wstring w = to_wide(gbk);
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// An HTML clip as browsers put it on the clipboard: a header with the byte offsets of the
// document and of the fragment, then the document, all UTF-8. Here the document is the
// fragment.
std::string html_clip(std::string_view html_gbk) {
  const std::string document = gbk_to_utf8(html_gbk);
  auto header = [](size_t start, size_t end) {
    auto number = [](size_t n) {
      std::string digits = std::to_string(n);
      return std::string(10 - digits.size(), '0') + digits;
    };
    return "Version:0.9\r\nStartHTML:" + number(start) + "\r\nEndHTML:" + number(end) +
           "\r\nStartFragment:" + number(start) + "\r\nEndFragment:" + number(end) + "\r\n";
  };
  const size_t start = header(0, 0).size();
  return header(start, start + document.size()) + document;
}

DataObject* data_object(const seams::DropOffer& offer) {
  auto* data = new DataObject;
  if (!offer.files.empty()) {
    // DROPFILES, then the wide paths each ended by a zero, then one more zero.
    std::wstring list;
    for (const std::string& p : offer.files) list += wide_path(p) + L'\0';
    list += L'\0';
    std::vector<char> bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES head{};
    head.pFiles = sizeof(DROPFILES);
    head.fWide = TRUE;
    memcpy(bytes.data(), &head, sizeof head);
    memcpy(bytes.data() + sizeof head, list.data(), list.size() * sizeof(wchar_t));
    data->add(CF_HDROP, global_copy(bytes.data(), bytes.size()));
  }
  if (offer.text) data->add(CF_UNICODETEXT, global_wide(*offer.text));
  if (offer.html) {
    std::string clip = html_clip(*offer.html);
    data->add(html_format(), global_copy(clip.c_str(), clip.size() + 1));
  }
  if (offer.url) {
    data->add(url_format_wide(), global_wide(*offer.url));
    data->add(url_format(), global_copy(offer.url->c_str(), offer.url->size() + 1));
  }
  return data;
}

// The drop a user makes: enter, then drop, through the target the window registered; then the
// messages that carry the drop to its handlers.
bool drop_data(WindowHandle window, DataObject* data) {
  // The target the window registered, kept beside OLE's own record of it.
  auto* target = static_cast<IDropTarget*>(GetPropW(static_cast<HWND>(window), kTargetProperty));
  bool accepted = false;
  if (target && !data->empty()) {
    target->AddRef();
    DWORD effect = DROPEFFECT_COPY;
    POINTL at{0, 0};
    target->DragEnter(data, MK_LBUTTON, at, &effect);
    accepted = effect != DROPEFFECT_NONE;
    if (accepted)
      target->Drop(data, 0, at, &effect);
    else
      target->DragLeave();
    target->Release();
  }
  data->Release();
  return accepted;
}

// The source side of a real drag, with the user's hand played by input to the system: once the
// drag loop holds the mouse, the left button goes down, the mouse moves to the drop point and
// the button goes up there (the loop follows the mouse's messages, not the pointer's position).
// The drag drops when the loop sees the button up; Escape gives up.
class DropSource final : public IDropSource {
 public:
  DropSource(int x, int y) : x_(x), y_(y) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id == IID_IUnknown || id == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (released_) return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    // The button goes down, the pointer moves to the drop's point and the button comes up there.
    // Under Wine a pointer warped a moment ago can come back from the display and undo the move,
    // and the loop drops where the pointer is: the move is made again until the pointer has
    // stayed at the point for a while.
    POINT at{};
    GetCursorPos(&at);
    DWORD now = GetTickCount();
    if (!pressed_) {
      pressed_ = true;
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    }
    bool there = at.x == x_ && at.y == y_;
    if (!there && moves_ < 40) {
      ++moves_;
      move_to_point();
      stayed_since_ = 0;
      return S_OK;
    }
    // (A point the pointer cannot reach, off the screen, is given up: the drop is where it is.)
    if (there) {
      if (stayed_since_ == 0) stayed_since_ = now;
      if (now - stayed_since_ < 100) return S_OK;
    }
    released_ = true;
    mouse_event(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, absolute(x_, SM_CXSCREEN),
                absolute(y_, SM_CYSCREEN), 0, 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  static DWORD absolute(int v, int metric) {
    int size = GetSystemMetrics(metric);
    return static_cast<DWORD>((v * 65536 + size / 2) / size);
  }
  void move_to_point() {
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, absolute(x_, SM_CXSCREEN), absolute(y_, SM_CYSCREEN), 0, 0);
  }

  LONG refs_ = 1;
  int x_, y_;
  bool pressed_ = false, released_ = false;
  int moves_ = 0;
  DWORD stayed_since_ = 0;
};

}  // namespace

DropTarget::~DropTarget() { detach(); }

void DropTarget::attach(Unit& unit) {
  HWND h = static_cast<HWND>(unit.handle());
  if (!h || !ole_ready()) return;
  for (const Registration& r : windows_)
    if (r.window == h) return;
  auto* target = new OleTarget(this);
  if (RegisterDragDrop(h, target) != S_OK) {
    target->Release();
    return;
  }
  SetPropW(h, kTargetProperty, static_cast<IDropTarget*>(target));
  Registration r;
  r.window = h;
  r.ole_target = target;
  // A window must give its target back before it is gone; a re-created one takes it over.
  r.hook = add_hook(h, [this](Message& m) -> intptr_t {
    if (m.msg == WM_DESTROY) {
      for (size_t i = 0; i < windows_.size(); ++i)
        if (windows_[i].window == m.window) {
          release(windows_[i]);
          windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(i));
          break;
        }
    } else if (m.msg == handle_replaced_message()) {
      move_registration(reinterpret_cast<WindowHandle>(m.wparam), reinterpret_cast<WindowHandle>(m.lparam));
    }
    return m.next();
  });
  windows_.push_back(r);
}

void DropTarget::release(Registration& r) {
  HWND h = static_cast<HWND>(r.window);
  remove_hook(h, r.hook);
  RemovePropW(h, kTargetProperty);
  RevokeDragDrop(h);
  auto* target = static_cast<OleTarget*>(r.ole_target);
  target->orphan();
  target->Release();
}

void DropTarget::move_registration(WindowHandle from, WindowHandle to) {
  for (size_t i = 0; i < windows_.size(); ++i) {
    Registration& r = windows_[i];
    if (r.window != from) continue;
    HWND old = static_cast<HWND>(from), now = static_cast<HWND>(to);
    RemovePropW(old, kTargetProperty);
    RevokeDragDrop(old);
    auto* target = static_cast<OleTarget*>(r.ole_target);
    r.window = to;
    if (RegisterDragDrop(now, target) == S_OK) {
      SetPropW(now, kTargetProperty, static_cast<IDropTarget*>(target));
    } else {
      remove_hook(now, r.hook);
      target->orphan();
      target->Release();
      windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return;
  }
}

void DropTarget::detach() {
  for (Registration& r : windows_) release(r);
  windows_.clear();
}

bool DropTarget::accepts(bool files, bool text, bool html, bool url) const {
  if (files) return static_cast<bool>(on_files);
  return (text && on_text) || (html && on_html) || (url && on_url);
}

void DropTarget::deliver(const DropData& data) {
  // Copies: a handler may change the target or end its window.
  if (!data.files.empty()) {
    if (auto files = on_files) files(data.files);
    return;
  }
  auto text = on_text, html = on_html, url = on_url;
  if (data.text && text) text(*data.text);
  if (data.html && html) html(*data.html);
  if (data.url && url) url(*data.url);
}

namespace seams {

bool drop(Unit& unit, const DropOffer& offer) { return drop_data(unit.handle(), data_object(offer)); }

bool drop_text(Unit& unit, std::string_view text) { return drop(unit, {.text = std::string(text)}); }

bool drop_files(Unit& unit, const std::vector<std::string>& paths) { return drop(unit, {.files = paths}); }

bool drag_and_drop(const DropOffer& offer, int x, int y) {
  if (!ole_ready()) return false;
  DataObject* data = data_object(offer);
  auto* source = new DropSource(x, y);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
  source->Release();
  data->Release();
  return hr == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE;
}

}  // namespace seams
}  // namespace rt
