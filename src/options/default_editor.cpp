#include "options/default_editor.h"

#include "common/control_routines.h"
#include "common/messages.h"
#include "common/text_routines.h"
#include "forms/options_window_form.h"
#include "runtime/app.h"
#include "runtime/gbk_text.h"
#include "runtime/registry.h"
#include "runtime/system.h"

namespace {

using rt::RegistryRoot;
constexpr RegistryRoot kClasses = RegistryRoot::ClassesRoot;
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;

constexpr const char* kVerbCaption = "用Velmora打开(&F)";
constexpr unsigned kMagenta = 16711935, kGreen = 32768, kRed = 255;

struct Entry {
  RegistryRoot root;
  const char* path;
};

// What unregistering deletes, deepest first: each default value, then its key.
constexpr Entry kDeletions[] = {
    {kClasses, "*\\shell\\Velmora\\command\\"},
    {kClasses, "*\\shell\\Velmora\\command"},
    {kClasses, "*\\shell\\Velmora\\Sfmr"},
    {kClasses, "*\\shell\\Velmora"},
    {kClasses, "Applications\\Velmora.exe\\shell\\open\\command\\"},
    {kClasses, "Applications\\Velmora.exe\\shell\\open\\command"},
    {kClasses, "Applications\\Velmora.exe\\shell\\open\\"},
    {kClasses, "Applications\\Velmora.exe\\shell\\open"},
    {kClasses, "Applications\\Velmora.exe\\shell\\"},
    {kClasses, "Applications\\Velmora.exe\\shell"},
    {kClasses, "Applications\\Velmora.exe\\"},
    {kClasses, "Applications\\Velmora.exe"},
    {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora\\command\\"},
    {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora\\command"},
    {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora\\"},
    {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora"},
    {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora\\command\\"},
    {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora\\command"},
    {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora\\"},
    {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora"},
};

rt::GraphicButton& option_box() { return options_window().超级按钮_设置为默认的记事本; }

void report(int icon, const char* title, unsigned title_color, const char* text, unsigned text_color) {
  tell_user(0, icon, title, title_color, text, text_color, nullptr, &options_window());
}

}  // namespace

std::string editor_command_line(std::string_view program_dir, std::string_view file_name) {
  std::string path(program_dir);
  if (path.empty() || find_last_char(path, '\\') != static_cast<int>(path.size())) path += "\\";
  path += file_name;
  // A program on a share keeps the "\\" its path starts with.
  bool unc = path.compare(0, 2, "\\\\") == 0;
  std::string rest = unc ? path.substr(2) : path;
  std::string single;
  do {
    single = rest;
    rest = rt::replace_text(rest, "\\\\", "\\");
  } while (rest != single);
  return "\"" + std::string(unc ? "\\\\" : "") + rest + "\" \"%1\"";
}

std::string editor_command_line() {
  std::string path = rt::program_path();
  return editor_command_line(split_path_dir_file(path, true), split_path_dir_file(path, false));
}

bool default_notepad_registered() { return rt::registry_read(kClasses, "*\\shell\\Velmora\\Sfmr") == "Yes"; }

int register_default_notepad() {
  const std::string command = editor_command_line();
  struct Write {
    RegistryRoot root;
    const char* path;
    std::string value;
  };
  const Write writes[] = {
      {kClasses, "txtfile\\shell\\open\\command\\", command},
      {kClasses, "*\\shell\\Velmora\\", kVerbCaption},
      {kClasses, "*\\shell\\Velmora\\Sfmr", "Yes"},
      {kClasses, "*\\shell\\Velmora\\command\\", command},
      {kClasses, "Applications\\Velmora.exe\\", ""},
      {kClasses, "Applications\\Velmora.exe\\shell\\", ""},
      {kClasses, "Applications\\Velmora.exe\\shell\\open\\", ""},
      {kClasses, "Applications\\Velmora.exe\\shell\\open\\command\\", command},
      {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora\\", kVerbCaption},
      {kMachine, "SOFTWARE\\Classes\\Directory\\shell\\Velmora\\command\\", command},
      {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora\\", kVerbCaption},
      {kMachine, "SOFTWARE\\Classes\\Drive\\shell\\Velmora\\command\\", command},
  };
  int done = 0;
  for (const Write& w : writes)
    if (rt::registry_write(w.root, w.path, w.value)) ++done;
  return done;
}

int unregister_default_notepad() {
  int done = 0;
  for (const Entry& e : kDeletions)
    if (rt::registry_delete(e.root, e.path)) ++done;
  // Where Windows really lives, which is C:\WINDOWS on a default installation.
  if (rt::registry_write(kClasses, "txtfile\\shell\\open\\command\\", rt::windows_directory() + "\\notepad.exe %1"))
    ++done;
  return done;
}

void set_default_notepad() {
  rt::GraphicButton& box = option_box();
  if (check_button_state(box)) {
    int done = register_default_notepad();
    if (done == 12) {
      report(8, "设置为默认记事本成功！", kMagenta,
             "  设置为默认记事本成功！本程序在文件、文件夹、磁盘右键菜单添加了一项名为[用Velmora打开]。你如果在文件夹和"
             "磁盘右键选择此项将搜索打开目录和磁盘下的TXT文件。",
             kGreen);
    } else if (done > 0) {
      report(48, "设置未完全成功！", kMagenta, "  由于某种原因，设置有部分没有成功完成！", kMagenta);
    } else {
      check_button_state(box, ButtonOp::Set, 0);
      report(16, "取消设置默认失败！", kRed,
             "  取消设置为默认记事本失败！原因可能是被安全软件拦截！解决方法：重新设置并允许程序的操作！", kRed);
    }
    return;
  }
  int done = unregister_default_notepad();
  if (done == 21) {
    report(8, "取消默认记事本成功！", kMagenta,
           "  取消设置为默认记事本成功！还原为系统自带记事本打开！如果你发现没有还原成功，先设置为默认，然后再取消默认"
           "即可！",
           kGreen);
  } else if (done > 0) {
    report(48, "设置未完全成功！", kMagenta, "  由于某种原因，取消设置有部分没有成功完成！可能是由于被安全软件拦截！",
           kMagenta);
  } else {
    check_button_state(box, ButtonOp::Set, 1);
    report(16, "取消默认失败！", kRed,
           "  取消设置为默认记事本失败！原因可能是被安全软件拦截！解决方法：重新取消并允许程序的操作！", kRed);
  }
}
