// The web search of the mini-mode bar against the real windows under Wine: suggestions asked
// of each engine's service (a server of the test's own on 127.0.0.1) and shown in the popup by
// the keyword box, replies for an older keyword dropped, the engine menu, the keys and the
// focus, and the result pages opened in the browser (recorded instead of run).
#include "web/web_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/mini_art.h"
#include "layout_check.h"
#include "mini_test.h"
#include "options/config.h"
#include "runtime/internet.h"
#include "runtime/system.h"
#include "runtime/tooltip.h"

namespace {

using Items = std::vector<std::string>;

constexpr char kBaidu[] = "/su?", kSoso[] = "/wh.q?", kSogou[] = "/sugg/";
const std::string kBaiduTail = "&p=3&cb=window.bdsug.sug&t=1296640973605";

// The services' replies, in their shapes.
std::string baidu_reply(const std::string& q, const Items& items) {
  std::string list;
  for (const std::string& i : items) list += (list.empty() ? "\"" : ",\"") + i + "\"";
  return "window.bdsug.sug({q:\"" + q + "\",p:false,s:[" + list + "]});";
}

Items suggestions() {
  Items items;
  rt::ListBox& list = popup().列表框_取到提示;
  for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i));
  return items;
}

class WebSearchTest : public MiniModeTest {
 protected:
  void SetUp() override {
    MiniModeTest::SetUp();
    // Away from the bar: a pointer over the popup's list keeps it open when the box loses focus.
    SetCursorPos(0, rt::screen_height() / 2);
  }
  // The box's text as a paste brings it, and the suggestions that come for it.
  void ask(const std::string& text, const Items& expected, const char* service = kBaidu) {
    size_t before = paths(service).size();
    keyword().set_text(text);
    ASSERT_TRUE(ui_test::wait_for(
        [&] { return paths(service).size() > before && !suggestion_queries_running() && suggestions() == expected; },
        10000))
        << "list: " << suggestions().size();
  }
  // The pages opened in the browser, in order.
  static std::vector<std::string> opened() {
    std::vector<std::string> out;
    for (const rt::seams::Launch& l : rt::seams::launches()) out.push_back(l.file);
    return out;
  }
  // The engine menu from the engine button, its item with this caption chosen; the title
  // texts the highlighted items showed meanwhile.
  std::vector<std::string> choose_from_menu(const char* caption) {
    std::vector<std::string> titles;
    auto highlighted = mini().超级菜单.on_highlighted;
    mini().超级菜单.on_highlighted = [&titles, highlighted](rt::MenuItem& item) {
      highlighted(item);
      titles.push_back(mini().标签_上中.text());
    };
    rt::seams::set_menu_hook([caption](rt::PopupMenu& m) {
      EXPECT_EQ(m.open_menu()->caption, "搜索引擎选择");
      EXPECT_TRUE(m.choose(caption));
    });
    ui_test::click(mini().图形按钮_搜索引擎);
    rt::seams::set_menu_hook(nullptr);
    mini().超级菜单.on_highlighted = highlighted;
    return titles;
  }
};

TEST_F(WebSearchTest, TypingAsksTheEngineAndTheSuggestionsShowUnderTheBox) {
  enter();
  server_.set_route_reply(kBaidu, ok(baidu_reply("ni", {"你好", "你们", ""})));
  ui_test::type_text(keyword(), "ni");
  ASSERT_TRUE(ui_test::wait_for([] { return popup().visible() && !suggestion_queries_running(); }, 10000));
  // A query per keystroke; either may reach the service first.
  Items asked = paths(kBaidu);
  std::sort(asked.begin(), asked.end());
  EXPECT_EQ(asked, (Items{"/su?wd=n" + kBaiduTail, "/su?wd=ni" + kBaiduTail}));
  EXPECT_EQ(suggestions(), (Items{"你好", "你们"}));
  EXPECT_FALSE(mini().图形按钮_正常模式.disabled());
  EXPECT_EQ(rt::tooltip_text(keyword()), "ni");
  EXPECT_EQ(rt::tooltip_text(mini().图形按钮_搜索), "搜索:\"ni\"");
  // Under the box, the list a pixel over the popup's top edge.
  EXPECT_EQ(popup().left(), mini().left() + keyword().left());
  EXPECT_EQ(popup().top(), mini().top() + keyword().top() + keyword().height());
  EXPECT_EQ(popup().列表框_取到提示.top(), -1);
  EXPECT_EQ(popup().alpha(), 255);

  // A keyword the service has nothing for hides the popup; an empty box empties it.
  server_.set_route_reply(kBaidu, ok(baidu_reply("nix", {})));
  ask("nix", {});
  EXPECT_FALSE(popup().visible());
  server_.set_route_reply(kBaidu, ok(baidu_reply("ni", {"你好"})));
  ask("ni", {"你好"});
  EXPECT_TRUE(popup().visible());
  size_t before = requests();
  keyword().set_text("");
  ui_test::settle(200);
  EXPECT_EQ(requests(), before);
  EXPECT_FALSE(popup().visible());
  EXPECT_EQ(popup().列表框_取到提示.count(), 0);
  EXPECT_EQ(rt::tooltip_text(keyword()), "");
  EXPECT_EQ(rt::tooltip_text(mini().图形按钮_搜索), "");

  // Near the screen's bottom the popup goes over the box.
  move_bar(400, rt::screen_height() - 120);
  ASSERT_EQ(mini().top(), rt::screen_height() - 120);
  EXPECT_EQ(popup().top(), mini().top() + keyword().top() - popup().height());
  EXPECT_EQ(popup().列表框_取到提示.top(), 1);
}

