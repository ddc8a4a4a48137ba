// The popup-menu unit's contracts, against the system's own menus under Wine.
#include "runtime/popup_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "runtime/seams.h"
#include "runtime/timer.h"
#include "runtime/window.h"
#include "ui_test.h"

namespace {

class MenuForm : public rt::Window {
 public:
  MenuForm() : rt::Window("VelmoraMenuTestForm", "菜单测试", {100, 100, 360, 260}) {}
  rt::PopupMenu menu;
  rt::Timer timer;

 protected:
  void build() override {
    menu.create(*this);
    timer.create(*this);
  }
};

// Ends a menu with Esc after a while from another thread, in case the menu never lets the
// test's own code run: the test then fails instead of hanging.
class Watchdog {
 public:
  explicit Watchdog(HWND owner, int ms = 5000)
      : thread_([this, owner, ms] {
          for (int t = 0; t < ms && !stop_; t += 20) Sleep(20);
          if (!stop_) {
            PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 1);
          }
        }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.load());
    rt::MenuItem& m = form.menu.add_menu("测试(&T)");
    m.add("甲项(&A)    Ctrl+A", 6, [this] { events.push_back("甲"); });
    m.add_separator();
    m.add("乙项(&B)", 15, [this] { events.push_back("乙"); }).disabled = true;
    m.add("丙项(&C)", -1, [this] { events.push_back("丙"); }).hidden = true;
    m.add(rt::MenuItem("子菜单(&S)", 16,
                       {rt::MenuItem("子一(&1)", -1, [this] { events.push_back("子一"); }), rt::MenuItem::separator(),
                        rt::MenuItem("子二(&2)", 17, [this] { events.push_back("子二"); })}));
    form.menu.add_menu("另一个").add("丁项(&D)");
    form.menu.on_closed = [this] { events.push_back("closed"); };
    form.menu.on_highlighted = [this](rt::MenuItem& it) { highlighted.push_back(it.caption); };
  }
  void TearDown() override {
    rt::seams::set_menu_hook(nullptr);
    form.destroy();
  }
  rt::MenuItem* pop() {
    Watchdog guard(static_cast<HWND>(form.handle()));
    return form.menu.popup(*form.menu.menu("测试(&T)"), 120, 130);
  }

  MenuForm form;
  std::vector<std::string> events, highlighted;
};

using Shown = rt::PopupMenu::ShownItem;

TEST_F(PopupMenuTest, TheMenuShowsTheTreeAsItStandsAtEachPopup) {
  std::vector<Shown> top, sub;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    EXPECT_TRUE(menu.is_open());
    top = menu.shown_items();
    sub = menu.shown_items("子菜单(&S)");
    menu.close();
  });
  EXPECT_EQ(pop(), nullptr);
  ASSERT_EQ(top.size(), 4u);  // the hidden item is not in the system's menu
  EXPECT_EQ(top[0].caption, "甲项(&A)    Ctrl+A");
  EXPECT_EQ(top[0].image, 6);
  EXPECT_FALSE(top[0].disabled);
  EXPECT_TRUE(top[1].separator);
  EXPECT_EQ(top[2].caption, "乙项(&B)");
  EXPECT_TRUE(top[2].disabled);
  EXPECT_EQ(top[3].caption, "子菜单(&S)");
  EXPECT_TRUE(top[3].submenu);
  ASSERT_EQ(sub.size(), 3u);
  EXPECT_EQ(sub[2].caption, "子二(&2)");
  EXPECT_EQ(sub[2].image, 17);
  EXPECT_EQ(events, std::vector<std::string>{"closed"});
  EXPECT_FALSE(form.menu.is_open());

  // Changed between two popups: the next one shows the change.
  form.menu.find("丙项(&C)")->hidden = false;
  form.menu.find("乙项(&B)")->disabled = false;
  form.menu.find("甲项(&A)    Ctrl+A")->caption = "甲项改(&A)";
  pop();
  ASSERT_EQ(top.size(), 5u);
  EXPECT_EQ(top[0].caption, "甲项改(&A)");
  EXPECT_FALSE(top[2].disabled);
  EXPECT_EQ(top[3].caption, "丙项(&C)");
}

TEST_F(PopupMenuTest, ChoosingAnItemClosesTheMenuThenRunsItsHandler) {
  const char* pick = nullptr;
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) { EXPECT_TRUE(menu.choose(pick)); });
  pick = "甲项(&A)    Ctrl+A";
  rt::MenuItem* chosen = pop();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->caption, pick);
  EXPECT_EQ(events, (std::vector<std::string>{"closed", "甲"}));
  EXPECT_EQ(highlighted, std::vector<std::string>{"甲项(&A)    Ctrl+A"});

  // In a submenu: the walk highlights the items it passes, the submenu's item included.
  events.clear();
  highlighted.clear();
  pick = "子二(&2)";
  chosen = pop();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"closed", "子二"}));
  EXPECT_NE(std::find(highlighted.begin(), highlighted.end(), "子菜单(&S)"), highlighted.end());
  EXPECT_EQ(highlighted.back(), "子二(&2)");
}

