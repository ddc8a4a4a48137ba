// The update check, the update window with its download, the about window, the homepage and
// the online help, against the real main window under Wine. The web services answer from a
// server of the test's own on 127.0.0.1; web pages opened in the browser, the system's download
// dialog and Explorer are recorded instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/edge_hide.h"
#include "app/globals.h"
#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "app/topmost.h"
#include "common/web_art.h"
#include "common/window_fade.h"
#include "forms/about_window_form.h"
#include "forms/update_window_form.h"
#include "layout_check.h"
#include "options/config.h"
#include "options/option_values.h"
#include "program_test.h"
#include "recorded_boxes.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/gbk_text.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "ui_test.h"
#include "web/about_window.h"
#include "web/update_check.h"
#include "web/web_hosts.h"
#include "web_test.h"

namespace {

UpdateWindowForm& uw() { return update_window(); }
AboutWindowForm& aw() { return about_window(); }

// An update page: some HTML around the field block.
std::string manifest_page(const std::string& version, const std::string& time, const std::string& extra = {}) {
  return "<html><head><title>Velmora</title></head><body><p>更新说明页</p>\r\n"
         "//Velmora更新配置开始\r\n"
         "软件名称=Velmora新版</p>软件大小=5M</p>软件版本=" +
         version + "</p>更新时间=" + time + "</p>" + extra +
         "更新纪录=修正保存时的错误|加快打开大文件|</p>\r\n"
         "//Velmora更新配置结束\r\n</body></html>";
}

class UpdateTest : public WebTest {
 protected:
  // The update window as the menu opens it, with its check finished.
  static void open_checked_update_window() {
    open_update_window();
    ASSERT_TRUE(ui_test::wait_for([] { return uw().loaded() && !uw().图形按钮_关闭小.disabled(); }, 15000));
    ui_test::settle(50);
  }
};

TEST_F(UpdateTest, TheStartUpCheckAsksTheUpdatePage) {
  std::string request = server_.requests().at(0);
  EXPECT_EQ(http_text::request_line(request), "GET /update/velmora_update_manifest_for_version_1.html HTTP/1.0");
  EXPECT_EQ(update_page_address(), server_.address("/update/velmora_update_manifest_for_version_1.html"));
  EXPECT_EQ(update_available(), 0);
  EXPECT_EQ(w().时钟_信息框.interval(), 0);
}

TEST_F(UpdateTest, ANewerVersionAtStartUpIsOfferedOnceAndCancelLeavesIt) {
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日")));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxCancel});
  rt::start_thread(check_for_update_at_startup_thread);
  ASSERT_TRUE(ui_test::wait_for([&] { return boxes.size() == 1; }));
  EXPECT_EQ(boxes[0].title, "检测到程序有更新，是否立即升级？");
  EXPECT_EQ(boxes[0].title_color, 255u);
  EXPECT_EQ(boxes[0].text_color, 255u);
  EXPECT_EQ(boxes[0].icon, 64);
  EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxOk, kBoxCancel}));
  EXPECT_EQ(boxes[0].owner, w().handle());
  EXPECT_NE(boxes[0].text.find("你确定打开更新窗口升级程序吗？"), std::string::npos);
  EXPECT_EQ(update_available(), 1);
  EXPECT_EQ(w().时钟_信息框.interval(), 0);  // one shot
  ui_test::settle(400);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(uw().loaded());
}

TEST_F(UpdateTest, OkInThePromptOpensTheUpdateWindow) {
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日")));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  rt::start_thread(check_for_update_at_startup_thread);
  ASSERT_TRUE(ui_test::wait_for([] { return uw().loaded() && uw().标签_软件名称.visible(); }, 15000));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(uw().标签_上中.text(), "  检测到程序有更新");
}

