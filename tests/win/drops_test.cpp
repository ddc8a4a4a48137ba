// Drops on the main window and the fetch of dropped web addresses, against the real window,
// real files and a web server of the test's own on 127.0.0.1. Drops go through the window's
// registered drop target (the seam) and, where it says so, through the system's real
// drag-and-drop loop.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "app/drops.h"
#include "app/globals.h"
#include "app/startup.h"
#include "documents/open_files.h"
#include "forms/main_window_form.h"
#include "layout_check.h"
#include "local_http_server.h"
#include "options/option_values.h"
#include "pages/closing.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "program_test.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/strings.h"
#include "ui_test.h"
#include "web/dropped_url.h"

namespace {

using rt::seams::DropOffer;

// A page as a web server sends it; the body is GBK text written as UTF-8 when utf8.
std::string web_page(const std::string& gbk_body, bool utf8 = false) {
  std::string body = utf8 ? rt::convert_encoding(gbk_body, "GBK", "UTF-8") : gbk_body;
  return LocalHttpServer::http_reply(200, "OK", body, "Content-Type: text/html\r\n");
}

// A shortcut file made through the shell's own interface.
bool make_shortcut(const std::string& lnk, const std::string& target) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  bool ok = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
      ok = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return ok;
}

// The centre of a unit on the screen.
POINT centre_of(rt::Unit& unit) {
  RECT r;
  GetWindowRect(static_cast<HWND>(unit.handle()), &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class DropsTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_drops_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    set_option(&OptionValues::open_in_thread, 0);
    rt::seams::record_launches(true);
    rt::seams::launches().clear();
  }
  void TearDown() override {
    // No fetch may outlive its test's window.
    EXPECT_TRUE(fetches_done());
    rt::seams::record_launches(false);
    ui_test::answer_message_boxes({});
    ProgramTest::TearDown();
    for (const std::string& n : rt::find_files(dir_ + "*")) rt::delete_file(dir_ + n);
    RemoveDirectoryA(dir_.c_str());
  }
  std::string file(const std::string& name, const std::string& bytes) {
    std::string p = dir_ + name;
    EXPECT_TRUE(rt::write_file_safely(p, bytes));
    return p;
  }
  static bool fetches_done(int timeout_ms = 20000) {
    return ui_test::wait_for([] { return running_url_fetches() == 0; }, timeout_ms);
  }
  static bool busy_picture_shown() { return w().图片框_读取网页.visible() && w().透明标签_说明.visible(); }
  std::string dir_;
};

TEST_F(DropsTest, TextGoesToTheEndOfTheEditBoxOnTheWindowAndOnTheEditBox) {
  ui_test::type_text(editor(), "前文");
  editor().select(0, 0);
  ASSERT_TRUE(rt::seams::drop_text(editor(), "拖入的\r\n文本"));
  EXPECT_EQ(editor().text(), "前文拖入的\r\n文本");
  EXPECT_EQ(editor().selection_start(), editor().text_length());  // the caret after it
  ASSERT_TRUE(rt::seams::drop_text(w(), "+窗口"));  // the window's own target
  EXPECT_EQ(page_content(0), "前文拖入的\r\n文本+窗口");
  EXPECT_EQ(pages()[0].modified, 1);
  // Text drops are taken while files are being opened, too.
  set_open_busy(true);
  EXPECT_TRUE(rt::seams::drop_text(editor(), "!"));
  set_open_busy(false);
  EXPECT_EQ(editor().text(), "前文拖入的\r\n文本+窗口!");
}