TEST_F(WebSearchTest, AReplyForAnOlderKeywordIsDropped) {
  enter();
  rt::GraphicButton& normal = mini().图形按钮_正常模式;
  server_.set_route_reply(kBaidu, ok(baidu_reply("n", {"呢"})));
  rt::seams::hold_workers(true);
  keyword().set_text("n");
  keyword().set_text("ni");
  ASSERT_EQ(rt::seams::held_worker_count(), 2);
  EXPECT_TRUE(normal.disabled());
  // The older keyword's reply comes first: dropped, and the newer query still keeps the bar.
  size_t before = paths(kBaidu).size();
  rt::seams::release_held_worker();
  ASSERT_TRUE(ui_test::wait_for([&] { return paths(kBaidu).size() > before; }));
  ui_test::settle(300);
  EXPECT_EQ(popup().列表框_取到提示.count(), 0);
  EXPECT_FALSE(popup().visible());
  EXPECT_TRUE(normal.disabled());
  server_.set_route_reply(kBaidu, ok(baidu_reply("ni", {"你好"})));
  rt::seams::release_held_worker();
  ASSERT_TRUE(ui_test::wait_for([] { return suggestions() == Items{"你好"} && !suggestion_queries_running(); }));
  EXPECT_TRUE(popup().visible());
  EXPECT_FALSE(normal.disabled());

  // A slow reply for an older keyword that ends last is dropped too: the older query goes to a
  // server that answers in small pieces, the newer one to the quick one.
  LocalHttpServer slow;
  slow.set_route_reply(kBaidu, ok(baidu_reply("nih", {"旧的提示"})));
  slow.set_reply(ok("hello"), 8, 100);
  point_web_host(WebHost::kBaiduSuggestions, slow.host());
  keyword().set_text("nih");
  ASSERT_EQ(rt::seams::held_worker_count(), 1);
  rt::seams::release_held_worker();
  ASSERT_TRUE(slow.wait_for_requests(1));
  point_web_host(WebHost::kBaiduSuggestions, server_.host());
  server_.set_route_reply(kBaidu, ok(baidu_reply("niha", {"你好啊"})));
  keyword().set_text("niha");
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([] { return suggestions() == Items{"你好啊"}; }, 10000));
  EXPECT_TRUE(normal.disabled());
  ASSERT_TRUE(ui_test::wait_for([] { return !suggestion_queries_running(); }, 15000));
  ui_test::settle(100);
  EXPECT_EQ(suggestions(), Items{"你好啊"});
  EXPECT_FALSE(normal.disabled());
}

