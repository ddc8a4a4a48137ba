// The cloud input window against the real main window under Wine: opening it (menu, Ctrl+Y,
// start-up, offline), a query per keystroke with the pinyin as sent, replies of older requests
// dropped, each service's reply and the suggestions standing in, paging, candidates inserted at
// the edit box's caret, the keys, and the settings with what they store. The services answer
// from a server of the test's own on 127.0.0.1.
#include "options/option_values.h"
#include "web/cloud_input.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "app/menu_bar.h"
#include "app/shortcuts.h"
#include "app/shutdown.h"
#include "common/cloud_art.h"
#include "common/control_routines.h"
#include "common/window_fade.h"
#include "layout_check.h"
#include "options/config.h"
#include "pages/page_model.h"
#include "recorded_boxes.h"
#include "runtime/internet.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"
#include "web_test.h"

namespace {

CloudInputWindowForm& cw() { return cloud_input_window(); }
rt::EditBox& box() { return cloud_input_window().编辑框_拼音; }
rt::ListBox& list() { return cloud_input_window().列表框_云服务器取到的数据; }
HWND hw(rt::WindowHandle h) { return static_cast<HWND>(h); }

using Items = std::vector<std::string>;

constexpr char kQq[] = "/fcgi-bin/", kBaidu[] = "/py?", kSogou[] = "/api/py", kKey[] = "/web_ime/patch.php",
               kSoso[] = "/wh.q", kBaiduSuggest[] = "/su?", kSogouSuggest[] = "/sugg/";
const std::string kQqPath = "/fcgi-bin/getword?&mh=1&jf=0&md=3&st=4&p=";

// The services' replies, in their shapes.
std::string qq_reply(const Items& items) {
  std::string list;
  for (const std::string& i : items) list += (list.empty() ? "\"" : ",\"") + i + "\"";
  return "{\"q\":\"x\",\"rs\":[" + list + "],\"rsn\":" + std::to_string(items.size()) + "}";
}
std::string baidu_reply(const Items& items) {
  std::string r = "{\"0\":[[";
  for (const std::string& i : items) r += "[\"" + i + "\",5,{\"pinyin\":\"x\"}],";
  return r + "]],\"1\":\"x\",\"status\":\"T\"}";
}
std::string percent(const std::string& bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) out += std::string("%") + hex[b >> 4] + hex[b & 15];
  return out;
}
std::string sogou_reply(const Items& items) {
  std::string t;
  for (const std::string& i : items) t += i + "：12\t";
  return "ime_callback(\"" + percent(rt::convert_encoding(t, "GBK", "UTF-8")) + "\",\"x\")";
}

// The user's choice in a combo: the control's own notification to its parent.
void pick(rt::ComboBox& combo, int entry) {
  HWND h = hw(combo.handle());
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
}

Items list_items() {
  Items items;
  for (int i = 0; i < list().count(); ++i) items.push_back(list().item(i));
  return items;
}

class CloudInputTest : public WebTest {
 protected:
  void SetUp() override {
    WebTest::SetUp();
    // Away from where the window appears: a pointer over it takes the focus to the pinyin box.
    SetCursorPos(0, 0);
    server_.set_route_reply(kKey, ok("var key = \"K9\"; var v = \"2\";"));
  }
  // Opens the window as the menu does and waits until it is shown and its engine is set up.
  void open_window() {
    open_cloud_input_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] {
          return cw().loaded() && cw().alpha() == options().window_alpha &&
                 !rt::tooltip_text(cw().组合框_云输入法).empty();
        },
        15000));
  }
  // The pinyin box's text as a paste brings it, and the candidates that come for it.
  void ask(const std::string& text, const Items& expected, const char* service = kQq) {
    size_t before = paths(service).size();
    box().set_text(text);
    box().select(box().text_length(), 0);
    ASSERT_TRUE(ui_test::wait_for(
        [&] { return paths(service).size() > before && !cloud_ime_request_pending() && list_items() == expected; }, 10000))
        << "list: " << list_items().size();
  }
  void click_page(bool next, const char* service, size_t before) {
    ui_test::click(next ? cw().超级按钮_向下 : cw().超级按钮_向上);
    ASSERT_TRUE(
        ui_test::wait_for([&] { return paths(service).size() > before && !cloud_ime_request_pending(); }, 10000));
    EXPECT_TRUE(list().has_focus());
  }
};