TEST_F(UpdateTest, TheStartUpCheckOffersNothingForTheCurrentVersion) {
  struct Case {
    const char *version, *time;
  };
  // Both fields must differ: one equal field means the program is current.
  const Case cases[] = {{"1.0.0.1", "2027年1月1日"}, {"1.0.0.2", "2026年12月10日"}};
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    server_.set_reply(ok(manifest_page(c.version, c.time)));
    size_t before = requests();
    check_for_update_at_startup_thread();  // here: the same work, done when it returns
    EXPECT_EQ(requests(), before + 1);
    ui_test::settle(300);
    EXPECT_EQ(update_available(), 0);
    EXPECT_TRUE(boxes.empty());
  }
}

TEST_F(UpdateTest, TheNoCheckOptionSendsNoRequestAtAll) {
  config_set_flag(cfg::程序设置::启动时不检测软件更新, true);
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日")));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes);
  size_t before = requests();
  check_for_update_at_startup_thread();
  ui_test::settle(300);
  EXPECT_EQ(requests(), before);
  EXPECT_EQ(update_available(), 0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(UpdateTest, TheWindowShowsANewerVersion) {
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日",
                                     "下载地址=" + server_.address("/velmora.zip") +
                                         "</p>软件主页=http://home.example.com/</p>")));
  open_checked_update_window();
  UpdateWindowForm& w = uw();
  EXPECT_EQ(w.caption(), "Velmora_检测更新");
  EXPECT_EQ(w.标签_上中.text(), "  检测到程序有更新");
  EXPECT_EQ(w.标签_上中.text_color(), 255u);
  EXPECT_EQ(w.标签_更新说明.text(), "(程序有更新，建议立即更新。)");
  EXPECT_EQ(w.标签_更新说明.text_color(), 255u);
  EXPECT_EQ(w.标签_软件名称.text(), "Velmora新版");
  EXPECT_EQ(w.标签_软件版本.text(), "1.0.0.2");
  EXPECT_EQ(w.标签_更新时间.text(), "2027年1月1日");
  // Compared with the size of the running program's file.
  EXPECT_EQ(w.标签_软件大小.text(), update_size_caption("5M", rt::file_size(rt::program_path())));
  EXPECT_EQ(w.标签_软件大小.text().rfind("5M(软件大小", 0), 0u);
  EXPECT_EQ(w.编辑框_更新日志.text(), "修正保存时的错误\r\n加快打开大文件\r\n");
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w.超级按钮_本程序下载, &w.超级按钮_调用IE下载, &w.超级按钮_软件主页,
                                                      &w.标签, &w.标签4, &w.编辑框_更新日志, &w.标签_更新说明})
    EXPECT_TRUE(u->visible());
  EXPECT_FALSE(w.图片框_等待.visible());
  EXPECT_FALSE(w.图形按钮_等待.visible());
  EXPECT_FALSE(w.标签5.visible());
  EXPECT_EQ(update_info().homepage, "http://home.example.com/");
  EXPECT_EQ(update_info().download_address, server_.address("/velmora.zip"));
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(update_window_icon_picture()));
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_关闭小), "关闭更新窗口");  // in red, its tag not shown
  EXPECT_EQ(w.编辑框_更新日志.font().face, editor().font().face);
}

TEST_F(UpdateTest, TheWindowShowsTheCurrentVersion) {
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")));
  open_checked_update_window();
  UpdateWindowForm& w = uw();
  EXPECT_EQ(w.标签_上中.text(), "  当前程序已经是最新版");
  EXPECT_EQ(w.标签_上中.text_color(), 0x8000u);
  EXPECT_EQ(w.标签_更新说明.text(), "(程序已经是最新版，无需更新!)");
  EXPECT_EQ(w.标签_软件大小.text(), "5M");
  EXPECT_FALSE(w.超级按钮_本程序下载.visible());
  EXPECT_FALSE(w.超级按钮_调用IE下载.visible());
  EXPECT_TRUE(w.超级按钮_软件主页.visible());
  EXPECT_TRUE(w.标签_软件名称.visible());
}