TEST_F(DropsTest, ATextStartingWithTheWebSchemeIsLeftToTheAddressOnlyOnANonEmptyPage) {
  struct Case {
    const char* name;
    const char* before;
    const char* dropped;
    const char* after;
  };
  const Case cases[] = {
      {"lower case on a page with text", "有字", "http://127.0.0.1/x", "有字"},
      {"upper case on a page with text", "有字", "HTTP://127.0.0.1/x", "有字"},
      {"on an empty page", "", "http://127.0.0.1/x", "http://127.0.0.1/x"},
      {"another scheme", "有字", "https://127.0.0.1/x", "有字https://127.0.0.1/x"},
      {"the scheme inside the text", "有字", " http://127.0.0.1/x", "有字 http://127.0.0.1/x"},
      {"shorter than the scheme", "有字", "http:/", "有字http:/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor().set_text(c.before);
    EXPECT_TRUE(rt::seams::drop_text(editor(), c.dropped));
    EXPECT_EQ(editor().text(), c.after);
  }
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(DropsTest, HtmlFillsAnEmptyPageAndRenamesOnlyAnAutomaticallyNamedOne) {
  const std::string html = "<p>超文本 <b>粗体</b></p>";
  new_page_command();
  new_page_command();
  ASSERT_EQ(tabs().caption(2), "新建文档 3");
  ASSERT_TRUE(rt::seams::drop(editor(), {.html = html}));
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(editor().text(), html);
  EXPECT_EQ(tabs().caption(2), "收到的超文本");
  EXPECT_EQ(page_name(2), "收到的超文本");
  EXPECT_EQ(w().透明标签_文件标题.text(), "标题:收到的超文本");

  // An empty page with a name of its own keeps it.
  tabs().set_current(1);
  tabs().set_caption(1, "我的页");
  tabs().set_tooltip(1, make_tab_tooltip("我的页"));
  ASSERT_TRUE(rt::seams::drop(editor(), {.html = html}));
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_content(1), html);
  EXPECT_EQ(tabs().caption(1), "我的页");
}

TEST_F(DropsTest, HtmlOnAPageWithTextBecomesANewModifiedPage) {
  ui_test::type_text(editor(), "已有内容");
  const std::string html = "<html><body>网页 &amp; 内容</body></html>";
  ASSERT_TRUE(rt::seams::drop(editor(), {.html = html}));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(tabs().caption(1), "收到的超文本");
  EXPECT_EQ(editor().text(), html);
  EXPECT_EQ(page_content(1), html);
  EXPECT_EQ(pages()[1].modified, 1);
  EXPECT_TRUE(pages()[1].path.empty());
  EXPECT_EQ(page_content(0), "已有内容");
}

// A selection of a web page offers its text and its HTML: the text goes to the edit box first,
// so the HTML finds the page filled and becomes a page of its own.
TEST_F(DropsTest, ASelectionOfAPageGivesItsTextAndItsHtml) {
  ASSERT_TRUE(rt::seams::drop(editor(), {.text = "粗体", .html = "<b>粗体</b>"}));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_content(0), "粗体");
  EXPECT_EQ(page_content(1), "<b>粗体</b>");
}

TEST_F(DropsTest, DroppedFilesOpenAsPages) {
  std::string a = file("甲.txt", "甲的内容"), b = file("乙.log", "乙的内容");
  ASSERT_TRUE(rt::seams::drop_files(editor(), {a, b}));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(pages()[0].path, a);
  EXPECT_EQ(page_content(0), "甲的内容");
  EXPECT_EQ(pages()[1].path, b);
  EXPECT_EQ(page_content(1), "乙的内容");
  EXPECT_TRUE(open_queue().empty());
  // A single file of any other extension opens too.
  std::string c = file("丙.ini", "[丙]");
  ASSERT_TRUE(rt::seams::drop_files(w(), {c}));
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_content(2), "[丙]");
}