TEST_F(CloudInputTest, TheMenuOpensTheWindowAtTheCaretWithItsSettingsWrittenBack) {
  rt::seams::set_menu_hook([](rt::PopupMenu& m) { EXPECT_TRUE(m.choose("启动云输入法(&Y)    Ctrl+Y")); });
  open_extra_menu();
  rt::seams::set_menu_hook(nullptr);
  open_window();
  CloudInputWindowForm& w = cw();
  EXPECT_EQ(w.caption(), "Velmora_云输入法");
  EXPECT_EQ(GetWindow(hw(w.handle()), GW_OWNER), hw(main_window().handle()));
  EXPECT_EQ(w.width(), 234);
  EXPECT_EQ(w.图形按钮_关闭小.left(), 234 - 23);
  EXPECT_FALSE(w.分组框_设置.visible());
  EXPECT_FALSE(w.组合框_输入方式.visible());
  EXPECT_FALSE(w.超级按钮_向上.visible());
  EXPECT_FALSE(w.超级按钮_向下.visible());
  EXPECT_EQ(w.超级按钮_向下.top() + w.超级按钮_向下.height(), box().top() + box().height() + 1);
  EXPECT_TRUE(box().has_focus());
  EXPECT_EQ(box().max_length(), 64);
  // The key was fetched and Sogou offered; the first engine is QQ.
  EXPECT_EQ(paths(kKey), std::vector<std::string>{kKey});
  EXPECT_EQ(sogou_ime_key(), "K9");
  ASSERT_EQ(w.组合框_云输入法.count(), 3);
  EXPECT_EQ(w.组合框_云输入法.item(2), "搜狗云输入法");
  EXPECT_EQ(w.组合框_云输入法.current(), 0);
  EXPECT_EQ(w.标签_上中.text(), "    QQ拼音云输入法");
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(cloud_input_icon(0)));
  EXPECT_EQ(qq_ime_prefix(), kQqPath);
  // The defaults, written back as the window opened; the on-by-default checks stay absent.
  EXPECT_EQ(w.组合框_拼音模式.text(), "混合");
  EXPECT_EQ(w.组合框_双拼风格.text(), "紫光拼音");
  EXPECT_EQ(config_read("云输入法设置", "输入方式"), "0");
  EXPECT_EQ(config_read("云输入法设置", "输出模式"), "0");
  EXPECT_EQ(config_read("云输入法设置", "拼音模式"), "3");
  EXPECT_EQ(config_read("云输入法设置", "双拼风格"), "4");
  for (rt::GraphicButton* b : {&w.超级按钮_开启模糊音, &w.超级按钮_调用引擎搜索, &w.超级按钮_顺便写到配置文件})
    EXPECT_EQ(check_button_state(*b, ButtonOp::Query), 1);
  EXPECT_EQ(w.超级按钮_调用引擎搜索.caption(), "同时调用搜搜搜索引擎");
  EXPECT_EQ(rt::tooltip_text(w.图形按钮_关闭小), "关闭云输入法窗口");
  EXPECT_EQ(rt::tooltip_text(w.超级按钮_调用引擎搜索),
            "同时调用搜搜搜索引擎\r\n调用搜索引擎的联想功能\r\n这样可以更快找到需要的\r\n词组！提高效率！");

  // Ctrl+Y while it is open brings the same window forward; the close button fades it out.
  ui_test::press_key(editor(), 'Y', rt::kCtrl);
  EXPECT_TRUE(w.loaded());
  EXPECT_EQ(paths(kKey).size(), 1u);
  ui_test::click(w.图形按钮_关闭小);
  EXPECT_FALSE(w.loaded());
  ui_test::press_key(editor(), 'Y', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([this] { return cw().loaded() && paths(kKey).size() == 2; }));
}

TEST_F(CloudInputTest, OfflineItSaysSoAndStaysClosed) {
  go_offline();
  std::vector<RecordedBox> boxes;
  record_message_boxes(&boxes, {kBoxOk});
  size_t before = requests();
  open_cloud_input_window();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "对不起，没有连接到互联网……");
  EXPECT_EQ(boxes[0].title_color, 0x8000u);
  EXPECT_EQ(boxes[0].text,
            "  请确认你已经连接到互联网，如果你没有正确连接到互联网将不能使用本功能，因为云输入是调用云服务器进行输入处理！\r\n");
  EXPECT_EQ(boxes[0].text_color, 0xFF00FFu);
  EXPECT_EQ(boxes[0].icon, 8);
  EXPECT_EQ(boxes[0].buttons, std::vector<int>{kBoxOk});
  EXPECT_EQ(boxes[0].row_top, 120);
  EXPECT_EQ(boxes[0].owner, hw(main_window().handle()));
  EXPECT_FALSE(cw().loaded());
  EXPECT_EQ(requests(), before);
}