TEST_F(UpdateTest, APageWithoutTheFieldsKeepsTheWindowWaiting) {
  server_.set_reply(ok("<html>维护中</html>"));
  UpdateInfo earlier = update_info();
  earlier.name = "上次的";
  set_update_info(earlier);
  open_checked_update_window();
  UpdateWindowForm& w = uw();
  EXPECT_EQ(w.标签_上中.text(), "  正在努力检测程序更新，请稍等……");
  EXPECT_TRUE(w.图片框_等待.visible());
  EXPECT_TRUE(w.图形按钮_等待.visible());
  EXPECT_FALSE(w.标签_软件名称.visible());
  EXPECT_FALSE(w.标签5.visible());
  EXPECT_EQ(update_info().name, "上次的");
  // It can be closed now.
  ui_test::click(w.图形按钮_关闭小);
  EXPECT_FALSE(w.loaded());
}

TEST_F(UpdateTest, OfflineTheMenuOnlyTellsAndTheWindowShowsItsNote) {
  go_offline();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  size_t before = requests();
  open_update_window();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "检测到你未连接到会联网！");
  EXPECT_EQ(boxes[0].title_color, 255u);
  EXPECT_EQ(boxes[0].text, "  检测到你未连接到会联网！所以程序无法继续执行检查更新任务。\r\n");
  EXPECT_EQ(boxes[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes[0].icon, 64);
  EXPECT_EQ(boxes[0].buttons, std::vector<int>{kBoxOk});
  EXPECT_FALSE(uw().loaded());
  // The window's own check, when the network goes after the window was asked for.
  ASSERT_TRUE(uw().load(&w()));
  ASSERT_TRUE(ui_test::wait_for([] { return uw().标签5.visible(); }, 15000));
  EXPECT_FALSE(uw().图片框_等待.visible());
  EXPECT_FALSE(uw().图形按钮_等待.visible());
  EXPECT_FALSE(uw().标签_软件名称.visible());
  EXPECT_TRUE(ui_test::wait_for([] { return !uw().图形按钮_关闭小.disabled(); }));
  EXPECT_EQ(requests(), before);
}

TEST_F(UpdateTest, TheWindowCannotBeClosedWhileItsCheckRuns) {
  // The page arrives slowly, in pieces.
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")), 64, 150);
  open_update_window();
  ASSERT_TRUE(ui_test::wait_for([] { return uw().loaded() && uw().图形按钮_关闭小.disabled(); }));
  ui_test::click(uw().图形按钮_关闭小);
  uw().close();
  EXPECT_TRUE(uw().loaded());
  ASSERT_TRUE(ui_test::wait_for([] { return !uw().图形按钮_关闭小.disabled(); }, 20000));
  EXPECT_TRUE(uw().标签_软件名称.visible());
  uw().close();
  EXPECT_FALSE(uw().loaded());
}

TEST_F(UpdateTest, AResultForAClosedWindowFillsOnlyTheRecord) {
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日")), 64, 100);
  open_update_window();
  ASSERT_TRUE(ui_test::wait_for([] { return uw().loaded(); }));
  uw().destroy();
  ASSERT_TRUE(ui_test::wait_for([] { return update_info().version == "1.0.0.2"; }, 20000));
  ui_test::settle(100);
  EXPECT_FALSE(uw().loaded());
  // A window opened afterwards starts from its own check.
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")));
  open_checked_update_window();
  EXPECT_EQ(uw().标签_上中.text(), "  当前程序已经是最新版");
}

// Download: the package written beside the program, named after the published name.
class UpdateDownloadTest : public UpdateTest {
 protected:
  void open_with_newer_version(const std::string& name, const std::string& address) {
    std::string extra = "下载地址=" + address + "</p>软件主页=http://home.example.com/</p>";
    std::string page = manifest_page("1.0.0.2", "2027年1月1日", extra);
    page = rt::replace_text(page, "软件名称=Velmora新版", "软件名称=" + name);
    server_.set_reply(ok(page));
    open_checked_update_window();
    ASSERT_TRUE(uw().超级按钮_本程序下载.visible());
  }
  // Clicks the download button and waits for its message (answered with `answer`).
  RecordedBox download(int answer) {
    std::vector<RecordedBox> boxes;
    record_message_boxes(&boxes, {answer});
    ui_test::click(uw().超级按钮_本程序下载);
    EXPECT_TRUE(ui_test::wait_for([&] { return boxes.size() == 1; }, 15000));
    rt::seams::set_modal_hook(nullptr);
    return boxes.empty() ? RecordedBox{} : boxes[0];
  }
  void TearDown() override {
    for (const std::string& f : written_) DeleteFileA(f.c_str());
    UpdateTest::TearDown();
  }
  std::vector<std::string> written_;
};