// A file named with characters code page 936 lacks: the drop hands its UTF-16 name over, and the
// page holds it as their four-byte codes.
TEST_F(DropsTest, AFileNamedOutsideCodePage936OpensWhenDropped) {
  const std::wstring name = L"\uD55C\uAD6D\uC5B4 \U0001F600.txt";
  std::string path = file(rt::to_gbk(name), "dropped");
  ASSERT_NE(GetFileAttributesW((rt::to_wide(dir_) + name).c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(rt::seams::drop_files(editor(), {path}));
  ASSERT_EQ(tabs().count(), 1);
  EXPECT_EQ(pages()[0].path, path);
  EXPECT_EQ(page_content(0), "dropped");
}

TEST_F(DropsTest, ASingleShortcutShowsItsTargetInExplorerAndOpensNothing) {
  std::string target = file("目标, 文件.txt", "目标");
  std::string lnk = dir_ + "快捷方式.LNK";
  ASSERT_TRUE(make_shortcut(lnk, target));
  ASSERT_TRUE(rt::seams::drop_files(editor(), {lnk}));
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "explorer.exe  /select,\"" + target + "\"");
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(editor().text(), "");

  // A broken shortcut does nothing.
  std::string broken = file("坏的.lnk", "not a shortcut");
  ASSERT_TRUE(rt::seams::drop_files(editor(), {broken}));
  EXPECT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(tabs().count(), 1);
  EXPECT_EQ(editor().text(), "");

  // Neither stays in the queue: the next Open command asks for files.
  EXPECT_TRUE(open_queue().empty());
  size_t asked = rt::seams::dialog_requests().size();
  open_files();
  EXPECT_EQ(rt::seams::dialog_requests().size(), asked + 1);
  EXPECT_EQ(tabs().count(), 1);

  // With another file the shortcut is a file like any other: its own bytes become a page.
  std::string text = file("文本.txt", "正文");
  ASSERT_TRUE(rt::seams::drop_files(editor(), {lnk, text}));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(pages()[0].path, lnk);
  EXPECT_EQ(pages()[1].path, text);
  EXPECT_EQ(page_content(1), "正文");
  EXPECT_EQ(rt::seams::launches().size(), 1u);
}

TEST_F(DropsTest, AnInternetShortcutFetchesItsAddressIntoANewPage) {
  LocalHttpServer server(web_page("<html><head><title>快捷方式的网页</title></head><body>内容</body></html>"));
  ui_test::type_text(editor(), "原来的页");
  std::string url = file("网址.URL", "[InternetShortcut]\r\nURL=" + server.address("/from-shortcut") + "\r\nIconIndex=0\r\n");
  ASSERT_TRUE(rt::seams::drop_files(editor(), {url}));
  EXPECT_TRUE(open_queue().empty());
  ASSERT_TRUE(server.wait_for_requests(1));
  EXPECT_EQ(http_text::request_line(server.requests()[0]), "GET /from-shortcut HTTP/1.0");
  ASSERT_TRUE(fetches_done());
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().caption(1), "快捷方式的网");  // 12 bytes of the title
  EXPECT_EQ(page_name(1), "快捷方式的网页");
  EXPECT_EQ(page_content(1), "<html><head><title>快捷方式的网页</title></head><body>内容</body></html>");
  EXPECT_EQ(page_content(0), "原来的页");  // the shortcut itself is not opened

  // Without a line end after the address the address is empty: nothing is fetched.
  std::string cut = file("没有换行.url", "[InternetShortcut]\r\nURL=" + server.address("/never"));
  ASSERT_TRUE(rt::seams::drop_files(editor(), {cut}));
  ASSERT_TRUE(fetches_done());
  ui_test::settle(200);
  EXPECT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_FALSE(busy_picture_shown());
}

// A browser's link offers its address as a web address and as text.
TEST_F(DropsTest, ADroppedAddressBecomesAModifiedPageNamedAfterTheTitle) {
  const std::string page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                           "<title>  网页的标题 </title></head><body>正文：汉字</body></html>";
  LocalHttpServer server;
  server.set_reply(web_page(page, true), 40, 150);  // arrives slowly: the busy picture shows meanwhile
  ui_test::type_text(editor(), "原来的页");
  std::string address = server.address("/page.html");
  ASSERT_TRUE(rt::seams::drop(editor(), {.text = address, .url = address}));
  EXPECT_EQ(editor().text(), "原来的页");  // the text is left to the address
  ASSERT_TRUE(server.wait_for_requests(1));
  EXPECT_TRUE(busy_picture_shown());
  const rt::PictureBox& picture = w().图片框_读取网页;
  EXPECT_EQ(picture.left(), static_cast<int>(w().width() / 2.0 - picture.width() / 2.0));
  EXPECT_EQ(picture.top(), static_cast<int>(w().height() / 2.0 - picture.height() / 2.0));
  EXPECT_EQ(w().透明标签_说明.left(), picture.left() - 5);
  EXPECT_EQ(w().透明标签_说明.top(), picture.top() + picture.height());
  EXPECT_EQ(w().透明标签_说明.text(), "正在获取网页源码，请稍等…");
  ASSERT_TRUE(fetches_done());
  EXPECT_FALSE(busy_picture_shown());

  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().current(), 1);
  EXPECT_EQ(page_name(1), "网页的标题");
  EXPECT_EQ(editor().text(), page);  // converted from UTF-8
  EXPECT_EQ(pages()[1].modified, 1);
  EXPECT_TRUE(pages()[1].path.empty());
  EXPECT_EQ(w().透明标签_文件路径.text(), "  路径:(尚未保存过!)");

  // Closing it asks to save.
  int shown = 0;
  ui_test::answer_message_boxes({6}, &shown);
  close_page_with_prompt(1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(tabs().count(), 1);
}

