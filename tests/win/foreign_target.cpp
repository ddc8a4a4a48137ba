// The other program of the reader tests: one window of controls with known contents (see
// foreign_target.h). Started with a token as its only argument, which becomes its caption.
// It ends itself after a minute or on WM_CLOSE, and stops answering on request.
#include "foreign_target.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <oleacc.h>
#include <oleauto.h>

#include <algorithm>
#include <cwchar>
#include <string>

using namespace foreign_target;

namespace {

HINSTANCE g_instance;
HWND g_main;
UINT g_html_message;

// IHTMLDocument: what the reader asks the document for.
constexpr IID kHtmlDocument = {0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};

// A web page's document and its elements as far as the reader calls them by name.
class FakeHtmlObject final : public IDispatch {
 public:
  FakeHtmlObject(bool document, int x, int y) : document_(document), x_(x), y_(y) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch || (document_ && riid == kHtmlDocument)) {
      *out = this;
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
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    static const wchar_t* const kDocumentNames[] = {L"elementFromPoint", L"url"};
    static const wchar_t* const kElementNames[] = {L"tagName", L"ID", L"innerText", L"outerHTML"};
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      const wchar_t* const* table = document_ ? kDocumentNames : kElementNames;
      int n = document_ ? 2 : 4;
      for (int k = 0; k < n; ++k)
        if (_wcsicmp(names[i], table[k]) == 0) ids[i] = k + 1;
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (!result) return E_INVALIDARG;
    VariantInit(result);
    if (document_ && id == 1) {
      if (params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
      VARIANT x, y;
      VariantInit(&x);
      VariantInit(&y);
      if (FAILED(VariantChangeType(&x, &params->rgvarg[1], 0, VT_I4)) ||
          FAILED(VariantChangeType(&y, &params->rgvarg[0], 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
      result->vt = VT_DISPATCH;
      result->pdispVal = new FakeHtmlObject(false, x.lVal, y.lVal);
      return S_OK;
    }
    std::wstring at = std::to_wstring(x_) + L"," + std::to_wstring(y_);
    std::wstring text;
    if (document_ && id == 2)
      text = L"http://velmora.test/页面.html";
    else if (!document_ && id == 1)
      text = L"DIV";
    else if (!document_ && id == 2)
      text = L"box";
    else if (!document_ && id == 3)
      text = L"在 " + at;
    else if (!document_ && id == 4)
      text = L"<div id=\"box\">在 " + at + L"</div>";
    else
      return DISP_E_MEMBERNOTFOUND;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(text.c_str());
    return S_OK;
  }
  // IHTMLDocument's own method, which the reader never calls.
  virtual HRESULT STDMETHODCALLTYPE get_Script(IDispatch** script) {
    *script = nullptr;
    return E_NOTIMPL;
  }

 private:
  LONG refs_ = 1;
  bool document_;
  int x_, y_;
};

FakeHtmlObject* g_document;

LRESULT CALLBACK browser_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == g_html_message && g_document) return LresultFromObject(kHtmlDocument, wp, g_document);
  return DefWindowProcW(w, msg, wp, lp);
}

// Answers a text for every index but never a count: a reader must not ask it for ever.
LRESULT CALLBACK fake_list_box_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LB_GETTEXT) {
    if (lp) lstrcpyA(reinterpret_cast<char*>(lp), "x");
    return 1;
  }
  if (msg == LB_GETTEXTLEN) return 1;
  return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK main_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kHangMessage:
      Sleep(std::min<DWORD>(static_cast<DWORD>(wp), 10000));
      return 0;
    case kActivateMessage: {
      HWND h = wp ? reinterpret_cast<HWND>(wp) : w;
      if (IsIconic(h)) SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
      SetForegroundWindow(h);
      return 0;
    }
    case WM_TIMER:
      DestroyWindow(w);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

int g_slot = 0;
// The next place in a grid of the window.
RECT next_slot(int height = 100) {
  int column = g_slot % 6, row = g_slot / 6;
  ++g_slot;
  int x = 5 + column * 165, y = 5 + row * 115;
  return {x, y, x + 160, y + height};
}

HWND make(int id, const wchar_t* cls, DWORD style, int height = 100) {
  RECT r = next_slot(height);
  return CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, g_main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance,
                         nullptr);
}