TEST_F(UpdateDownloadTest, ThePackageIsWrittenAndExplorerShowsIt) {
  open_with_newer_version("Velmora新版", server_.address("/velmora.zip"));
  const std::string path = rt::program_directory() + "Velmora新版.zip";
  written_.push_back(path);
  DeleteFileA(path.c_str());
  server_.set_reply(ok(std::string("PK\x03\x04 package bytes\0\x01", 22)));
  RecordedBox box = download(kBoxOk);
  EXPECT_EQ(http_text::request_line(server_.requests().back()), "GET /velmora.zip HTTP/1.0");
  EXPECT_EQ(rt::read_file(path), std::string("PK\x03\x04 package bytes\0\x01", 22));
  EXPECT_EQ(update_package_path(), path);
  EXPECT_EQ(update_download_result(), 1);
  EXPECT_EQ(box.title, "程序更新完毕……");
  EXPECT_EQ(box.title_color, 0x8000u);
  EXPECT_EQ(box.text_color, 0x8000u);
  EXPECT_EQ(box.icon, 8);
  EXPECT_EQ(box.owner, uw().handle());
  EXPECT_EQ(box.buttons, (std::vector<int>{kBoxOk, kBoxCancel}));
  EXPECT_EQ(box.row_top, 120);
  EXPECT_EQ(uw().标签_上中.text(), "  瞧！更新就这么简单，更新完毕……");
  EXPECT_EQ(uw().标签_上中.text_color(), 0x8000u);
  EXPECT_EQ(uw().标签_更新说明.text(), "(程序更新完毕！)");
  EXPECT_EQ(uw().标签4.text(), "更新日志：");
  EXPECT_FALSE(uw().超级按钮_本程序下载.disabled());
  EXPECT_FALSE(uw().超级按钮_调用IE下载.disabled());
  EXPECT_FALSE(uw().图片框_等待.visible());
  EXPECT_EQ(uw().时钟_提示信息.interval(), 0);
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, "explorer.exe  /select,\"" + path + "\"");
}

TEST_F(UpdateDownloadTest, APublishedNameNeverLeavesTheProgramFolder) {
  struct Case {
    std::string name, file;
  };
  const Case cases[] = {{"..\\..\\出界", "....出界.zip"}, {"..", "Velmora.zip"}, {"\\/:*?\"<>|", "Velmora.zip"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uw().destroy();
    open_with_newer_version(c.name, server_.address("/p.zip"));
    const std::string path = rt::program_directory() + c.file;
    written_.push_back(path);
    server_.set_reply(ok("zip"));
    download(kBoxCancel);
    EXPECT_EQ(update_package_path(), path);
    EXPECT_EQ(rt::read_file(path), std::string("zip"));
  }
  EXPECT_TRUE(rt::seams::launches().empty());  // Cancel: Explorer is not started
}

TEST_F(UpdateDownloadTest, AnEmptyDownloadFailsAndKeepsTheEarlierFile) {
  open_with_newer_version("空包", server_.address("/empty.zip"));
  const std::string path = rt::program_directory() + "空包.zip";
  written_.push_back(path);
  ASSERT_TRUE(rt::write_file_safely(path, "earlier"));
  server_.set_reply(ok(""));
  RecordedBox box = download(kBoxOk);
  EXPECT_EQ(update_download_result(), 2);
  EXPECT_EQ(rt::read_file(path), std::string("earlier"));
  EXPECT_EQ(box.title, "程序更新失败！");
  EXPECT_EQ(box.title_color, 255u);
  EXPECT_EQ(box.icon, 8);
  EXPECT_EQ(uw().标签_上中.text(), "  哦呵！对不起！更新过程好像出错了！");
  EXPECT_EQ(uw().标签_更新说明.text(), "(更新程序出错，建议重试)");
  EXPECT_EQ(uw().标签_更新说明.text_color(), 255u);
  // OK: the published homepage.
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].verb, "open");
  EXPECT_EQ(rt::seams::launches()[0].file, "http://home.example.com/");
}