TEST_F(CloudInputTest, EveryKeystrokeAsksWithThePinyinWithoutBlanks) {
  open_window();
  server_.set_route_reply(kQq, ok(qq_reply({"你", "呢", "尼"}), true));
  size_t before = paths(kQq).size();
  ui_test::type_text(box(), "ni");
  // Both queries run at once; either may reach the service first, and the list may come before
  // the other has arrived.
  ASSERT_TRUE(ui_test::wait_for([&] { return list().count() == 3 && paths(kQq).size() >= before + 2; }, 10000));
  std::vector<std::string> asked = paths(kQq);
  asked.erase(asked.begin(), asked.begin() + static_cast<long>(before));
  std::sort(asked.begin(), asked.end());
  EXPECT_EQ(asked, (std::vector<std::string>{kQqPath + "1&q=n", kQqPath + "1&q=ni"}));
  EXPECT_EQ(list_items(), (Items{"你", "呢", "尼"}));
  EXPECT_EQ(list().current(), 0);
  EXPECT_TRUE(cw().超级按钮_向上.visible());
  EXPECT_TRUE(cw().超级按钮_向下.visible());
  EXPECT_FALSE(cw().超级按钮_向下.disabled());
  EXPECT_EQ(rt::tooltip_text(box()), "ni");

  // A pasted pinyin with ASCII and full-width blanks goes without them, otherwise unencoded.
  ask("ni hao　'a", {"你", "呢", "尼"});
  EXPECT_EQ(paths(kQq).back(), kQqPath + "1&q=nihao'a");
  // Blanks only: no request, an empty list, no page buttons.
  before = requests();
  box().set_text("  ");
  ui_test::settle(200);
  EXPECT_EQ(requests(), before);
  EXPECT_EQ(list().count(), 0);
  EXPECT_FALSE(cw().超级按钮_向下.visible());
  // An empty or unparsable reply: an empty list and no page buttons, nothing said.
  server_.set_route_reply(kQq, ok("<html>busy</html>"));
  check_button_state(cw().超级按钮_调用引擎搜索, ButtonOp::Set, 0);
  ask("wo", {});
  EXPECT_FALSE(cw().超级按钮_向下.visible());
}

TEST_F(CloudInputTest, AReplyForAnOlderPinyinIsDropped) {
  open_window();
  rt::seams::hold_workers(true);
  box().set_text("n");
  box().set_text("ni");
  ASSERT_EQ(rt::seams::held_worker_count(), 2);
  // The older query answers first: its candidates never show.
  server_.set_route_reply(kQq, ok(qq_reply({"呢"}), true));
  size_t before = paths(kQq).size();
  rt::seams::release_held_worker();
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before; }));
  ui_test::settle(300);
  EXPECT_EQ(list().count(), 0);
  server_.set_route_reply(kQq, ok(qq_reply({"你"}), true));
  rt::seams::release_held_worker();
  ASSERT_TRUE(ui_test::wait_for([] { return list_items() == Items{"你"}; }, 10000));
  EXPECT_EQ(paths(kQq).back(), kQqPath + "1&q=ni");

  // A query whose window closed meanwhile is dropped, and the next window starts empty.
  box().set_text("hao");
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  ui_test::click(cw().图形按钮_关闭小);
  ASSERT_FALSE(cw().loaded());
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() == before + 3; }));
  ui_test::settle(300);
  EXPECT_FALSE(cw().loaded());
  open_window();
  EXPECT_EQ(list().count(), 0);
}

