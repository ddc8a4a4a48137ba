#include "texttools/crypt_window.h"

#include "common/balloon_tip.h"
#include "common/control_routines.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skin_art.h"
#include "common/text_routines.h"
#include "common/tool_art.h"
#include "common/tool_window.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/crypt_window_form.h"
#include "forms/main_window_form.h"
#include "pages/page_display.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "runtime/app.h"
#include "runtime/ciphers.h"
#include "runtime/files.h"
#include "runtime/tooltip.h"

namespace {

constexpr unsigned kEditBorderColor = 0x9D7B45;
constexpr unsigned kRed = 0xFF;
const char kFilter[] =
    "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*.*|";

CryptWindowForm& f() { return crypt_window(); }

int chosen_algorithm() {
  return radio_button_state(f().超级按钮_DES算法, ButtonOp::Query) ? rt::kCipherDes : rt::kCipherRc4;
}

void decrypt_file(rt::CommonDialog& dialog) {
  CryptWindowForm& w = f();
  dialog.title = "打开加密后的文件解密！";
  dialog.kind = rt::CommonDialog::Kind::Open;
  if (!dialog.run()) return;
  std::string path = dialog.file_name;
  std::optional<std::string> bytes = rt::read_file(path);
  if (!bytes) return;
  std::string text = rt::decrypt_data(*bytes, w.编辑框_密码.text(), chosen_algorithm());
  // A wrong password or algorithm, a damaged file and an empty text all end here, untold.
  if (text.empty()) return;
  if (check_button_state(w.超级按钮_解密后显示在这里, ButtonOp::Query)) {
    w.编辑框_内容摘要.set_text(text);
    return;
  }
  // A new page waits for the end of an open run that is adding pages (the text stays shown
  // here meanwhile).
  if (open_busy()) {
    w.编辑框_内容摘要.set_text(text);
    return;
  }
  std::string extension;
  std::string name = split_file_name(path, extension);
  int tab = create_page(name);
  if (tab < 0 || tab >= page_count()) return;
  // No path: a save must not put the plain text over the encrypted file; it asks for a file as
  // for any new page.
  set_page_extension(tab, extension);
  set_page_content(tab, std::move(text));
  main_window().高级选择夹_标签.set_current(tab);
  show_current_page();
  set_page_modified(tab, 0);
}

void encrypt_page(rt::CommonDialog& dialog) {
  CryptWindowForm& w = f();
  int page = crypt_page_picker().selected_page();
  if (page < 0) return;
  std::string text = page_content(page);
  const std::string& extension = pages()[page].extension;
  dialog.default_extension = extension.empty() ? "*.txt" : "*." + extension;
  if (text.empty()) return;
  std::string item = w.组合框_打开文件_加密解密.text();
  dialog.title = "请选择加密后的 " + item + " 保存目录……";
  dialog.kind = rt::CommonDialog::Kind::Save;
  dialog.file_name = item;
  if (!dialog.run()) return;
  std::string path = dialog.file_name;
  std::string data = rt::encrypt_data(text, w.编辑框_密码.text(), chosen_algorithm());
  if (data.empty()) return;
  if (!rt::write_file_safely(path, data))
    tell_user(0, 16, "写到文件失败！", kRed, "  输出到" + path + "\r\n失败！", kRed, nullptr, &w);
}

}  // namespace

void open_crypt_window() { open_tool_window(f()); }

void encrypt_or_decrypt_file() {
  rt::CommonDialog& dialog = main_window().通用对话框;
  dialog.filter = kFilter;
  dialog.folder = rt::program_directory();
  if (check_button_state(f().超级按钮_解密文件, ButtonOp::Query))
    decrypt_file(dialog);
  else
    encrypt_page(dialog);
}

PagePicker& crypt_page_picker() {
  static PagePicker picker(3, f(), f().组合框_打开文件_加密解密, f().图形按钮_关闭小, fill_crypt_page_picker_thread,
                           on_crypt_page_picked);
  return picker;
}

void fill_crypt_page_picker() { crypt_page_picker().fill(); }
void fill_crypt_page_picker_thread() { fill_crypt_page_picker(); }

void on_crypt_page_picked() {
  PagePicker& picker = crypt_page_picker();
  int page = picker.selected_page();
  if (page < 0) return;
  // An empty page empties the box too.
  f().编辑框_内容摘要.set_text(page_content(page));
  std::string balloon = f().组合框_打开文件_加密解密.text();
  const std::string& extension = pages()[page].extension;
  if (!extension.empty()) balloon += "." + extension;
  picker.show_balloon(balloon);
}