TEST_F(UpdateDownloadTest, ADownloadCutShortFailsAndKeepsTheEarlierFile) {
  const std::string package = "PK\x03\x04" + std::string(20000, 'z');
  for (const BrokenReply& c : kBrokenReplies) {
    SCOPED_TRACE(c.what);
    uw().destroy();
    open_with_newer_version("半截包", server_.address("/cut.zip"));
    const std::string path = rt::program_directory() + "半截包.zip";
    written_.push_back(path);
    ASSERT_TRUE(rt::write_file_safely(path, "earlier"));
    const std::string reply = ok(package);
    server_.set_reply(reply);
    server_.cut_replies_after(reply.size() - 10000, c.reset);
    RecordedBox box = download(kBoxCancel);
    server_.cut_replies_after(std::string::npos);
    EXPECT_EQ(update_download_result(), 2);
    EXPECT_EQ(box.title, "程序更新失败！");
    EXPECT_EQ(uw().标签_上中.text(), "  哦呵！对不起！更新过程好像出错了！");
    EXPECT_EQ(uw().标签_更新说明.text(), "(更新程序出错，建议重试)");
    EXPECT_EQ(rt::read_file(path), std::string("earlier"));
    EXPECT_FALSE(uw().超级按钮_本程序下载.disabled());
    EXPECT_FALSE(uw().图形按钮_关闭小.disabled());
  }
  // No file of the download is left beside the package.
  EXPECT_TRUE(rt::find_files(rt::program_directory() + "vel*.tmp").empty());
}

// A package larger than the program's memory: the worker runs out of it for real. The memory
// is told in the program's own box, and the download still ends: its failure, its buttons back,
// the window closable again.
TEST_F(UpdateDownloadTest, ADownloadLargerThanMemoryIsToldAndStillEnds) {
  // The 64-bit build of the tests (machines that run no 32-bit code) would take the machine's
  // memory, not the program's 2 GB.
  if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit process runs out of the machine's memory, not of its own";
  open_with_newer_version("巨大包", server_.address("/huge.zip"));
  const std::string path = rt::program_directory() + "巨大包.zip";
  written_.push_back(path);
  ASSERT_TRUE(rt::write_file_safely(path, "earlier"));
  server_.set_endless_reply("HTTP/1.0 200 OK\r\nContent-Type: application/zip\r\n\r\n", std::string(1 << 20, 'z'));
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk, kBoxCancel});
  ui_test::click(uw().超级按钮_本程序下载);
  ASSERT_TRUE(ui_test::wait_for([&] { return boxes.size() == 2; }, 120000));
  server_.set_endless_reply({}, {});
  // The notice and the download's result, in whichever order their boxes came.
  std::vector<std::string> titles = {boxes[0].title, boxes[1].title}, expected = {"内存不足！", "程序更新失败！"};
  std::sort(titles.begin(), titles.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(titles, expected);
  EXPECT_EQ(update_download_result(), 2);
  EXPECT_EQ(rt::read_file(path), std::string("earlier"));
  EXPECT_EQ(uw().标签_更新说明.text(), "(更新程序出错，建议重试)");
  EXPECT_FALSE(uw().超级按钮_本程序下载.disabled());
  EXPECT_FALSE(uw().图形按钮_关闭小.disabled());
  EXPECT_FALSE(uw().图片框_等待.visible());
}