HWND make_ansi(int id, const char* cls, DWORD style, int height = 100) {
  RECT r = next_slot(height);
  return CreateWindowExA(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, g_main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance,
                         nullptr);
}

void set_text(HWND w, const std::string& gbk) { SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbk.c_str())); }

constexpr DWORD kMultiLine = ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;

void make_edits() {
  set_text(make(kEdit, L"Edit", ES_AUTOHSCROLL, 24), "单行 edit text");
  set_text(make_ansi(kEditAnsi, "Edit", ES_AUTOHSCROLL, 24), "ANSI 单行");
  // No explicit limit: the control reports one close to 2 GB.
  for (HWND e : {make(kLinesEdit, L"Edit", kMultiLine), make_ansi(kLinesEditAnsi, "Edit", kMultiLine)}) {
    SendMessageA(e, EM_SETLIMITTEXT, 0, 0);
    set_text(e, joined_lines());
  }
  set_text(make(kTrailingEdit, L"Edit", kMultiLine), "text ends in blanks   　　");
  set_text(make(kBlanksEdit, L"Edit", kMultiLine), "  　 ");
  HWND caret = make(kCaretEdit, L"Edit", kMultiLine);
  set_text(caret, "12345\r\n1234567\r\nthird");
  SendMessageA(caret, EM_SETSEL, 16, 16);
  make(kTypingEdit, L"Edit", kMultiLine);
  LoadLibraryW(L"riched20.dll");
  set_text(make(kRichEdit, L"RichEdit20W", ES_MULTILINE), "富文本 rich text");
}

void make_statics_and_lists() {
  set_text(make(kStatic, L"Static", 0, 24), "静态文本");
  make(kEmptyStatic, L"Static", 0, 24);
  set_text(make(kLongStatic, L"Static", 0, 24), kLongText());
  set_text(make(kButton, L"Button", BS_PUSHBUTTON, 24), "按钮");

  HWND list = make(kListBox, L"ListBox", LBS_HASSTRINGS | WS_VSCROLL);
  for (const std::string& item : list_box_items())
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  make(kEmptyListBox, L"ListBox", LBS_HASSTRINGS);

  auto combo = [](int id, std::initializer_list<std::string> items) {
    HWND c = make(id, L"ComboBox", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 150);
    for (const std::string& item : items) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  };
  combo(kComboGap, {"A", "", "B"});
  combo(kComboTwoGaps, {"A", "", "", "B"});
  combo(kComboBlanks, {"A", "   ", "B"});
  combo(kComboLong, {"甲", "乙", kLongText()});
  make(kFakeListBox, L"FakeListBox", 0, 24);

  HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, g_main,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBar)), g_instance, nullptr);
  int edges[] = {200, 400, -1};
  SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(kStatusParts[0]));
  SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(kStatusParts[1]));
  std::string long_part = long_text(300, 'y');
  SendMessageA(status, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(long_part.c_str()));
}

HTREEITEM insert(HWND tree, HTREEITEM parent, const char* text, int image = 0, int selected = 0, LPARAM data = 0) {
  TVINSERTSTRUCTA in{};
  in.hParent = parent;
  in.hInsertAfter = TVI_LAST;
  in.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  in.item.pszText = const_cast<char*>(text);
  in.item.iImage = image;
  in.item.iSelectedImage = selected;
  in.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&in)));
}

void set_state(HWND tree, HTREEITEM item, UINT state, UINT mask) {
  TVITEMA it{};
  it.mask = TVIF_STATE | TVIF_HANDLE;
  it.hItem = item;
  it.state = state;
  it.stateMask = mask;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

WNDPROC g_tree_proc;
HTREEITEM g_loop_top, g_loop_child;

// A tree-view whose count is not to be believed and whose parent links go round.
LRESULT CALLBACK looping_tree_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == TVM_GETCOUNT) return 0x7FFFFFFF;
  if (msg == TVM_GETNEXTITEM && wp == TVGN_PARENT && reinterpret_cast<HTREEITEM>(lp) == g_loop_top)
    return reinterpret_cast<LRESULT>(g_loop_child);
  return CallWindowProcW(g_tree_proc, w, msg, wp, lp);
}