TEST_F(WebSearchTest, TheEngineMenuChoosesTheEngineAndItsService) {
  enter();
  MiniWindowForm& m = mini();
  EXPECT_EQ(search_engine_number(), 1);
  EXPECT_EQ(m.标签_提示搜索引擎.text(), "百度");
  EXPECT_TRUE(m.图形按钮_搜索引擎.normal_picture().same_image(m.超级菜单.image_on(0, kKeywordFieldColor)));
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_搜索引擎), "当前使用搜索引擎为：百度\r\n单击更换其他搜索引擎");

  struct Case {
    const char* caption;
    int engine;
    const char* hint;
    const char* service;
    std::string reply;
    std::string path;  // what the service is asked for "天气"
  };
  const Case cases[] = {
      {"搜搜", 2, "  使用SOSO搜索引擎搜索", kSoso, "天气\r\n0\t天气预报\t0\t天气网\t0\r\n",
       "/wh.q?w=%E5%A4%A9%E6%B0%94"},
      {"搜狗", 3, "  使用搜狗搜索引擎搜索", kSogou, "window.sogou.sug([\"天气\",[\"天气预报\",\"天气网\"]],-1);",
       "/sugg/ajaj_json.jsp?key=%E5%A4%A9%E6%B0%94&type=web&pr=web"},
      {"百度", 1, "  使用百度搜索引擎搜索", kBaidu, baidu_reply("天气", {"天气预报", "天气网"}),
       "/su?wd=%E5%A4%A9%E6%B0%94" + kBaiduTail},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    keyword().set_text("");
    std::vector<std::string> titles = choose_from_menu(c.caption);
    // The highlighted item named its engine in the title; the closed menu gave the title back.
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), c.hint);
    EXPECT_EQ(m.标签_上中.text(), "  Velmora迷你模式");
    EXPECT_EQ(search_engine_number(), c.engine);
    EXPECT_EQ(m.标签_提示搜索引擎.text(), c.caption);
    EXPECT_TRUE(m.图形按钮_搜索引擎.normal_picture().same_image(m.超级菜单.image_on(c.engine - 1, kKeywordFieldColor)));
    const std::string tip = std::string("当前使用搜索引擎为：") + c.caption + "\r\n单击更换其他搜索引擎";
    EXPECT_EQ(rt::tooltip_text(m.图形按钮_搜索引擎), tip);
    EXPECT_EQ(rt::tooltip_text(m.图形按钮_下拉), tip);
    server_.set_route_reply(c.service, ok(c.reply));
    ask("天气", {"天气预报", "天气网"}, c.service);
    EXPECT_EQ(paths(c.service).back(), c.path);
  }

  // A new engine asks again for the keyword in the box.
  server_.set_route_reply(kSoso, ok("x\r\n0\t天气搜搜\t0\r\n"));
  size_t soso = paths(kSoso).size();
  choose_from_menu("搜搜");
  ASSERT_TRUE(ui_test::wait_for([] { return suggestions() == Items{"天气搜搜"}; }, 10000));
  EXPECT_EQ(paths(kSoso).size(), soso + 1);

  // Google has no suggestions: nothing is asked and the popup goes.
  choose_from_menu("谷歌");
  EXPECT_EQ(rt::tooltip_text(m.图形按钮_下拉),
            "当前使用搜索引擎为：谷歌\r\n谷歌搜索引擎没有提示功能\r\n单击更换其他搜索引擎");
  size_t before = requests();
  ui_test::type_text(keyword(), "g");
  ASSERT_TRUE(ui_test::wait_for([] { return !suggestion_queries_running(); }, 10000));
  ui_test::settle(200);
  EXPECT_EQ(requests(), before);
  EXPECT_FALSE(popup().visible());

  // The arrow opens the menu too, at the engine button's left under it.
  RECT shown{};
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    if (HWND p = FindWindowW(L"#32768", nullptr)) GetWindowRect(p, &shown);
    menu.press_key(VK_ESCAPE);
  });
  ui_test::right_click(m.图形按钮_下拉);
  rt::seams::set_menu_hook(nullptr);
  EXPECT_EQ(shown.left, m.left() + m.图形按钮_搜索引擎.left());
  EXPECT_EQ(shown.top, m.top() + m.图形按钮_搜索引擎.top() + m.图形按钮_搜索引擎.height());
}

TEST_F(WebSearchTest, TheStoredEngineIsTheFirstOne) {
  config_set_index(cfg::迷你模式设置::默认启用搜索引擎, 2);
  enter();
  EXPECT_EQ(search_engine_number(), 3);
  EXPECT_EQ(mini().标签_提示搜索引擎.text(), "搜狗");
}