TEST_F(UpdateDownloadTest, WithoutADownloadAddressNothingIsFetched) {
  open_with_newer_version("无地址", "");
  size_t before = requests();
  RecordedBox box = download(kBoxCancel);
  EXPECT_EQ(requests(), before);
  EXPECT_EQ(update_download_result(), 2);
  EXPECT_EQ(box.title, "程序更新失败！");
  EXPECT_EQ(uw().标签_上中.text(), "  哦呵！对不起！更新过程中出错了！");
  EXPECT_FALSE(rt::file_exists(rt::program_directory() + "无地址.zip"));
  EXPECT_TRUE(rt::seams::launches().empty());
}

TEST_F(UpdateDownloadTest, TheSystemDownloadDialogGetsTheAddressWithTopmostOff) {
  open_with_newer_version("Velmora", "http://dl.example.com/Velmora 1.0.0.2.zip");
  toggle_topmost();
  ASSERT_TRUE(w().topmost());
  ui_test::click(uw().超级按钮_调用IE下载);
  EXPECT_FALSE(w().topmost());
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].verb, "download");
  EXPECT_EQ(rt::seams::launches()[0].file, "http://dl.example.com/Velmora 1.0.0.2.zip");
  // An empty address opens nothing, nor does one longer than the dialog's 1023 characters.
  download_with_browser("");
  download_with_browser("http://dl.example.com/" + std::string(1002, 'a'));
  EXPECT_EQ(rt::seams::launches().size(), 1u);
  download_with_browser("http://dl.example.com/" + std::string(1001, 'a'));
  EXPECT_EQ(rt::seams::launches().size(), 2u);
}

TEST_F(UpdateDownloadTest, TheHomepageButtonOpensThePublishedOrTheProgramsHomepage) {
  open_with_newer_version("Velmora", "");
  ui_test::click(uw().超级按钮_软件主页);
  UpdateInfo without_homepage = update_info();
  without_homepage.homepage.clear();
  set_update_info(without_homepage);
  ui_test::click(uw().超级按钮_软件主页);
  ASSERT_EQ(rt::seams::launches().size(), 2u);
  EXPECT_EQ(rt::seams::launches()[0].file, "http://home.example.com/");
  EXPECT_EQ(rt::seams::launches()[1].file, homepage_address());
  EXPECT_EQ(homepage_address(), server_.address("/"));
}

TEST_F(UpdateTest, ShutdownFadesTheWindowOut) {
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")));
  open_checked_update_window();
  release_main_window();
  EXPECT_FALSE(uw().visible() && uw().alpha() > 0);
}

TEST_F(UpdateTest, Screenshot) {
  server_.set_reply(ok(manifest_page("1.0.0.2", "2027年1月1日",
                                     "下载地址=http://dl.example.com/v.zip</p>")));
  open_checked_update_window();
  ASSERT_TRUE(ui_test::wait_for([] { return uw().alpha() == options().window_alpha; }));
  ui_test::screenshot("update_window");
  EXPECT_TRUE(ui_test::layout_is_sound(uw()));
}

// ---- about window, homepage, help ----

using AboutTest = WebTest;

