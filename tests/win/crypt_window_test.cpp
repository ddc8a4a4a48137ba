// The encryption window and the file digests against the real main window under Wine: round
// trips through files with scripted dialogs, the window's states, the failures and the
// digests on the clipboard.
#include "options/option_values.h"
#include "texttools/crypt_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/shutdown.h"
#include "common/control_routines.h"
#include "common/tool_art.h"
#include "common/window_fade.h"
#include "documents/open_files.h"
#include "forms/crypt_window_form.h"
#include "common/message_box_form.h"
#include "layout_check.h"
#include "pages/page_model.h"
#include "pages/page_pickers.h"
#include "program_test.h"
#include "runtime/app.h"
#include "runtime/ciphers.h"
#include "runtime/clipboard.h"
#include "runtime/files.h"
#include "runtime/seams.h"
#include "runtime/tooltip.h"
#include "texttools/file_digests.h"
#include "ui_test.h"

namespace {

using rt::seams::DialogKind;

CryptWindowForm& cw() { return crypt_window(); }

struct Shown {
  std::string title, text;
};

class CryptTest : public ProgramTest {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora_crypt_" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    ProgramTest::SetUp();
    rt::seams::dialog_requests().clear();
    // Every message box is read and answered with OK.
    rt::seams::set_modal_hook([this](rt::Window& w) {
      MessageBoxForm& b = message_box_form();
      if (&w != &b) return;
      shown.push_back({b.caption().substr(std::string("Velmora_").size()), b.透明标签_提示类容.text()});
      ui_test::click(b.图形按钮_确定_信息框);
    });
  }
  void TearDown() override {
    rt::seams::set_modal_hook(nullptr);
    cw().destroy();
    ProgramTest::TearDown();
    for (const std::string& name : rt::find_files(dir_ + "*")) DeleteFileA((dir_ + name).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  static void open_window() {
    open_crypt_window();
    ASSERT_TRUE(ui_test::wait_for(
        [] { return cw().loaded() && cw().alpha() == options().window_alpha && !crypt_page_picker().busy(); }));
  }
  // The page "机密" with the text, current and picked.
  static int secret_page(const std::string& text, const std::string& extension = "txt") {
    std::string name = "机密";
    int tab = create_page(name);
    editor().set_text(text);
    set_page_extension(tab, extension);
    return tab;
  }
  static void set_algorithm(int algorithm) {
    ui_test::click(algorithm == rt::kCipherDes ? cw().超级按钮_DES算法 : cw().超级按钮_RC4算法);
  }
  static void set_decrypt_mode(bool on) {
    if (check_button_state(cw().超级按钮_解密文件, ButtonOp::Query) != (on ? 1 : 0))
      ui_test::click(cw().超级按钮_解密文件);
  }
  void encrypt_to(const std::string& path) {
    set_decrypt_mode(false);
    rt::seams::script_dialog({DialogKind::Save, true, {path}});
    ui_test::click(cw().图形按钮_加密解密);
  }
  void decrypt_from(const std::string& path) {
    set_decrypt_mode(true);
    rt::seams::script_dialog({DialogKind::Open, true, {path}});
    ui_test::click(cw().图形按钮_加密解密);
  }
  std::string dir_;
  std::vector<Shown> shown;
};

TEST_F(CryptTest, RoundTripsThroughFilesForBothAlgorithms) {
  const std::string text = "机密文字：第一行\r\n乗誠\\| second line";
  struct Case {
    int algorithm;
    size_t file_size;
  };
  // DES: 4 + n bytes padded to a multiple of 8; RC4: exactly n.
  const size_t n = text.size();
  const Case cases[] = {{rt::kCipherDes, (4 + n + 7) / 8 * 8}, {rt::kCipherRc4, n}};
  int page = secret_page(text);
  open_window();
  ASSERT_EQ(cw().组合框_打开文件_加密解密.text(), "机密");
  ui_test::type_text(cw().编辑框_密码, "口令pw");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.algorithm);
    set_algorithm(c.algorithm);
    const std::string file = dir_ + "机密" + std::to_string(c.algorithm) + ".enc";
    encrypt_to(file);
    std::string bytes = rt::read_file(file).value_or("");
    EXPECT_EQ(bytes.size(), c.file_size);
    EXPECT_EQ(bytes, rt::encrypt_data(text, "口令pw", c.algorithm));
    EXPECT_TRUE(shown.empty());
    // Back into a new page, named after the file, without its path.
    int before = tabs().count();
    decrypt_from(file);
    ASSERT_EQ(tabs().count(), before + 1);
    int tab = tabs().count() - 1;
    EXPECT_EQ(tabs().current(), tab);
    EXPECT_EQ(page_name(tab), "机密" + std::to_string(c.algorithm));
    EXPECT_EQ(page_content(tab), text);
    EXPECT_EQ(editor().text(), text);
    EXPECT_EQ(pages()[tab].path, "");
    EXPECT_EQ(pages()[tab].extension, "enc");
    EXPECT_EQ(pages()[tab].modified, 0);
    // And into the window when asked.
    ui_test::click(cw().超级按钮_解密后显示在这里);
    cw().编辑框_内容摘要.set_text("");
    decrypt_from(file);
    EXPECT_EQ(tabs().count(), before + 1);
    EXPECT_EQ(cw().编辑框_内容摘要.text(), text);
    ui_test::click(cw().超级按钮_解密后显示在这里);
    // The picked page is still the secret one.
    cw().组合框_打开文件_加密解密.set_current(page);
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(CryptTest, ADecryptionDuringAnOpenRunShowsItsTextHereInsteadOfANewPage) {
  const std::string text = "运行中解密";
  secret_page(text);
  open_window();
  ui_test::type_text(cw().编辑框_密码, "pw");
  const std::string file = dir_ + "busy.enc";
  encrypt_to(file);
  // An open run adding pages, its worker held back.
  const std::string arriving = dir_ + "arriving.txt";
  ASSERT_TRUE(rt::write_file_safely(arriving, "到了"));
  set_option(&OptionValues::open_in_thread, 1);
  rt::seams::hold_workers(true);
  set_open_queue({arriving});
  open_files();
  ASSERT_TRUE(open_busy());
  int before = tabs().count();
  cw().编辑框_内容摘要.set_text("");
  decrypt_from(file);
  EXPECT_EQ(tabs().count(), before);
  EXPECT_EQ(cw().编辑框_内容摘要.text(), text);
  rt::seams::hold_workers(false);
  ASSERT_TRUE(ui_test::wait_for([] { return !open_busy(); }, 20000));
  EXPECT_EQ(tabs().count(), before + 1);
  // Once the run has ended the page comes again.
  decrypt_from(file);
  EXPECT_EQ(tabs().count(), before + 2);
  EXPECT_EQ(page_content(tabs().count() - 1), text);
}

TEST_F(CryptTest, TheDialogsAreAskedAsTheCommandSays) {
  secret_page("abc", "log");
  open_window();
  ui_test::type_text(cw().编辑框_密码, "k");
  rt::CommonDialog& d = w().通用对话框;
  encrypt_to(dir_ + "a.enc");
  ASSERT_EQ(rt::seams::dialog_requests().size(), 1u);
  const auto& save = rt::seams::dialog_requests()[0];
  EXPECT_EQ(save.kind, DialogKind::Save);
  EXPECT_EQ(save.title, "请选择加密后的 机密 保存目录……");
  EXPECT_EQ(save.folder, rt::program_directory());
  EXPECT_EQ(save.file_name, "机密");
  EXPECT_EQ(d.default_extension, "*.log");
  EXPECT_EQ(
      d.filter,
      "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*"
      ".*|");
  decrypt_from(dir_ + "a.enc");
  ASSERT_EQ(rt::seams::dialog_requests().size(), 2u);
  EXPECT_EQ(rt::seams::dialog_requests()[1].kind, DialogKind::Open);
  EXPECT_EQ(rt::seams::dialog_requests()[1].title, "打开加密后的文件解密！");
  // A page without an extension proposes ".txt".
  set_page_extension(tabs().count() - 1, "");
  cw().组合框_打开文件_加密解密.set_current(tabs().count() - 1);
  encrypt_to(dir_ + "b.enc");
  EXPECT_EQ(d.default_extension, "*.txt");
}

TEST_F(CryptTest, NothingHappensForAnEmptyPageACancelledDialogOrAWrongKey) {
  secret_page("");
  open_window();
  ui_test::type_text(cw().编辑框_密码, "k");
  // An empty page asks for no file.
  encrypt_to(dir_ + "empty.enc");
  EXPECT_TRUE(rt::seams::dialog_requests().empty());
  rt::seams::take_dialog_answer(DialogKind::Save);
  EXPECT_FALSE(rt::file_exists(dir_ + "empty.enc"));
  // Cancelled dialogs.
  editor().set_text("abcde");
  set_decrypt_mode(false);
  rt::seams::script_dialog({DialogKind::Save, false, {}});
  ui_test::click(cw().图形按钮_加密解密);
  int before = tabs().count();
  set_decrypt_mode(true);
  rt::seams::script_dialog({DialogKind::Open, false, {}});
  ui_test::click(cw().图形按钮_加密解密);
  EXPECT_EQ(tabs().count(), before);
  // A wrong password, the other algorithm, a cut file, a missing file: no page, no word.
  const std::string file = dir_ + "des.enc";
  ASSERT_TRUE(rt::write_file_safely(file, rt::encrypt_data("abcde", "k", rt::kCipherDes)));
  ASSERT_EQ(rt::read_file(file)->size(), 16u);  // 4 + 5 + 7 bytes of padding
  ASSERT_TRUE(rt::write_file_safely(dir_ + "cut.enc", rt::read_file(file)->substr(0, 12)));
  struct Attempt {
    const char* password;
    int algorithm;
    std::string path;
  };
  const Attempt attempts[] = {{"kk", rt::kCipherDes, file},
                              {"ｋ", rt::kCipherDes, file},  // full-width: other bytes, another key
                              {"k", rt::kCipherDes, dir_ + "cut.enc"},
                              {"k", rt::kCipherDes, dir_ + "missing.enc"}};
  for (const Attempt& a : attempts) {
    SCOPED_TRACE(a.password + (" " + a.path));
    cw().编辑框_密码.set_text(a.password);
    set_algorithm(a.algorithm);
    decrypt_from(a.path);
    EXPECT_EQ(tabs().count(), before);
  }
  EXPECT_TRUE(shown.empty());
  // The right one.
  cw().编辑框_密码.set_text("k");
  decrypt_from(file);
  EXPECT_EQ(tabs().count(), before + 1);
  EXPECT_EQ(page_content(tabs().count() - 1), "abcde");
}

TEST_F(CryptTest, AFailedWriteIsReported) {
  secret_page("秘密");
  open_window();
  ui_test::type_text(cw().编辑框_密码, "k");
  const std::string path = dir_ + "没有这个目录\\x.enc";
  encrypt_to(path);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "写到文件失败！");
  EXPECT_EQ(shown[0].text, "  输出到" + path + "\r\n失败！");
}

TEST_F(CryptTest, ThePasswordEnablesTheActionAndShowsItselfInTheBalloon) {
  open_window();
  EXPECT_TRUE(cw().图形按钮_加密解密.disabled());
  EXPECT_EQ(rt::tooltip_text(cw().编辑框_密码), "只有输入密码后才能对文件操作");
  ui_test::type_text(cw().编辑框_密码, "秘a");
  EXPECT_FALSE(cw().图形按钮_加密解密.disabled());
  EXPECT_EQ(rt::tooltip_text(cw().编辑框_密码), "密码为：秘a");
  cw().编辑框_密码.set_text("");
  EXPECT_TRUE(cw().图形按钮_加密解密.disabled());
  EXPECT_EQ(rt::tooltip_text(cw().编辑框_密码), "只有输入密码后才能对文件操作");
}

TEST_F(CryptTest, TheWindowStartsInEncryptModeWithDes) {
  open_window();
  EXPECT_EQ(cw().caption(), "Velmora_加密解密");
  EXPECT_EQ(radio_button_state(cw().超级按钮_DES算法, ButtonOp::Query), 1);
  EXPECT_EQ(radio_button_state(cw().超级按钮_RC4算法, ButtonOp::Query), 0);
  EXPECT_EQ(check_button_state(cw().超级按钮_解密文件, ButtonOp::Query), 0);
  EXPECT_EQ(check_button_state(cw().超级按钮_解密后显示在这里, ButtonOp::Query), 0);
  EXPECT_FALSE(cw().超级按钮_解密后显示在这里.visible());
  EXPECT_EQ(cw().标签_上中.text(), "   加密文件");
  EXPECT_TRUE(cw().图形按钮_程序图标.normal_picture().same_image(crypt_window_icon_picture()));
  EXPECT_EQ(rt::tooltip_text(cw().图形按钮_关闭小), "关闭加密解密窗口");
}

TEST_F(CryptTest, TheDecryptCheckSwitchesTheWholeWindow) {
  open_window();
  const auto& strip = crypt_action_button_strip();
  rt::GraphicButton& action = cw().图形按钮_加密解密;
  struct Mode {
    size_t first;
    const char *tip, *title, *caption;
    bool show_here;
  };
  const Mode decrypt{4, "解密文件", "   解密文件", "解密密码：", true};
  const Mode encrypt{0, "加密文件", "   加密文件", "加密密码：", false};
  for (const Mode* m : {&decrypt, &encrypt, &decrypt}) {
    SCOPED_TRACE(m->tip);
    ui_test::click(cw().超级按钮_解密文件);
    EXPECT_TRUE(action.normal_picture().same_image(strip[m->first]));
    EXPECT_TRUE(action.hover_picture().same_image(strip[m->first + 1]));
    EXPECT_TRUE(action.pressed_picture().same_image(strip[m->first + 2]));
    EXPECT_TRUE(action.disabled_picture().same_image(strip[m->first + 3]));
    EXPECT_EQ(rt::tooltip_text(action), m->tip);
    EXPECT_EQ(cw().标签_上中.text(), m->title);
    EXPECT_EQ(cw().透明标签_说明.text(), m->caption);
    EXPECT_EQ(cw().超级按钮_解密后显示在这里.visible(), m->show_here);
  }
}

TEST_F(CryptTest, TheAlgorithmsAreARadioPair) {
  open_window();
  struct Step {
    rt::GraphicButton* clicked;
    int des, rc4;
  };
  const Step steps[] = {{&cw().超级按钮_DES算法, 1, 0},
                        {&cw().超级按钮_RC4算法, 0, 1},
                        {&cw().超级按钮_RC4算法, 0, 1},
                        {&cw().超级按钮_DES算法, 1, 0}};
  for (const Step& s : steps) {
    ui_test::click(*s.clicked);
    EXPECT_EQ(radio_button_state(cw().超级按钮_DES算法, ButtonOp::Query), s.des);
    EXPECT_EQ(radio_button_state(cw().超级按钮_RC4算法, ButtonOp::Query), s.rc4);
  }
}

TEST_F(CryptTest, CtrlASelectsTheWholeTextBox) {
  open_window();
  cw().编辑框_内容摘要.set_text("全部选中");
  ui_test::press_key(cw().编辑框_内容摘要, 'A', rt::kCtrl);
  EXPECT_EQ(cw().编辑框_内容摘要.selection_start(), 0);
  EXPECT_EQ(cw().编辑框_内容摘要.selection_length(), 4);
}

TEST_F(CryptTest, CtrlJOpensTheWindowAndTheCloseButtonEndsIt) {
  ui_test::press_key(editor(), 'J', rt::kCtrl);
  ASSERT_TRUE(ui_test::wait_for([] { return cw().loaded() && cw().alpha() == options().window_alpha; }));
  EXPECT_EQ(editor().text(), "");
  ASSERT_TRUE(ui_test::wait_for([] { return !crypt_page_picker().busy(); }));
  ui_test::type_text(cw().编辑框_密码, "pw");
  ui_test::click(cw().图形按钮_关闭小);
  EXPECT_FALSE(cw().loaded());
  // Nothing is remembered.
  open_window();
  EXPECT_EQ(cw().编辑框_密码.text(), "");
}

TEST_F(CryptTest, ShutdownFadesTheWindowOut) {
  open_window();
  release_main_window();
  EXPECT_FALSE(cw().visible() && cw().alpha() > 0);
}

// ---- The digests of the current page's file ----

TEST_F(CryptTest, DigestsOfTheCurrentPagesFileGoToTheClipboard) {
  struct Case {
    std::string bytes, md5, sha1, crc32;
  };
  const Case cases[] = {
      {"abc", "900150983CD24FB0D6963F7D28E17F72", "A9993E364706816ABA3E25717850C26C9CD0D89D", "C2412435"},
      {"", "D41D8CD98F00B204E9800998ECF8427E", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", "00000000"},
  };
  std::string name = "摘要";
  int tab = create_page(name);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::string path = dir_ + "摘要.txt";
    ASSERT_TRUE(rt::write_file_safely(path, c.bytes));
    set_page_file(tab, path, pages()[tab].extension);
    copy_file_md5();
    EXPECT_EQ(rt::clipboard_text(), c.md5);
    copy_file_sha1();
    EXPECT_EQ(rt::clipboard_text(), c.sha1);
    copy_file_crc32();
    EXPECT_EQ(rt::clipboard_text(), c.crc32);
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(CryptTest, AFileThatCannotBeReadLeavesTheClipboardAndIsReported) {
  std::string name = "摘要";
  int tab = create_page(name);
  const std::string missing = dir_ + "不存在.txt";
  for (const std::string& path : {missing, std::string()}) {
    SCOPED_TRACE(path);
    set_page_file(tab, path, pages()[tab].extension);
    shown.clear();
    for (void (*command)() : {copy_file_md5, copy_file_sha1, copy_file_crc32}) {
      rt::set_clipboard_text("原来的");
      command();
      EXPECT_EQ(rt::clipboard_text(), "原来的");
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, "读取文件失败！");
    EXPECT_EQ(shown[0].text, "  读取" + path + "\r\n失败！");
  }
}

TEST_F(CryptTest, Screenshot) {
  secret_page(
      "加密解密示例\r\n"
      "这一页的文字会用密码加密后写到文件。\r\n"
      "解密时选择加密后的文件，文字回到新的页面。\r\n");
  open_window();
  ui_test::type_text(cw().编辑框_密码, "velmora");
  ui_test::screenshot("crypt_window");
  EXPECT_TRUE(ui_test::layout_is_sound(cw()));
}

}  // namespace
