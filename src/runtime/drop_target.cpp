#include "runtime/drop_target.h"

#include <windows.h>
// after windows.h
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

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
      paths.push_back(to_gbk(w));
    }
  });
  return paths;
}

bool dropped_text(IDataObject* data, std::string& text) {
  if (read_global(data, CF_UNICODETEXT, [&](void* p, size_t size, HGLOBAL) {
        const wchar_t* w = static_cast<const wchar_t*>(p);
        size_t n = 0;
        while (n < size / sizeof(wchar_t) && w[n]) ++n;
        text = to_gbk(std::wstring_view(w, n));
      }))
    return true;
  return read_global(data, CF_TEXT, [&](void* p, size_t size, HGLOBAL) {
    const char* c = static_cast<const char*>(p);
    size_t n = 0;
    while (n < size && c[n]) ++n;
    text.assign(c, n);  // the ANSI code page is GBK
  });
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
    accepted_ = offers(data, CF_HDROP) || offers(data, CF_UNICODETEXT) || offers(data, CF_TEXT);
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
    accepted_ = false;
    if (!owner_) return S_OK;
    std::vector<std::string> paths = dropped_files(data);
    std::string text;
    bool has_text = paths.empty() && dropped_text(data, text);
    owner_->deliver(paths, text, has_text);
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  DropTarget* owner_;
  bool accepted_ = false;
};

bool g_ole_ready = false;

// One format in global memory, as a drag source offers it; the seam's drops are made of it.
class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, HGLOBAL data) : format_(format), data_(data) {}
  ~DataObject() { GlobalFree(data_); }

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
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    SIZE_T size = GlobalSize(data_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return E_OUTOFMEMORY;
    memcpy(GlobalLock(copy), GlobalLock(data_), size);
    GlobalUnlock(data_);
    GlobalUnlock(copy);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = copy;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f && f->cfFormat == format_ && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
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
  LONG refs_ = 1;
  CLIPFORMAT format_;
  HGLOBAL data_;
};

HGLOBAL global_copy(const void* bytes, size_t size) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (h) {
    memcpy(GlobalLock(h), bytes, size);
    GlobalUnlock(h);
  }
  return h;
}

// The drop a user makes: enter, then drop, through the target the window registered.
bool drop_data(WindowHandle window, DataObject* data) {
  // The target the window registered, kept beside OLE's own record of it.
  auto* target = static_cast<IDropTarget*>(GetPropW(static_cast<HWND>(window), L"VelmoraDropTarget"));
  bool accepted = false;
  if (target) {
    DWORD effect = DROPEFFECT_COPY;
    POINTL at{0, 0};
    target->DragEnter(data, MK_LBUTTON, at, &effect);
    accepted = effect != DROPEFFECT_NONE;
    if (accepted)
      target->Drop(data, 0, at, &effect);
    else
      target->DragLeave();
  }
  data->Release();
  return accepted;
}

}  // namespace

DropTarget::~DropTarget() { detach(); }

void DropTarget::attach(Unit& unit) {
  detach();
  HWND h = static_cast<HWND>(unit.handle());
  if (!h) return;
  if (!g_ole_ready) g_ole_ready = SUCCEEDED(OleInitialize(nullptr));
  auto* target = new OleTarget(this);
  if (RegisterDragDrop(h, target) != S_OK) {
    target->Release();
    return;
  }
  SetPropW(h, L"VelmoraDropTarget", static_cast<IDropTarget*>(target));
  window_ = h;
  ole_target_ = target;
  // A window must give its target back before it is gone.
  hook_ = add_hook(h, [this](Message& m) -> intptr_t {
    if (m.msg == WM_DESTROY) detach();
    return m.next();
  });
}

void DropTarget::detach() {
  if (!window_) return;
  HWND h = static_cast<HWND>(window_);
  remove_hook(h, hook_);
  RemovePropW(h, L"VelmoraDropTarget");
  RevokeDragDrop(h);
  auto* target = static_cast<OleTarget*>(ole_target_);
  target->orphan();
  target->Release();
  window_ = nullptr;
  ole_target_ = nullptr;
}

void DropTarget::deliver(const std::vector<std::string>& paths, const std::string& text, bool has_text) {
  if (!paths.empty()) {
    if (on_files) on_files(paths);
  } else if (has_text && on_text) {
    on_text(text);
  }
}

namespace seams {

bool drop_text(Unit& unit, std::string_view text) {
  std::wstring w = to_wide(text);
  HGLOBAL h = global_copy(w.c_str(), (w.size() + 1) * sizeof(wchar_t));
  return h && drop_data(unit.handle(), new DataObject(CF_UNICODETEXT, h));
}

bool drop_files(Unit& unit, const std::vector<std::string>& paths) {
  // DROPFILES, then the wide paths each ended by a zero, then one more zero.
  std::wstring list;
  for (const std::string& p : paths) list += to_wide(p) + L'\0';
  list += L'\0';
  std::vector<char> bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  DROPFILES head{};
  head.pFiles = sizeof(DROPFILES);
  head.fWide = TRUE;
  memcpy(bytes.data(), &head, sizeof head);
  memcpy(bytes.data() + sizeof head, list.data(), list.size() * sizeof(wchar_t));
  HGLOBAL h = global_copy(bytes.data(), bytes.size());
  return h && drop_data(unit.handle(), new DataObject(CF_HDROP, h));
}

}  // namespace seams
}  // namespace rt