TEST_F(AboutTest, TheToolbarOpensTheAboutWindowWithItsDescription) {
  on_toolbar_button(kButtonAbout);
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  AboutWindowForm& a = aw();
  EXPECT_EQ(a.caption(), "Velmora_检测更新");
  EXPECT_EQ(a.标签_上中.text(), "  关于—VelmoraV1.0.0.1");
  EXPECT_TRUE(a.图形按钮_程序图标.normal_picture().same_image(about_window_icon_picture()));
  rt::RichEditBox& box = a.超级编辑框_说明;
  std::string text = box.text();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(box.caret(), 0);
  // The runs: thanks in blue, the warning in red, the contact heading green, its lines magenta.
  struct Run {
    const char* starts;
    unsigned color;
  };
  const Run runs[] = {{"　感谢", 0xFF0000}, {"　程序里", 0xFF0090}, {"　警告", 255}, {"\r联系作者：", 0x8000},
                      {"　软件主页", 0xFF00FF}};
  // The box counts characters, and a paragraph end as one.
  std::string flat = rt::replace_text(text, "\r\n", "\r");
  for (const Run& r : runs) {
    SCOPED_TRACE(r.starts);
    int at = rt::find_text(flat, r.starts);
    ASSERT_GT(at, 0);
    rt::RichEditBox::RunFormat f = box.format_at(rt::byte_pos_to_char_index(flat, at) + 2);
    EXPECT_EQ(f.color, r.color);
    EXPECT_EQ(f.size, 9);
    EXPECT_EQ(f.face, "宋体");
    EXPECT_FALSE(f.bold || f.italic || f.underline || f.strikeout);
  }
  // The empty lines between the paragraphs are small.
  int paragraph_end = rt::find_text(flat, "\r\r");
  ASSERT_GT(paragraph_end, 0);
  EXPECT_EQ(box.format_at(rt::byte_pos_to_char_index(flat, paragraph_end)).size, 9);
  EXPECT_EQ(box.format_at(rt::byte_pos_to_char_index(flat, paragraph_end) + 1).size, 5);
  EXPECT_NE(text.find(homepage_address()), std::string::npos);
  EXPECT_EQ(rt::tooltip_text(a.图形按钮_关闭小), "关闭关于窗口");  // the colour tag is dropped
  EXPECT_EQ(rt::tooltip_text(a.图形按钮_更新), "打开更新窗口，检测程序更新");
  EXPECT_EQ(rt::tooltip_text(a.超级链接框_软件主页), "打开程序主页");
}

TEST_F(AboutTest, TheDescriptionWrapsInsideItsBox) {
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  rt::RichEditBox& box = aw().超级编辑框_说明;
  HWND h = static_cast<HWND>(box.handle());
  RECT client{};
  GetClientRect(h, &client);
  // Where each character of the first paragraph lies: none beyond the right edge, and the
  // paragraph takes more than one line.
  const std::string flat = rt::replace_text(box.text(), "\r\n", "\r");
  const int first_end = rt::byte_pos_to_char_index(flat, rt::find_text(flat, "\r"));
  ASSERT_GT(first_end, 20);
  int lines = 1;
  LONG last_y = -1;
  for (int i = 0; i < first_end; ++i) {
    POINTL p{};
    SendMessageW(h, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), i);
    EXPECT_LT(p.x, client.right - 6) << "character " << i;
    if (last_y >= 0 && p.y > last_y) ++lines;
    last_y = p.y;
  }
  EXPECT_GE(lines, 2);
}

TEST_F(AboutTest, TheButtonsOfTheAboutWindow) {
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  ui_test::click(aw().超级链接框_软件主页);
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].verb, "open");
  EXPECT_EQ(rt::seams::launches()[0].file, homepage_address());
  // The update button opens the update window beside it.
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")));
  ui_test::click(aw().图形按钮_更新);
  ASSERT_TRUE(ui_test::wait_for([] { return uw().loaded() && uw().标签_软件名称.visible(); }, 15000));
  EXPECT_TRUE(aw().loaded());
  ui_test::click(aw().图形按钮_确定);
  EXPECT_FALSE(aw().loaded());
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  ui_test::click(aw().图形按钮_关闭小);
  EXPECT_FALSE(aw().loaded());
}

TEST_F(AboutTest, OverAMinimizedMainWindowTheAboutWindowStaysWhereTheFormPlacesIt) {
  w().minimize();
  ASSERT_TRUE(ui_test::wait_for([] { return w().minimized(); }));
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  EXPECT_EQ(aw().left(), 200);
  EXPECT_EQ(aw().top(), 200);
  aw().destroy();
  w().restore_if_minimized();
  ASSERT_TRUE(ui_test::wait_for([] { return !w().minimized(); }));
  // Over a visible main window it is centred.
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  EXPECT_EQ(aw().top(), w().top() + w().height() / 2 - aw().height() / 2);
}