TEST_F(CloudInputTest, AnOlderReplyThatFinishesLastIsDropped) {
  open_window();
  // QQ answers slowly; Baidu, asked after it, from a second server at once.
  LocalHttpServer baidu;
  point_web_host(WebHost::kBaiduCloudInput, baidu.host());
  baidu.set_route_reply(kBaidu, ok(baidu_reply({"百度"})));
  server_.set_route_reply(kQq, ok(qq_reply({"腾讯"}), true));
  server_.set_reply(ok("hello"), 6, 100);
  size_t before = paths(kQq).size();
  box().set_text("ni");
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before; }));
  pick(cw().组合框_云输入法, 1);
  ASSERT_TRUE(ui_test::wait_for([] { return list_items() == Items{"百度"}; }, 10000));
  // The server answers in turn: once this answer is through, so is the slow one.
  std::thread([this] { rt::http_get(server_.address("/after")); }).join();
  ui_test::settle(500);
  EXPECT_EQ(list_items(), Items{"百度"});
  point_web_host(WebHost::kBaiduCloudInput, server_.host());
}

TEST_F(CloudInputTest, EachServiceAnswersInItsShapeAndTheSuggestionsStandIn) {
  open_window();
  CloudInputWindowForm& w = cw();
  rt::ComboBox* qq_only[] = {&w.组合框_输入方式, &w.组合框_输出模式切换, &w.组合框_拼音模式, &w.组合框_双拼风格};

  // QQ: UTF-8, the fallback Soso suggestions when it has nothing.
  server_.set_route_reply(kQq, ok(qq_reply({"你好", "拟好"}), true));
  ask("nihao", {"你好", "拟好"});
  server_.set_route_reply(kQq, ok(qq_reply({}), true));
  server_.set_route_reply(kSoso, ok("nihao\r\n0\t你好吗\t0\t你好啊\t0\r\n"));
  ask("ni hao", {"你好吗", "你好啊"}, kSoso);
  EXPECT_EQ(paths(kSoso).back(), "/wh.q?w=ni%20hao");
  EXPECT_TRUE(w.超级按钮_向下.visible());
  // The fallback switched off is stored and no longer asked.
  ui_test::click(w.超级按钮_调用引擎搜索);
  EXPECT_EQ(config_read("云输入法设置", "同时调用搜搜搜索引擎"), "假");
  size_t soso = paths(kSoso).size();
  ask("nihaoa", {});
  EXPECT_EQ(paths(kSoso).size(), soso);
  EXPECT_FALSE(w.超级按钮_向下.visible());
  ui_test::click(w.超级按钮_调用引擎搜索);
  EXPECT_EQ(config_read("云输入法设置", "同时调用搜搜搜索引擎"), "");

  // Baidu: its own title, icon and fallback caption, the QQ settings off, the choice stored.
  server_.set_route_reply(kBaidu, ok(baidu_reply({"你好", "泥嚎"})));
  size_t before = paths(kBaidu).size();
  pick(w.组合框_云输入法, 1);
  ASSERT_TRUE(ui_test::wait_for([] { return list_items() == Items{"你好", "泥嚎"}; }, 10000));
  EXPECT_EQ(paths(kBaidu)[before], "/py?py=nihaoa&rn=0&pn=20&t=1296640820739");
  EXPECT_EQ(config_read("云输入法设置", "默认使用的云输入法"), "1");
  EXPECT_EQ(w.标签_上中.text(), "    百度云输入法");
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(cloud_input_icon(2)));
  EXPECT_EQ(w.超级按钮_调用引擎搜索.caption(), "同时调用百度搜索引擎");
  EXPECT_EQ(rt::tooltip_text(w.组合框_云输入法), "百度云输入法");
  for (rt::ComboBox* c : qq_only) EXPECT_TRUE(c->disabled());
  server_.set_route_reply(kBaidu, ok("Baidu Online IME"));
  server_.set_route_reply(kBaiduSuggest, ok("window.bdsug.sug({q:\"ni hao\",p:false,s:[\"你好世界\",\"你好李焕英\"]});"));
  ask("ni hao", {"你好世界", "你好李焕英"}, kBaiduSuggest);
  EXPECT_EQ(paths(kBaiduSuggest).back(), "/su?wd=ni%20hao&p=3&cb=window.bdsug.sug&t=1296640973605");

  // Sogou: percent-encoded UTF-8 with weights; with nothing found its suggestions always stand
  // in, even with the fallback off.
  server_.set_route_reply(kSogou, ok(sogou_reply({"你好", "妮好"})));
  pick(w.组合框_云输入法, 2);
  ASSERT_TRUE(ui_test::wait_for([] { return list_items() == Items{"你好", "妮好"}; }, 10000));
  EXPECT_EQ(paths(kSogou).back(), "/api/py?key=K9&query=nihao");
  EXPECT_EQ(config_read("云输入法设置", "默认使用的云输入法"), "2");
  EXPECT_EQ(w.标签_上中.text(), "    搜狗云输入法");
  EXPECT_EQ(w.超级按钮_调用引擎搜索.caption(), "同时调用搜狗搜索引擎");
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(cloud_input_icon(3)));
  ui_test::click(w.超级按钮_调用引擎搜索);
  ASSERT_EQ(check_button_state(w.超级按钮_调用引擎搜索, ButtonOp::Query), 0);
  server_.set_route_reply(kSogou, ok("ime_callback(\"\",\"nihao\")"));
  server_.set_route_reply(kSogouSuggest, ok("window.sogou.sug([\"nihao\",[\"你好啊\",\"你好吗\"]],-1);"));
  ask("ni hao a", {"你好啊", "你好吗"}, kSogouSuggest);
  EXPECT_EQ(paths(kSogouSuggest).back(), "/sugg/ajaj_json.jsp?key=ni%20hao%20a&type=web&pr=web");

  // Back to QQ: its settings on again, the key removed.
  pick(w.组合框_云输入法, 0);
  EXPECT_EQ(config_read("云输入法设置", "默认使用的云输入法"), "");
  EXPECT_EQ(w.标签_上中.text(), "    QQ拼音云输入法");
  EXPECT_EQ(w.超级按钮_调用引擎搜索.caption(), "同时调用搜搜搜索引擎");
  for (rt::ComboBox* c : qq_only) EXPECT_FALSE(c->disabled());
}