TEST_F(DropsTest, PagesWithoutAUsableTitleOrReplyAreNamedOrLeftOutAsTheTextSays) {
  LocalHttpServer server;
  // A title tag in mixed case is not found: the page gets the automatic name.
  server.set_reply(web_page("<Title>混合</Title><body>体</body>"));
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/mixed")}));
  ASSERT_TRUE(fetches_done());
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().caption(1), "新建文档 2");
  EXPECT_EQ(page_content(1), "<Title>混合</Title><body>体</body>");

  // An empty reply, a page declared UTF-8 that is none, an address nobody answers: no page, no
  // message, the busy picture gone.
  int shown = 0;
  ui_test::answer_message_boxes({}, &shown);
  server.set_reply(LocalHttpServer::http_reply(200, "OK", ""));
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/empty")}));
  ASSERT_TRUE(fetches_done());
  server.set_reply(web_page("<meta content=\"text/html; charset=UTF-8\"><title>\xC0</title>"));
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/invalid")}));
  ASSERT_TRUE(fetches_done());
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = "http://127.0.0.1:" + std::to_string(LocalHttpServer::unused_port()) + "/"}));
  ASSERT_TRUE(fetches_done());
  EXPECT_EQ(server.requests().size(), 3u);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(busy_picture_shown());
}

// A reply cut short is no page: the part that came is not taken for the page.
TEST_F(DropsTest, AReplyCutShortMakesNoPage) {
  const std::string page = web_page("<title>半截</title><body>" + std::string(20000, 'x') + "</body>");
  for (const BrokenReply& c : kBrokenReplies) {
    SCOPED_TRACE(c.what);
    LocalHttpServer server(page);
    server.cut_replies_after(page.size() - 5000, c.reset);
    ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/cut")}));
    ASSERT_TRUE(fetches_done());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(tabs().count(), 1);
    EXPECT_FALSE(busy_picture_shown());
  }
}

// Each fetch keeps the address it was given: a second drop during a slow fetch changes neither.
TEST_F(DropsTest, TwoFetchesAtOnceEachMakeTheirOwnPage) {
  LocalHttpServer slow, fast(web_page("<title>快</title>"));
  slow.set_reply(web_page("<title>慢</title>"), 10, 200);
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = slow.address("/slow")}));
  ASSERT_TRUE(slow.wait_for_requests(1));
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = fast.address("/fast")}));
  ASSERT_TRUE(ui_test::wait_for([] { return tabs().count() == 2; }, 10000));
  EXPECT_TRUE(busy_picture_shown());  // the slow one still runs
  ASSERT_TRUE(fetches_done());
  EXPECT_FALSE(busy_picture_shown());
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_name(1), "快");
  EXPECT_EQ(page_name(2), "慢");
  EXPECT_EQ(http_text::request_line(slow.requests().at(0)), "GET /slow HTTP/1.0");
  EXPECT_EQ(http_text::request_line(fast.requests().at(0)), "GET /fast HTTP/1.0");
  EXPECT_EQ(slow.requests().size(), 1u);
  EXPECT_EQ(fast.requests().size(), 1u);
}

// A fetch started for an earlier start of the program (a test's window before this one) keeps
// the next start busy with nothing and brings its page to no later window.
TEST_F(DropsTest, AFetchOfAnEarlierStartCountsNoMoreAndBringsNoPage) {
  LocalHttpServer earlier(web_page("<title>上一次的</title>")), now(web_page("<title>这一次的</title>"));
  rt::seams::hold_workers(true);
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = earlier.address("/earlier")}));
  EXPECT_EQ(running_url_fetches(), 1);
  // The next start, as the test fixture makes it.
  main_window().destroy();
  init_globals();
  rt::seams::set_command_line({});
  ASSERT_TRUE(main_window().load());
  ASSERT_TRUE(ui_test::wait_for([] { return !pages().empty() && editor().has_focus() && start_finished(); }));
  EXPECT_EQ(running_url_fetches(), 0);
  EXPECT_FALSE(busy_picture_shown());
  // The earlier fetch gets its reply first; then one of this start fetches its page.
  ASSERT_TRUE(rt::seams::release_held_worker());
  ASSERT_TRUE(earlier.wait_for_requests(1));
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = now.address("/now")}));
  EXPECT_EQ(running_url_fetches(), 1);
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([] { return tabs().count() == 2; }, 10000));
  ASSERT_TRUE(fetches_done());
  ui_test::settle(200);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_name(1), "这一次的");
}