TEST_F(PopupMenuTest, DisabledItemsAndEscChooseNothing) {
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    EXPECT_TRUE(menu.choose("乙项(&B)"));  // Enter on a disabled item leaves the menu open
    menu.press_key(VK_ESCAPE);
  });
  EXPECT_EQ(pop(), nullptr);
  EXPECT_EQ(events, std::vector<std::string>{"closed"});
  EXPECT_NE(std::find(highlighted.begin(), highlighted.end(), "乙项(&B)"), highlighted.end());
  // Not shown at all: nothing to walk to.
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    EXPECT_FALSE(menu.choose("丙项(&C)"));
    menu.close();
  });
  EXPECT_EQ(pop(), nullptr);
}

TEST_F(PopupMenuTest, KeyLettersChooseOwnerDrawnItems) {
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) { menu.press_key('A'); });
  rt::MenuItem* chosen = pop();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"closed", "甲"}));
  // A letter opens a submenu; there the next letter chooses.
  events.clear();
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    menu.press_key('S');
    menu.press_key('2');
  });
  chosen = pop();
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->caption, "子二(&2)");
  EXPECT_EQ(events, (std::vector<std::string>{"closed", "子二"}));
}

TEST_F(PopupMenuTest, TheOwnersTimersKeepRunningWhileTheMenuIsOpen) {
  int ticks = 0;
  form.timer.on_tick = [&] {
    if (++ticks == 4) form.menu.close();
  };
  form.timer.set_interval(50);
  bool hooked = false;
  rt::seams::set_menu_hook([&](rt::PopupMenu&) { hooked = true; });
  EXPECT_EQ(pop(), nullptr);
  form.timer.set_interval(0);
  EXPECT_TRUE(hooked);
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(events, std::vector<std::string>{"closed"});
}

TEST_F(PopupMenuTest, ASecondPopupWhileOneIsOpenDoesNothing) {
  rt::MenuItem* nested = &form.menu.add_menu("x");
  rt::seams::set_menu_hook([&](rt::PopupMenu& menu) {
    nested = menu.popup(*menu.menu("另一个"), 10, 10);
    EXPECT_EQ(menu.open_menu(), menu.menu("测试(&T)"));
    menu.close();
  });
  pop();
  EXPECT_EQ(nested, nullptr);
  EXPECT_EQ(events, std::vector<std::string>{"closed"});
}

TEST_F(PopupMenuTest, ItemsAreFoundByCaptionAcrossMenusAndCreateStartsAfresh) {
  EXPECT_EQ(form.menu.find("丁项(&D)"), &form.menu.menu("另一个")->items().front());
  EXPECT_EQ(form.menu.find("子一(&1)")->caption, "子一(&1)");
  EXPECT_EQ(form.menu.find("没有"), nullptr);
  rt::Picture tick = rt::Picture::from_pixels(2, 2, {0xFF000000, 0, 0, 0xFF000000});
  form.menu.set_image(6, tick);
  EXPECT_TRUE(form.menu.image(6).same_image(tick));
  EXPECT_TRUE(form.menu.image(7).empty());
  form.destroy();
  ASSERT_TRUE(form.load());
  EXPECT_EQ(form.menu.menu("测试(&T)"), nullptr);
  EXPECT_TRUE(form.menu.image(6).same_image(tick));
}

// A source's images are made one by one when first asked for, once each; a set picture wins.
TEST_F(PopupMenuTest, ImagesOfASourceAreMadeAtTheirFirstUseOnly) {
  std::vector<int> made;
  auto picture = [](int index) {
    return rt::Picture::from_pixels(2, 1, {0xFF000000u | static_cast<uint32_t>(index), 0x80FFFFFFu});
  };
  form.menu.set_image_source({6, 16, 20}, [&](int index) {
    made.push_back(index);
    return picture(index);
  });
  EXPECT_TRUE(made.empty());
  EXPECT_TRUE(form.menu.image(6).same_image(picture(6)));
  EXPECT_TRUE(form.menu.image(6).same_image(picture(6)));
  EXPECT_EQ(made, std::vector<int>{6});
  // Laid over a background as the menus draw it: the opaque pixel stays, the other is mixed.
  const rt::Picture& on = form.menu.image_on(16, 0x000000);
  ASSERT_EQ(on.width(), 2);
  EXPECT_EQ(on.pixels()[0], 0xFF000010u);
  EXPECT_EQ(on.pixels()[1], 0xFF808080u);
  EXPECT_EQ(made, (std::vector<int>{6, 16}));
  rt::Picture tick = rt::Picture::from_pixels(2, 2, {0xFF000000, 0, 0, 0xFF000000});
  form.menu.set_image(20, tick);
  EXPECT_TRUE(form.menu.image(20).same_image(tick));
  EXPECT_TRUE(form.menu.image(7).empty());
  EXPECT_EQ(made, (std::vector<int>{6, 16}));
}

}  // namespace