TEST_F(CloudInputTest, AStoredEngineComesBackAndSogouIsOfferedOnlyWithAKey) {
  config_set_index(cfg::云输入法设置::默认使用的云输入法, 2);
  server_.set_route_reply(kSogou, ok(sogou_reply({"搜狗"})));
  open_window();
  EXPECT_EQ(cw().组合框_云输入法.current(), 2);
  EXPECT_EQ(cw().标签_上中.text(), "    搜狗云输入法");
  ask("sou", {"搜狗"}, kSogou);
  ui_test::click(cw().图形按钮_关闭小);

  // No key: QQ shows, and the stored choice stays for a later start.
  server_.set_route_reply(kKey, ok("no key here"));
  open_window();
  EXPECT_EQ(cw().组合框_云输入法.count(), 2);
  EXPECT_EQ(cw().组合框_云输入法.current(), 0);
  EXPECT_EQ(sogou_ime_key(), "");
  EXPECT_EQ(cw().标签_上中.text(), "    QQ拼音云输入法");
  EXPECT_EQ(config_read("云输入法设置", "默认使用的云输入法"), "2");
}

TEST_F(CloudInputTest, PagingStepsThroughThePagesAndUndoesAStepThatFails) {
  open_window();
  CloudInputWindowForm& w = cw();
  pick(w.组合框_云输入法, 1);
  ASSERT_TRUE(ui_test::wait_for([] { return cw().标签_上中.text() == "    百度云输入法"; }));
  server_.set_route_reply(kBaidu, ok(baidu_reply({"第一页"})));
  ask("ni hao", {"第一页"}, kBaidu);
  server_.set_route_reply(kBaidu, ok(baidu_reply({"第二页", "第二页二"})));
  click_page(true, kBaidu, paths(kBaidu).size());
  EXPECT_EQ(paths(kBaidu).back(), "/py?py=nihao&rn=20&pn=20&t=1296640820739");
  EXPECT_EQ(list_items(), (Items{"第二页", "第二页二"}));
  EXPECT_EQ(list().current(), 0);
  EXPECT_EQ(cloud_ime_page(), 20);
  EXPECT_FALSE(w.超级按钮_向上.disabled());
  EXPECT_FALSE(w.超级按钮_向下.disabled());
  server_.set_route_reply(kBaidu, ok(baidu_reply({"第一页"})));
  click_page(false, kBaidu, paths(kBaidu).size());
  EXPECT_EQ(paths(kBaidu).back(), "/py?py=nihao&rn=0&pn=20&t=1296640820739");
  EXPECT_EQ(cloud_ime_page(), 0);
  // Before the first page: asked, shown, and yet the button goes off and the page stays 0.
  server_.set_route_reply(kBaidu, ok(baidu_reply({"负页"})));
  click_page(false, kBaidu, paths(kBaidu).size());
  EXPECT_EQ(paths(kBaidu).back(), "/py?py=nihao&rn=-20&pn=20&t=1296640820739");
  EXPECT_EQ(list_items(), Items{"负页"});
  EXPECT_TRUE(w.超级按钮_向上.disabled());
  EXPECT_EQ(cloud_ime_page(), 0);
  // A page with nothing keeps the list and turns its button off.
  server_.set_route_reply(kBaidu, ok(baidu_reply({})));
  click_page(true, kBaidu, paths(kBaidu).size());
  EXPECT_EQ(list_items(), Items{"负页"});
  EXPECT_TRUE(w.超级按钮_向下.disabled());
  EXPECT_EQ(cloud_ime_page(), 0);

  // QQ, by keys: PgDn and Ctrl+= in the box, "-" in the list; a new pinyin starts at page 1.
  pick(w.组合框_云输入法, 0);
  server_.set_route_reply(kQq, ok(qq_reply({"一"}), true));
  ask("yi", {"一"});
  size_t before = paths(kQq).size();
  ui_test::press_key(box(), VK_NEXT);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before && !cloud_ime_request_pending(); }));
  EXPECT_EQ(paths(kQq).back(), kQqPath + "2&q=yi");
  ui_test::settle(50);
  before = paths(kQq).size();
  ui_test::press_key(box(), 187, rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before && !cloud_ime_request_pending(); }));
  EXPECT_EQ(paths(kQq).back(), kQqPath + "3&q=yi");
  ui_test::settle(50);
  before = paths(kQq).size();
  ui_test::press_key(list(), 189);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before && !cloud_ime_request_pending(); }));
  EXPECT_EQ(paths(kQq).back(), kQqPath + "2&q=yi");
  ask("yin", {"一"});
  EXPECT_EQ(paths(kQq).back(), kQqPath + "1&q=yin");
  EXPECT_EQ(cloud_ime_page(), 1);
  before = paths(kQq).size();
  ui_test::press_key(box(), VK_NEXT);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() > before; }));
  EXPECT_EQ(paths(kQq).back(), kQqPath + "2&q=yin");
}