void make_trees() {
  constexpr DWORD kTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES;
  HWND tree = make(kTree, WC_TREEVIEWW, kTreeStyle);
  HTREEITEM a = insert(tree, TVI_ROOT, "A", 1, 2, 100);
  HTREEITEM b = insert(tree, a, "B");
  HTREEITEM c = insert(tree, b, "C");
  HTREEITEM d = insert(tree, TVI_ROOT, "D");
  HTREEITEM pad = insert(tree, TVI_ROOT, "  pad  ");
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a));
  set_state(tree, pad, TVIS_EXPANDED, TVIS_EXPANDED);
  // The check boxes take their state images once the tree has been drawn.
  UpdateWindow(tree);
  set_state(tree, a, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK);
  set_state(tree, c, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK);
  set_state(tree, d, INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);

  HWND write = make(kTreeWrite, WC_TREEVIEWW, TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES);
  insert(write, TVI_ROOT, "X0");
  insert(write, TVI_ROOT, "X1");
  make(kTreeNoClass, L"MyTreeView", 0, 24);
}

void add_column(HWND list, int index, const char* title) {
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.fmt = index == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
  col.cx = 50;
  col.pszText = const_cast<char*>(title);
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col));
}

void set_cell(HWND list, int row, int column, const std::string& text) {
  LVITEMA it{};
  it.mask = LVIF_TEXT;
  it.iItem = row;
  it.iSubItem = column;
  it.pszText = const_cast<char*>(text.c_str());
  if (column == 0)
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
  else
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&it));
}

void set_item_state(HWND list, int row, UINT state, UINT mask) {
  LVITEMA it{};
  it.stateMask = mask;
  it.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&it));
}

void make_list_views() {
  HWND small = make(kListView, WC_LISTVIEWW, LVS_REPORT);
  add_column(small, 0, "N");
  add_column(small, 1, "");
  set_cell(small, 0, 0, "X");
  set_cell(small, 0, 1, "Y");

  HWND big = make(kListViewBig, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS);
  for (int c = 0; c < 3; ++c) add_column(big, c, kBigColumns[c]);
  for (int r = 0; r < kBigRows; ++r) {
    set_cell(big, r, 0, "项" + std::to_string(r));
    set_cell(big, r, 1, std::to_string(r * 10));
    set_cell(big, r, 2, r == 1 ? "" : r == 4 ? kLongText() : "t" + std::to_string(r));
  }
  for (int r : {2, 3, 7}) set_item_state(big, r, LVIS_SELECTED, LVIS_SELECTED);
  set_item_state(big, 5, LVIS_FOCUSED, LVIS_FOCUSED);

  HWND icons = make(kListViewIcon, WC_LISTVIEWW, LVS_ICON);
  set_cell(icons, 0, 0, "i0");
  set_cell(icons, 1, 0, "i1");
}

void register_class(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = g_instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  g_instance = instance;
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  g_html_message = RegisterWindowMessageA("WM_HTML_GETOBJECT");
  g_document = new FakeHtmlObject(true, 0, 0);

  std::wstring main_class(kWindowClass, kWindowClass + std::char_traits<char>::length(kWindowClass));
  register_class(main_class.c_str(), main_proc);
  register_class(L"FakeListBox", fake_list_box_proc);
  register_class(L"MyTreeView", DefWindowProcW);
  register_class(L"Internet Explorer_Server", browser_proc);

  g_main = CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1010, 700, nullptr, nullptr,
                           instance, nullptr);
  make_edits();
  make_statics_and_lists();
  make_trees();
  make_list_views();
  make(kBrowser, L"Internet Explorer_Server", 0);
  HWND loop = make(kTreeLoop, WC_TREEVIEWW, TVS_HASBUTTONS | TVS_LINESATROOT);
  g_loop_top = insert(loop, TVI_ROOT, kTreeLoopTexts[0]);
  g_loop_child = insert(loop, g_loop_top, kTreeLoopTexts[1]);
  g_tree_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(loop, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(looping_tree_proc)));
  SetTimer(g_main, 1, kTargetLifetimeMs, nullptr);
  // The caption the test looks for comes last: then every control stands.
  SetWindowTextA(g_main, command_line);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  g_document->Release();
  CoUninitialize();
  return 0;
}