void on_crypt_window_created() {
  CryptWindowForm& w = f();
  dress_tool_window(w, w.frame_labels(), w.图形按钮_程序图标, crypt_window_icon_picture(), w.图形按钮_关闭小);
  rt::Unit* pointed[] = {&w,
                         &w.图形按钮_关闭小,
                         &w.图形按钮_加密解密,
                         &w.组合框_打开文件_加密解密,
                         &w.超级按钮_DES算法,
                         &w.超级按钮_RC4算法,
                         &w.超级按钮_解密文件,
                         &w.超级按钮_解密后显示在这里};
  for (rt::Unit* u : pointed) u->set_mouse_pointer(program_pointer_cursor().handle());
  w.编辑框_密码.set_mouse_pointer(program_text_cursor().handle());
  radio_button_state(w.超级按钮_DES算法, ButtonOp::Set, 1);
  radio_button_state(w.超级按钮_RC4算法, ButtonOp::Set, 0);
  // Both checks start without pictures, which count as on: one toggle each leaves them off.
  toggle_decrypt_mode();
  toggle_show_decrypted_here();
  on_password_changed();
  install_colored_border(w.编辑框_内容摘要.handle(), kEditBorderColor);
  set_balloon_tip(w.图形按钮_关闭小, "<font color=red>关闭加密解密窗口");
  PagePicker& picker = crypt_page_picker();
  picker.window_created();
  picker.start_refresh();
}

void on_crypt_window_first_activation() { fade_in_after_first_activation(f()); }

void on_password_changed() {
  CryptWindowForm& w = f();
  std::string password = w.编辑框_密码.text();
  w.图形按钮_加密解密.set_disabled(password.empty());
  rt::set_tooltip(w.编辑框_密码,
                  password.empty() ? std::string("只有输入密码后才能对文件操作") : "密码为：" + password);
}

void toggle_decrypt_mode() {
  CryptWindowForm& w = f();
  bool decrypt = check_button_state(w.超级按钮_解密文件) != 0;
  const auto& strip = crypt_action_button_strip();
  size_t first = decrypt ? 4 : 0;
  w.图形按钮_加密解密.set_pictures(strip[first], strip[first + 1], strip[first + 2]);
  w.图形按钮_加密解密.set_disabled_picture(strip[first + 3]);
  w.图形按钮_加密解密.set_caption(decrypt ? "解密文件" : "加密文件");
  rt::set_tooltip(w.图形按钮_加密解密, decrypt ? "解密文件" : "加密文件");
  w.标签_上中.set_text(decrypt ? "   解密文件" : "   加密文件");
  w.透明标签_说明.set_text(decrypt ? "解密密码：" : "加密密码：");
  w.超级按钮_解密后显示在这里.set_visible(decrypt);
}

void toggle_show_decrypted_here() { check_button_state(f().超级按钮_解密后显示在这里); }

void on_des_click() { click_radio_pair(f().超级按钮_DES算法, f().超级按钮_RC4算法); }
void on_rc4_click() { click_radio_pair(f().超级按钮_RC4算法, f().超级按钮_DES算法); }

bool on_crypt_text_key_down(int key, int modifiers) {
  return select_all_on_ctrl_a(f().编辑框_内容摘要, key, modifiers);
}

void move_crypt_window_by_title() { move_window_by_title(f()); }

void close_crypt_window() {
  if (crypt_page_picker().busy()) return;
  f().close();
}

bool may_close_crypt_window() {
  if (crypt_page_picker().busy()) return false;
  fade_out_crypt_window();
  return true;
}

void fade_out_crypt_window() {
  CryptWindowForm& w = f();
  if (w.loaded()) show_window_faded(w, false);
}

void bind_crypt_window(CryptWindowForm& f) {
  f.on_created = on_crypt_window_created;
  f.on_first_activation = on_crypt_window_first_activation;
  f.on_may_close = may_close_crypt_window;
  f.图形按钮_关闭小.on_click = close_crypt_window;
  f.标签_上中.on_left_down = [](int, int, int) {
    move_crypt_window_by_title();
    return true;
  };
  f.编辑框_密码.on_changed = on_password_changed;
  f.超级按钮_DES算法.on_click = on_des_click;
  f.超级按钮_RC4算法.on_click = on_rc4_click;
  f.超级按钮_解密文件.on_click = toggle_decrypt_mode;
  f.超级按钮_解密后显示在这里.on_click = toggle_show_decrypted_here;
  f.组合框_打开文件_加密解密.on_changed = on_crypt_page_picked;
  f.编辑框_内容摘要.on_key_down = on_crypt_text_key_down;
  f.图形按钮_加密解密.on_click = encrypt_or_decrypt_file;
}