TEST_F(CloudInputTest, ACandidateGoesIntoTheEditBoxAtTheCaret) {
  editor().set_text("AB");
  editor().select(1, 0);
  open_window();
  server_.set_route_reply(kQq, ok(qq_reply({"你好", "拟好"}), true));
  ask("nihao", {"你好", "拟好"});
  // Down moves the list's selection (round), Enter inserts it and empties the box.
  ui_test::press_key(box(), VK_DOWN);
  EXPECT_TRUE(list().has_focus());
  EXPECT_EQ(list().current(), 1);
  EXPECT_EQ(rt::tooltip_text(list()), "拟好");
  ui_test::press_key(box(), VK_DOWN);
  EXPECT_EQ(list().current(), 0);
  ui_test::press_key(box(), VK_UP);
  EXPECT_EQ(list().current(), 1);
  ui_test::press_key(list(), VK_RETURN);
  EXPECT_EQ(editor().text(), "A拟好B");
  EXPECT_TRUE(pages()[0].modified);
  EXPECT_EQ(box().text(), "");
  EXPECT_TRUE(box().has_focus());
  EXPECT_EQ(list().count(), 0);
  // The window follows the caret: left at caret x + font size, top at caret y + half its
  // height + font size.
  editor().set_focus();
  rt::Point caret = rt::caret_screen_position();
  int size = editor().font().size;
  EXPECT_EQ(cw().left(), caret.x + size);
  EXPECT_EQ(cw().top(), caret.y + cw().height() / 2 + size);

  // Space in the box takes the first; a selection in the edit box is replaced.
  editor().select(0, 1);
  ask("ni", {"你好", "拟好"});
  ui_test::press_key(box(), VK_SPACE);
  EXPECT_EQ(editor().text(), "你好拟好B");
  EXPECT_EQ(box().text(), "");
  // A double click on a candidate.
  ask("ni", {"你好", "拟好"});
  RECT r{};
  SendMessageW(hw(list().handle()), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  list().set_current(1);
  ui_test::double_click(list(), r.left + 5, r.top + 3);
  EXPECT_EQ(editor().text(), "你好拟好拟好B");
  // Nothing selected: Enter inserts nothing (no empty candidate replaces a selection).
  editor().select(0, 2);
  ask("ni", {"你好", "拟好"});
  list().set_current(-1);
  ui_test::press_key(list(), VK_RETURN);
  EXPECT_EQ(editor().text(), "你好拟好拟好B");
}

TEST_F(CloudInputTest, TheBoxKeysMoveBetweenTheBoxAndTheEditBox) {
  open_window();
  server_.set_route_reply(kQq, ok(qq_reply({}), true));
  check_button_state(cw().超级按钮_调用引擎搜索, ButtonOp::Set, 0);
  // Space and Enter in an empty box go to the edit box.
  ui_test::press_key(box(), VK_SPACE);
  EXPECT_TRUE(editor().has_focus());
  ui_test::press_key(box(), VK_RETURN);
  EXPECT_TRUE(editor().has_focus());
  EXPECT_EQ(editor().text(), "");
  // Backspace deletes in the box, and from an empty one goes to the edit box.
  ask("ab", {});
  ui_test::press_key(box(), VK_BACK);
  EXPECT_EQ(box().text(), "a");
  ui_test::press_key(box(), VK_BACK);
  EXPECT_EQ(box().text(), "");
  ui_test::press_key(box(), VK_BACK);
  EXPECT_TRUE(editor().has_focus());
  // Space with no candidates empties the box; Backspace in the list returns to the box.
  ask("zz", {});
  ui_test::press_key(box(), VK_SPACE);
  EXPECT_EQ(box().text(), "");
  ui_test::press_key(list(), VK_BACK);
  EXPECT_TRUE(box().has_focus());
  // While a query is on its way, Space leaves the box as it is.
  rt::seams::hold_workers(true);
  box().set_text("zzz");
  ui_test::press_key(box(), VK_SPACE);
  EXPECT_EQ(box().text(), "zzz");
  rt::seams::hold_workers(false);
}

TEST_F(CloudInputTest, TheSettingsChangeThePrefixAndAreStored) {
  open_window();
  CloudInputWindowForm& w = cw();
  ui_test::click(w.超级按钮_设置);
  EXPECT_EQ(w.width(), 456);
  EXPECT_EQ(w.图形按钮_关闭小.left(), 456 - 23);
  EXPECT_TRUE(w.分组框_设置.visible());
  EXPECT_TRUE(w.组合框_双拼风格.visible());
  EXPECT_TRUE(w.超级按钮_设置.normal_picture().same_image(cloud_settings_button_pictures(true)[0]));
  EXPECT_EQ(w.标签_右上.left(), 456 - w.标签_右上.width());

  server_.set_route_reply(kQq, ok(qq_reply({"五"}), true));
  ask("gg", {"五"});
  // Wubi: its own path and title, four characters at most.
  size_t before = paths(kQq).size();
  pick(w.组合框_输入方式, 1);
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kQq).size() == before + 1; }));
  EXPECT_EQ(paths(kQq).back(), "/fcgi-bin/gwb?&mh=1&jf=0&md=3&st=4&p=1&q=gg");
  EXPECT_EQ(w.标签_上中.text(), "    QQ五笔云输入法");
  EXPECT_TRUE(w.图形按钮_程序图标.normal_picture().same_image(cloud_input_icon(1)));
  EXPECT_EQ(config_read("云输入法设置", "输入方式"), "1");
  EXPECT_EQ(rt::tooltip_text(w.组合框_输入方式), "五笔输入法");
  EXPECT_EQ(box().max_length(), 4);
  box().set_text("");
  ui_test::type_text(box(), "abcdef");
  EXPECT_EQ(box().text(), "abcd");
  pick(w.组合框_输入方式, 0);
  EXPECT_EQ(box().max_length(), 64);

  // 全拼 turns the shuangpin styles off; every choice is stored at once.
  pick(w.组合框_拼音模式, 0);
  EXPECT_TRUE(w.组合框_双拼风格.disabled());
  EXPECT_EQ(config_read("云输入法设置", "拼音模式"), "1");
  pick(w.组合框_拼音模式, 1);
  EXPECT_FALSE(w.组合框_双拼风格.disabled());
  pick(w.组合框_双拼风格, 4);
  EXPECT_EQ(config_read("云输入法设置", "双拼风格"), "5");
  pick(w.组合框_输出模式切换, 1);
  EXPECT_EQ(config_read("云输入法设置", "输出模式"), "1");
  EXPECT_EQ(qq_ime_prefix(), "/fcgi-bin/getword?&mh=1&jf=1&md=2&st=5&p=");
  // Fuzzy pinyin: the prefix, stored as "假" when off, removed when on; no new query.
  ASSERT_TRUE(ui_test::wait_for([&] {
    std::vector<std::string> asked = paths(kQq);
    return !cloud_ime_request_pending() &&
           std::any_of(asked.begin(), asked.end(), [](const std::string& p) { return p.find("&jf=1") != p.npos; });
  }));
  ui_test::settle(300);
  before = requests();
  ui_test::click(w.超级按钮_开启模糊音);
  EXPECT_EQ(qq_ime_prefix(), "/fcgi-bin/getword?&mh=0&jf=1&md=2&st=5&p=");
  EXPECT_EQ(config_read("云输入法设置", "开启模糊音"), "假");
  ui_test::click(w.超级按钮_顺便写到配置文件);
  EXPECT_EQ(config_read("云输入法设置", "写云输入法配置到配置文件"), "假");
  ui_test::settle(200);
  EXPECT_EQ(requests(), before);

  // Closed again: narrow, and the next window reads it all back.
  ui_test::click(w.超级按钮_设置);
  EXPECT_EQ(w.width(), 234);
  EXPECT_FALSE(w.分组框_设置.visible());
  ui_test::click(w.图形按钮_关闭小);
  open_window();
  EXPECT_EQ(w.组合框_拼音模式.text(), "双拼");
  EXPECT_EQ(w.组合框_双拼风格.text(), "小鹤双拼");
  EXPECT_EQ(w.组合框_输出模式切换.text(), "繁体模式");
  EXPECT_EQ(check_button_state(w.超级按钮_开启模糊音, ButtonOp::Query), 0);
  EXPECT_EQ(check_button_state(w.超级按钮_顺便写到配置文件, ButtonOp::Query), 0);
  EXPECT_EQ(qq_ime_prefix(), "/fcgi-bin/getword?&mh=0&jf=1&md=2&st=5&p=");
}