// While files are being opened the window takes no files, HTML or addresses; a fetch that ends
// meanwhile makes its page after the open run.
TEST_F(DropsTest, WhileFilesAreOpenedDropsOtherThanTextAreIgnored) {
  LocalHttpServer server(web_page("<title>稍后</title>"));
  ui_test::type_text(editor(), "有字");
  std::string a = file("a.txt", "A"), b = file("b.txt", "B");
  set_option(&OptionValues::open_in_thread, 1);
  set_open_queue({a});
  open_files();
  ASSERT_TRUE(open_busy());
  EXPECT_EQ(drops_accepted(), 0);
  EXPECT_TRUE(rt::seams::drop_files(editor(), {b}));
  EXPECT_TRUE(rt::seams::drop(editor(), {.html = "<i>不要</i>"}));
  EXPECT_TRUE(rt::seams::drop(editor(), {.url = server.address("/ignored")}));
  EXPECT_EQ(open_queue(), std::vector<std::string>{a});
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(pages()[1].path, a);
  EXPECT_EQ(drops_accepted(), 1);
  ui_test::settle(200);
  EXPECT_TRUE(server.requests().empty());

  // A fetch started before a run waits for its end before it adds its page.
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/later")}));
  set_open_busy(true);
  ASSERT_TRUE(server.wait_for_requests(1));
  ui_test::settle(500);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_TRUE(busy_picture_shown());
  set_open_busy(false);
  ASSERT_TRUE(fetches_done());
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_name(2), "稍后");
}

TEST_F(DropsTest, TheEditBoxKeepsTakingDropsAfterItIsRecreated) {
  for (int align : {1, 0}) {
    rt::WindowHandle old = editor().handle();
    editor().set_alignment(align);  // a new control in the old one's place
    ASSERT_NE(editor().handle(), old);
    ASSERT_TRUE(rt::seams::drop_text(editor(), "+" + std::to_string(align)));
  }
  EXPECT_EQ(editor().text(), "+1+0");
}

// The system's own drag-and-drop loop finds the target of the window under the pointer: the
// edit box's, and the window's for its other parts.
TEST_F(DropsTest, ARealDragDropsOnTheEditBoxAndOnTheRestOfTheWindow) {
  auto drag_to = [](rt::Unit& unit, const DropOffer& offer) {
    POINT p = centre_of(unit);
    return rt::seams::drag_and_drop(offer, p.x, p.y);
  };
  ASSERT_TRUE(drag_to(editor(), {.text = "真的拖放"}));
  EXPECT_EQ(editor().text(), "真的拖放");
  // The edit box's scroll bar is a control of its own; a drop there is the edit box's too.
  RECT box;
  GetWindowRect(static_cast<HWND>(editor().handle()), &box);
  ASSERT_TRUE(rt::seams::drag_and_drop({.text = "，滚动条上"}, box.right - 6, (box.top + box.bottom) / 2));
  EXPECT_EQ(editor().text(), "真的拖放，滚动条上");
  editor().set_text("真的拖放");

  std::string f = file("拖来的.txt", "文件内容");
  ASSERT_TRUE(drag_to(editor(), {.files = {f}}));
  ASSERT_EQ(tabs().count(), 2);
  EXPECT_EQ(page_content(1), "文件内容");

  // The status line has no target of its own: the window's takes the drop.
  ASSERT_TRUE(drag_to(w().透明标签_文件标题, {.html = "<b>窗口上的超文本</b>"}));
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(page_content(2), "<b>窗口上的超文本</b>");

  // Outside the window nobody takes it.
  RECT r;
  GetWindowRect(static_cast<HWND>(w().handle()), &r);
  EXPECT_FALSE(rt::seams::drag_and_drop({.text = "落空"}, r.right + 20, r.bottom + 20));
  EXPECT_EQ(tabs().count(), 3);

  // After the edit box was made anew, a real drop on it lands once.
  editor().set_alignment(2);
  ASSERT_TRUE(drag_to(editor(), {.text = "+"}));
  EXPECT_EQ(editor().text(), "<b>窗口上的超文本</b>+");
}

TEST_F(DropsTest, ScreenshotWhileAFetchRuns) {
  LocalHttpServer server;
  server.set_reply(web_page("<title>截图</title>"), 10, 150);
  ui_test::type_text(editor(), "正在编辑的页面\r\n第二行");
  ASSERT_TRUE(rt::seams::drop(editor(), {.url = server.address("/")}));
  ASSERT_TRUE(server.wait_for_requests(1));
  ui_test::screenshot("fetch_busy");
  EXPECT_TRUE(ui_test::layout_is_sound(w()));
  EXPECT_TRUE(fetches_done());
}

}  // namespace