TEST_F(WebSearchTest, EnterOrTheButtonOpensTheResultPageOfTheKeywordOrTheChosenSuggestion) {
  enter();
  server_.set_route_reply(kBaidu, ok(baidu_reply("C#", {"C#教程", "C#入门", "C#语言"})));
  ask("C#", {"C#教程", "C#入门", "C#语言"});
  // Nothing selected: the keyword, encoded.
  ui_test::press_key(keyword(), VK_RETURN);
  EXPECT_EQ(opened(), Items{server_.address("/s?wd=C%23")});
  EXPECT_EQ(rt::seams::launches().back().verb, "open");
  // Down and Up go round the list.
  rt::ListBox& list = popup().列表框_取到提示;
  struct Key {
    int key, selected;
  };
  for (Key k : {Key{VK_DOWN, 0}, Key{VK_DOWN, 1}, Key{VK_DOWN, 2}, Key{VK_DOWN, 0}, Key{VK_UP, 2}, Key{VK_UP, 1}}) {
    ui_test::press_key(keyword(), k.key);
    EXPECT_EQ(list.current(), k.selected);
  }
  // Enter now searches the selected suggestion, written into the box without a new query.
  size_t before = paths(kBaidu).size();
  ui_test::press_key(keyword(), VK_RETURN);
  EXPECT_EQ(opened().back(), server_.address("/s?wd=C%23%E5%85%A5%E9%97%A8"));
  EXPECT_EQ(keyword().text(), "C#入门");
  EXPECT_FALSE(popup().visible());
  ui_test::settle(300);
  EXPECT_EQ(paths(kBaidu).size(), before);
  EXPECT_EQ(suggestions_enabled(), 1);
  // The next character asks again.
  server_.set_route_reply(kBaidu, ok(baidu_reply("C#入门x", {"C#入门x"})));
  keyword().select(keyword().text_length(), 0);
  ui_test::type_text(keyword(), "x");
  ASSERT_TRUE(ui_test::wait_for([] { return suggestions() == Items{"C#入门x"} && popup().visible(); }, 10000));
  EXPECT_EQ(paths(kBaidu).back(), "/su?wd=C%23%E5%85%A5%E9%97%A8x" + kBaiduTail);

  // A click on a suggestion searches it.
  ui_test::click(list, 20, 4);
  EXPECT_EQ(opened().back(), server_.address("/s?wd=C%23%E5%85%A5%E9%97%A8x"));
  EXPECT_FALSE(popup().visible());
  // The search button with the popup gone: the keyword; another engine, its own page.
  choose_engine(SearchEngine::kGoogle);
  keyword().set_text("a&b");
  ui_test::click(mini().图形按钮_搜索);
  EXPECT_EQ(opened().back(), server_.address("/search?&q=a%26b"));
}

TEST_F(WebSearchTest, TheFirstClickSelectsTheKeywordAndLeavingTheBoxHidesThePopup) {
  enter();
  MiniWindowForm& m = mini();
  // Before the box has the focus the hint names the engine.
  EXPECT_TRUE(m.标签_提示搜索引擎.visible());
  server_.set_route_reply(kBaidu, ok(baidu_reply("abc", {"abcd"})));
  ask("abc", {"abcd"});
  ASSERT_TRUE(popup().visible());
  ui_test::click(keyword(), 20, 5);
  EXPECT_TRUE(keyword().has_focus());
  EXPECT_FALSE(m.标签_提示搜索引擎.visible());
  EXPECT_EQ(keyword().selection_start(), 0);
  EXPECT_EQ(keyword().selection_length(), 3);
  ui_test::click(keyword(), 20, 5);
  EXPECT_EQ(keyword().selection_length(), 0);

  // The pointer over the list: the focus may go (a press on a suggestion takes it first).
  ui_test::move_pointer(ui_test::point_on(popup().列表框_取到提示).x, ui_test::point_on(popup().列表框_取到提示).y);
  m.set_focus();
  EXPECT_TRUE(popup().visible());
  // Elsewhere: the popup goes; the hint comes back only over an empty box.
  keyword().set_focus();
  ui_test::move_pointer(0, rt::screen_height() / 2);
  m.set_focus();
  EXPECT_FALSE(popup().visible());
  EXPECT_FALSE(m.标签_提示搜索引擎.visible());
  keyword().set_focus();
  keyword().set_text("");
  m.set_focus();
  EXPECT_TRUE(m.标签_提示搜索引擎.visible());
  // A second focus selects on the first click again.
  keyword().set_text("xyz");
  ui_test::click(keyword(), 20, 5);
  EXPECT_EQ(keyword().selection_length(), 3);
}

TEST_F(WebSearchTest, OfflineNothingIsAskedAndThePopupStaysAway) {
  go_offline();
  enter();
  size_t before = requests();
  ui_test::type_text(keyword(), "ni");
  ASSERT_TRUE(ui_test::wait_for([] { return !suggestion_queries_running(); }, 15000));
  EXPECT_EQ(requests(), before);
  EXPECT_FALSE(popup().visible());
  EXPECT_FALSE(mini().图形按钮_正常模式.disabled());
}

TEST_F(WebSearchTest, ThePopupTakesTheWindowOpacity) {
  config_write("程序设置", "窗口透明度", "200");
  enter();
  EXPECT_EQ(popup().alpha(), 200);
}

TEST_F(WebSearchTest, Screenshot) {
  enter();
  move_bar(400, 200);
  server_.set_route_reply(kBaidu,
                          ok(baidu_reply("天气", {"天气预报", "天气预报15天", "天气预报一周", "天气网", "天气之子"})));
  ask("天气", {"天气预报", "天气预报15天", "天气预报一周", "天气网", "天气之子"});
  keyword().set_focus();
  ui_test::press_key(keyword(), VK_DOWN);
  ui_test::settle(200);
  ui_test::screenshot("mini_mode_suggestions");
  EXPECT_TRUE(ui_test::layout_is_sound(popup()));
  EXPECT_TRUE(ui_test::layout_is_sound(mini()));
}

}  // namespace
