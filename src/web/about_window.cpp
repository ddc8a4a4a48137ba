#include "web/about_window.h"

#include "common/balloon_tip.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/tool_window.h"
#include "common/web_art.h"
#include "common/window_fade.h"
#include "forms/about_window_form.h"
#include "runtime/rich_edit_box.h"
#include "web/http_request.h"
#include "web/update_check.h"
#include "web/update_rules.h"
#include "web/web_hosts.h"
#include "web/web_window.h"

namespace {

constexpr unsigned kEditBorderColor = 0x9D7B45;

AboutWindowForm& f() { return about_window(); }

// The paragraphs are indented by a full-width blank, as Chinese text is: Wine's rich edit box
// does not wrap a paragraph that starts with ASCII blanks and has no other blank to break at.
void write_description(rt::RichEditBox& box) {
  const char* face = "宋体";
  append_rich_text_run(box,
                       "　感谢你使用Velmora！这是一个带标签页的纯文本编辑器，愿它让你每天的文字工作轻松一点。"
                       "有什么想法和建议，欢迎告诉我。\r\n",
                       face, 0xFF0000, 9);
  append_rich_text_run(box, "\r\n", face, 0xFF0000, 5);
  append_rich_text_run(box,
                       "　程序里的部分图标与界面素材取自网络，仅作学习交流之用；如有不妥，请联系作者，"
                       "作者会及时更换。\r\n",
                       face, 0xFF0090, 9);
  append_rich_text_run(box, "\r\n", face, 0xFF0090, 5);
  append_rich_text_run(box,
                       "　警告：本程序受著作权保护，未经作者许可，任何单位和个人不得复制、修改、反编译或"
                       "用于商业用途，违者必究！\r\n",
                       face, 255, 9);
  append_rich_text_run(box, "\r\n", face, 255, 5);
  append_rich_text_run(box, "联系作者：\r\n", face, 0x8000, 9);
  append_rich_text_run(box, "　软件主页：" + homepage_address() + "\r\n　意见反馈：在软件主页上留言即可。\r\n", face,
                       0xFF00FF, 9);
}

}  // namespace

std::string homepage_address() { return web_address(WebHost::kProgramSite, "/"); }
std::string online_help_address() { return web_address(WebHost::kProgramSite, "/help/index.html"); }

void open_about_window() { open_tool_window(f()); }
void open_about_window_from_tray() { open_about_window(); }

void on_about_window_created() {
  AboutWindowForm& w = f();
  dress_tool_window(w, {&w.标签_左上, &w.标签_上中, &w.标签_右上, &w.标签_左中, &w.标签_右中, &w.标签_左下, &w.标签_下中, &w.标签_右下}, w.图形按钮_程序图标, about_window_icon_picture(), w.图形按钮_关闭小);
  for (rt::Unit* u : std::initializer_list<rt::Unit*>{&w, &w.图形按钮_关闭小, &w.图形按钮_确定, &w.图形按钮_更新,
                                                      &w.超级链接框_软件主页, &w.超级编辑框_说明})
    u->set_mouse_pointer(program_pointer_cursor().handle());
  w.标签_上中.set_text(w.标签_上中.text() + "—VelmoraV" + kProgramVersion);
  install_colored_border(w.超级编辑框_说明.handle(), kEditBorderColor);
  write_description(w.超级编辑框_说明);
  w.超级编辑框_说明.set_caret(0);
}

void on_about_window_first_activation() {
  AboutWindowForm& w = f();
  fade_in_web_window(w);
  set_balloon_tip(w.图形按钮_关闭小, "<font color=red>关闭关于窗口");
  set_balloon_tip(w.图形按钮_更新, "打开更新窗口，检测程序更新");
  set_balloon_tip(w.超级链接框_软件主页, "打开程序主页");
}

void close_about_window() { f().close(); }
void confirm_about_window() { close_about_window(); }

bool may_close_about_window() {
  fade_out_about_window();
  return true;
}

void fade_out_about_window() {
  AboutWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void open_homepage() { open_in_browser(homepage_address()); }
void open_homepage_from_context_menu() { open_homepage(); }
void open_homepage_from_tray() { open_homepage(); }

void show_online_help() {
  if (!is_internet_reachable()) {
    tell_user(0, 48, "无法连接到互联网！", 255,
              "  由于浏览帮助文档需要连接到互联网，程序检测到你没有正常连接到互联网，所以程序无法继续执行下一步任务……",
              0xFF00FF);
    return;
  }
  bool without_button = false;
  int answer = tell_user(1, 64, "你确定浏览在线帮助文档吗？", 0xFF0000,
                         "  你确定浏览在线帮助文档吗？如果确定将用默认的浏览器打开在线帮助文档！", 0x8000,
                         &without_button);
  if (answer == 0 && !without_button) open_in_browser(online_help_address());
}

void append_rich_text_run(rt::RichEditBox& box, std::string_view text, std::string_view face, unsigned color,
                          int size) {
  box.append_run(text, face, size, color);
}

void bind_about_window(AboutWindowForm& f) {
  f.on_created = on_about_window_created;
  f.on_first_activation = on_about_window_first_activation;
  f.on_may_close = may_close_about_window;
  f.图形按钮_关闭小.on_click = close_about_window;
  f.图形按钮_确定.on_click = confirm_about_window;
  f.图形按钮_更新.on_click = open_update_window;
  f.超级链接框_软件主页.on_left_up = [](int, int, int) {
    open_homepage();
    return true;
  };
  f.标签_上中.on_left_down = [](int, int, int) {
    move_window_by_title(about_window());
    return true;
  };
}