TEST_F(AboutTest, OverAMainWindowSlidOutAtAnEdgeTheAboutWindowStaysWhereTheFormPlacesIt) {
  w().move(0, 150, 700, 500);
  toggle_edge_slide();
  ASSERT_EQ(edge_hidden(), 1);
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  EXPECT_EQ(aw().left(), 200);
  EXPECT_EQ(aw().top(), 200);
  aw().destroy();
  toggle_edge_slide();
  EXPECT_EQ(edge_hidden(), 0);
}

TEST_F(AboutTest, TheHelpAndProgramMenusOpenTheHomepage) {
  for (auto open : {open_help_menu, popup_program_menu_under_icon}) {
    rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("软件主页(&R)")); });
    open();
    rt::seams::set_menu_hook(nullptr);
  }
  ASSERT_EQ(rt::seams::launches().size(), 2u);
  for (const rt::seams::Launch& l : rt::seams::launches()) {
    EXPECT_EQ(l.verb, "open");
    EXPECT_EQ(l.file, homepage_address());
  }
  // No question and no network test for the homepage.
  go_offline();
  open_homepage();
  EXPECT_EQ(rt::seams::launches().size(), 3u);
}

TEST_F(AboutTest, TheOnlineHelpAsksFirst) {
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxCancel, kBoxOk});
  on_toolbar_button(kButtonOnlineHelp);
  EXPECT_TRUE(rt::seams::launches().empty());
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("程序帮助(&H)")); });
  open_help_menu();
  rt::seams::set_menu_hook(nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title, "你确定浏览在线帮助文档吗？");
  EXPECT_EQ(boxes[0].title_color, 0xFF0000u);
  EXPECT_EQ(boxes[0].text, "  你确定浏览在线帮助文档吗？如果确定将用默认的浏览器打开在线帮助文档！\r\n");
  EXPECT_EQ(boxes[0].text_color, 0x8000u);
  EXPECT_EQ(boxes[0].icon, 64);
  EXPECT_EQ(boxes[0].buttons, (std::vector<int>{kBoxOk, kBoxCancel}));
  ASSERT_EQ(rt::seams::launches().size(), 1u);
  EXPECT_EQ(rt::seams::launches()[0].file, online_help_address());
  EXPECT_EQ(online_help_address().rfind(server_.address("/"), 0), 0u);
}

TEST_F(AboutTest, TheOnlineHelpOfflineOnlyTells) {
  go_offline();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  show_online_help();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "无法连接到互联网！");
  EXPECT_EQ(boxes[0].title_color, 255u);
  EXPECT_EQ(boxes[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes[0].icon, 48);
  EXPECT_EQ(boxes[0].buttons, std::vector<int>{kBoxOk});
  EXPECT_TRUE(rt::seams::launches().empty());
}

TEST_F(AboutTest, TheHelpMenuOpensTheUpdateAndAboutWindows) {
  server_.set_reply(ok(manifest_page("1.0.0.1", "2027年1月1日")));
  for (const char* item : {"检查更新(&N)", "关于程序(&I)"}) {
    rt::seams::set_menu_hook([item](rt::PopupMenu& m) { EXPECT_TRUE(m.choose(item)) << item; });
    open_help_menu();
    rt::seams::set_menu_hook(nullptr);
  }
  EXPECT_TRUE(ui_test::wait_for([] { return uw().loaded() && aw().loaded(); }));
}

TEST_F(AboutTest, ShutdownFadesTheAboutWindowOut) {
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  release_main_window();
  EXPECT_FALSE(aw().visible() && aw().alpha() > 0);
}

TEST_F(AboutTest, Screenshot) {
  open_about_window();
  ASSERT_TRUE(ui_test::wait_for([] { return aw().loaded() && aw().alpha() == options().window_alpha; }));
  ui_test::screenshot("about_window");
  EXPECT_TRUE(ui_test::layout_is_sound(aw()));
}

}  // namespace