TEST_F(CloudInputTest, TheChecksAreOnOnlyWhileTheirKeysAreAbsentOrEmpty) {
  const struct {
    const char* value;  // nullptr: absent
    int on;
  } cases[] = {{nullptr, 1}, {"", 1}, {"假", 0}, {"真", 0}, {"0", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(absent)");
    config_delete("云输入法设置", "开启模糊音");
    if (c.value) config_write("云输入法设置", "开启模糊音", c.value);
    open_window();
    EXPECT_EQ(check_button_state(cw().超级按钮_开启模糊音, ButtonOp::Query), c.on);
    EXPECT_EQ(qq_ime_prefix().find(c.on ? "&mh=1" : "&mh=0") != std::string::npos, true);
    ui_test::click(cw().图形按钮_关闭小);
  }
}

TEST_F(CloudInputTest, StartUpOpensItWhenAskedAndTheExitFadesItOut) {
  main_window().destroy();
  config_set_flag(cfg::云输入法设置::程序启动时自动打开云输入法, true);
  init_globals();
  ASSERT_TRUE(main_window().load());
  ASSERT_TRUE(ui_test::wait_for(
      [] { return cw().loaded() && cw().alpha() == options().window_alpha && main_window().visible(); }, 15000));
  EXPECT_EQ(GetWindow(hw(cw().handle()), GW_OWNER), hw(main_window().handle()));
  release_main_window();
  EXPECT_FALSE(cw().visible() && cw().alpha() > 0);
}

TEST_F(CloudInputTest, Screenshot) {
  editor().set_text("今天的天气");
  editor().select(5, 0);
  open_window();
  ui_test::click(cw().超级按钮_设置);
  server_.set_route_reply(kQq, ok(qq_reply({"很好", "很", "恨", "狠", "痕", "亨"}), true));
  ask("henhao", {"很好", "很", "恨", "狠", "痕", "亨"});
  box().set_focus();
  ui_test::screenshot("cloud_input_window");
  EXPECT_TRUE(ui_test::layout_is_sound(cw()));
}

}  // namespace
