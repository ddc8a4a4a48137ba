#include "forms/main_window_form.h"

#include "app/menu_rules.h"
#include "common/frame_art.h"
#include "common/menu_art.h"
#include "common/wait_art.h"
#include "common/toolbar_art.h"

MainWindowForm::MainWindowForm() : rt::Window("Velmora", "Velmora", {120, 80, 788, 597}) {}

MainWindowForm& main_window() {
  static MainWindowForm form;
  return form;
}

void MainWindowForm::build() {
  constexpr int W = 788, H = 597;
  constexpr int kStatusTop = H - kStatusHeight;
  const auto& frame = main_frame_pictures();
  set_back_color(0xEEE4D9);
  set_icon(program_icon_picture());

  透明标签_上.create(*this, {kCornerWidth - 4, 0, W - 2 * kCornerWidth + 8, 3});
  透明标签_左.create(*this, {0, kCaptionHeight - 12, 2, H - kCaptionHeight - kStatusHeight + 24});
  透明标签_右.create(*this, {W - 2, kCaptionHeight - 12, 2, H - kCaptionHeight - kStatusHeight + 48});
  透明标签_下.create(*this, {kCornerWidth - 4, H - 2, W - 2 * kCornerWidth + 8, 2});
  for (rt::Label* strip : {&透明标签_上, &透明标签_左, &透明标签_右, &透明标签_下}) strip->set_transparent(true);

  图形按钮_关闭.create(*this,
                       {W - kCornerWidth - kCaptionButtonWidth + 4, 4, kCaptionButtonWidth, kCaptionButtonHeight});
  图形按钮_最大化.create(*this, {0, 4, kCaptionButtonWidth, kCaptionButtonHeight});
  图形按钮_最小化.create(*this, {0, 4, kCaptionButtonWidth, kCaptionButtonHeight});
  图形按钮_最前.create(*this, {0, 4, kCaptionButtonWidth, kCaptionButtonHeight});
  图形按钮_迷你模式.create(*this, {0, 4, kCaptionButtonWidth, kCaptionButtonHeight});
  图形按钮_程序图标.create(*this, {4, 3, 24, 24});
  图形按钮_移动.create(*this, {W - kCornerWidth - 4, kStatusTop + 8, 16, 12});
  auto strip = [](rt::GraphicButton& b, CaptionGlyph g) {
    const auto& s = caption_button_strip(g);
    b.set_pictures(s[0], s[1], s[2]);
  };
  strip(图形按钮_关闭, CaptionGlyph::Close);
  strip(图形按钮_最大化, CaptionGlyph::Maximize);
  strip(图形按钮_最小化, CaptionGlyph::Minimize);
  strip(图形按钮_最前, CaptionGlyph::TopmostOff);
  strip(图形按钮_迷你模式, CaptionGlyph::MiniMode);
  strip(图形按钮_移动, CaptionGlyph::Grip);
  图形按钮_程序图标.set_pictures(program_icon_picture(), program_icon_picture(), program_icon_picture());
  // The clock: placed by the layout, left of the caption buttons.
  for (rt::GraphicButton* unit : {&图形按钮_时_个位, &图形按钮_时_十位, &图形按钮_分_个位, &图形按钮_分_十位,
                                  &图形按钮_秒_个位, &图形按钮_秒_十位})
    unit->create(*this, {0, kClockTop, kClockDigitWidth, kClockHeight});
  for (rt::GraphicButton* colon : {&图形按钮_时到分_分隔, &图形按钮_分到秒_分隔})
    colon->create(*this, {0, kClockTop, kClockSeparatorWidth, kClockHeight});

  透明标签_标签状态.create(*this, {10, kStatusTop, 150, kStatusHeight});
  透明标签_文件标题.create(*this, {160, kStatusTop, kStatusTitleWidth, kStatusHeight});
  透明标签_文件路径.create(*this, {380, kStatusTop, W - 388, kStatusHeight});
  for (rt::Label* status : {&透明标签_标签状态, &透明标签_文件标题, &透明标签_文件路径}) {
    status->set_transparent(true);
    status->set_text_color(0x5A3A20);
  }
  // A long name ends in "..." short of the path after it; a long path keeps its file name.
  透明标签_文件标题.set_ellipsis(rt::Label::Ellipsis::End);
  透明标签_文件路径.set_ellipsis(rt::Label::Ellipsis::Path);
  进度条.create(*this, {kFrameSide, kStatusTop - 1, W - 2 * kFrameSide, 6});

  // The menu bar's row under the caption; the toolbar stacks under it.
  constexpr int kMenuBarTop = kCaptionHeight;
  rt::GraphicButton* bar[] = {&图形按钮_文件_菜单, &图形按钮_编辑_菜单, &图形按钮_附加_菜单, &图形按钮_设置_菜单,
                              &图形按钮_帮助_菜单};
  static const char* const kBarCaptions[] = {"文件", "编辑", "附加", "设置", "帮助"};
  const auto& bar_pictures = menu_bar_button_pictures();
  for (int i = 0; i < 5; ++i) {
    bar[i]->create(*this,
                   {kFrameSide + i * kMenuBarButtonWidth, kMenuBarTop, kMenuBarButtonWidth, kMenuBarButtonHeight},
                   kBarCaptions[i]);
    bar[i]->set_pictures(bar_pictures[0], bar_pictures[1], bar_pictures[2]);
    bar[i]->set_text_color(kMenuBarCaptionColor);
  }
  超级菜单.create(*this);
  托盘图标.create(*this, 100);
  // Drawn when a menu first shows them: no menu is open at the start.
  超级菜单.set_image_source(menu_image_indexes(), menu_image);

  constexpr int kToolbarTop = kMenuBarTop + kMenuBarButtonHeight;
  工具条_工具栏.create(*this, {kFrameSide, kToolbarTop, W - 2 * kFrameSide, 26}, 16);
  static const char* const kToolTips[] = {"新建文件", "打开文件", "保存文件", "",           "剪切",       "复制",
                                          "粘贴",     "撤销",     "打印",     "",           "程序设置",   "左对齐",
                                          "居中",     "右对齐",   "",         "关闭当前页", "向前翻五页", "向后翻五页",
                                          "",         "在线帮助", "关于"};
  for (int i = 1; i <= 21; ++i) {
    if (i == 4 || i == 10 || i == 15 || i == 19)
      工具条_工具栏.add_separator();
    else
      工具条_工具栏.add_button(toolbar_picture(i), kToolTips[i - 1]);
  }
  // A single untouched page: nothing to save, close or scroll to, nothing selected.
  for (int i : {kButtonSave, kButtonCut, kButtonCopy, kButtonClosePage, kButtonBack5, kButtonForward5})
    工具条_工具栏.add_state(i, rt::Toolbar::kDisabled);
  constexpr int kTabTop = kToolbarTop + 26;
  图形按钮_关闭本页.create(*this, {0, kTabTop + 5, 14, 14});
  strip(图形按钮_关闭本页, CaptionGlyph::ClosePage);
  图形按钮_向左.create(*this, {0, kTabTop, 16, 24});
  图形按钮_向右.create(*this, {0, kTabTop, 16, 24});
  strip(图形按钮_向左, CaptionGlyph::Left);
  strip(图形按钮_向右, CaptionGlyph::Right);
  高级选择夹_标签.create(*this, {kFrameSide, kTabTop, W - 2 * kFrameSide + 2, 24});
  高级选择夹_标签.insert("新建文档 1");
  高级选择夹_标签.set_tooltip(0, "<color=16711680>新建文档 1<Backcolor=16048819><bordercolor=9795920>");
  编辑框_文本类容.create(*this, {kFrameSide, kTabTop + 23, W - 2 * kFrameSide + 2, kStatusTop - kTabTop - 23},
                         {.multiline = true, .vertical_scroll = true, .large_text = true});
  编辑框_进程通信.create(*this, {0, 0, 10, 10}, {.multiline = false}, "｛[(进程通信编辑框_Kestrune)]｝");
  编辑框_进程通信.set_visible(false);
  编辑框_测试用.create(*this, {kFrameSide, kTabTop + 23, W - 2 * kFrameSide + 2, 100},
                       {.multiline = true, .vertical_scroll = true});
  编辑框_测试用.set_visible(false);
  图片框_读取网页.create(*this, {0, 0, waiting_picture().width(), waiting_picture().height()});
  图片框_读取网页.set_picture(waiting_picture());
  图片框_读取网页.set_visible(false);
  图片框_读取网页.tag.clear();
  透明标签_说明.create(*this, {0, 0, 190, 18}, "正在获取网页源码，请稍等…");
  透明标签_说明.set_transparent(true);
  透明标签_说明.set_text_color(0x5A3A20);
  透明标签_说明.set_visible(false);

  标签_底.create(*this, {0, H - 3, W, 3});
  标签_底.set_transparent(true);
  标签_左上.create(*this, {0, 0, kCornerWidth, kCaptionHeight});
  标签_上中.create(*this, {kCornerWidth, 0, W - 2 * kCornerWidth, kCaptionHeight}, "   Velmora");
  标签_右上.create(*this, {W - kCornerWidth, 0, kCornerWidth, kCaptionHeight});
  标签_左中.create(*this, {0, kCaptionHeight, kFrameSide, H - kCaptionHeight - kStatusHeight});
  标签_右中.create(*this, {W - kFrameSide, kCaptionHeight, kFrameSide, H - kCaptionHeight - kStatusHeight});
  标签_左下.create(*this, {0, kStatusTop, kCornerWidth, kStatusHeight});
  标签_下中.create(*this, {kCornerWidth, kStatusTop, W - 2 * kCornerWidth, kStatusHeight});
  标签_右下.create(*this, {W - kCornerWidth, kStatusTop, kCornerWidth, kStatusHeight});
  rt::Label* frame_labels[] = {&标签_左上, &标签_上中, &标签_右上, &标签_左中,
                               &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  for (int i = 0; i < 8; ++i) frame_labels[i]->set_picture(frame[i]);
  标签_上中.set_font({0, true, false, false, false, 10, "微软雅黑"});
  标签_上中.set_text_color(0xFF0000);
  标签_上中.set_text_margin(20);  // the program icon lies over the caption's start
  // The clock and the buttons lie over its end: the layout keeps the text clear of them, and a
  // long path ends in "..." before them, as a title bar does.
  标签_上中.set_ellipsis(rt::Label::Ellipsis::End);

  通用对话框.filter =
      "格式一般为ANSI的文件(*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd)|*.txt;*.ini;*.lrc;*.log;*.bat;*.cmd|所有文件(*.*)|*.*"
      "|";
  打印机.create(*this);
  时钟_监视程序.create(*this);
  时钟_滚动标签.create(*this);
  时钟_显示出来.create(*this);
  时钟_真正显示.create(*this);
  时钟_延迟执行任务.create(*this);
  时钟_菜单显示.create(*this);
  时钟_信息框.create(*this);
  时钟_显示时间.create(*this);
  时钟_内存优化.create(*this, 200);

  // Overlays above the frame they lie on.
  for (rt::GraphicButton* unit : {&图形按钮_时_个位, &图形按钮_时_十位, &图形按钮_时到分_分隔, &图形按钮_分_个位,
                                  &图形按钮_分_十位, &图形按钮_分到秒_分隔, &图形按钮_秒_个位, &图形按钮_秒_十位})
    unit->bring_to_front();
  for (rt::Unit* top : std::initializer_list<rt::Unit*>{
           &图形按钮_关闭本页, &透明标签_标签状态, &透明标签_文件标题, &透明标签_文件路径, &图形按钮_移动,
           &图形按钮_程序图标, &图形按钮_迷你模式, &图形按钮_最前, &图形按钮_最小化, &图形按钮_最大化, &图形按钮_关闭,
           &透明标签_上, &透明标签_左, &透明标签_右, &透明标签_下})
    top->bring_to_front();

  bind_main_window(*this);
}

std::vector<rt::Window::Overlap> MainWindowForm::intended_overlaps() {
  const std::vector<const rt::Unit*> frame = {&标签_左上, &标签_上中, &标签_右上, &标签_左中,
                                              &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  std::vector<const rt::Unit*> on_caption = {&图形按钮_关闭, &图形按钮_最大化, &图形按钮_最小化, &图形按钮_最前,
                                             &图形按钮_迷你模式, &图形按钮_程序图标};
  for (const rt::Unit* digit : {&图形按钮_时_个位, &图形按钮_时_十位, &图形按钮_时到分_分隔, &图形按钮_分_个位,
                                &图形按钮_分_十位, &图形按钮_分到秒_分隔, &图形按钮_秒_个位, &图形按钮_秒_十位})
    on_caption.push_back(digit);
  const std::vector<const rt::Unit*> status = {&透明标签_标签状态, &透明标签_文件标题, &透明标签_文件路径};
  std::vector<const rt::Unit*> at_edges = frame;
  at_edges.insert(at_edges.end(), status.begin(), status.end());
  for (const rt::Unit* u : std::initializer_list<const rt::Unit*>{&标签_底, &图形按钮_移动, &图形按钮_向右, this})
    at_edges.push_back(u);
  return {
      // The caption's buttons, the program icon and the clock lie on the caption.
      {on_caption, {&标签_左上, &标签_上中, &标签_右上}},
      // The sizing strips lie along the edges over whatever reaches them; the right one runs 24
      // pixels further down than the left one, past the bottom edge.
      {{&透明标签_上, &透明标签_左, &透明标签_右, &透明标签_下}, at_edges},
      // The status line lies on the bottom frame and on the strip of double clicks along the
      // bottom edge, which lies on the frame.
      {status, {&标签_下中, &标签_底}},
      {{&标签_底}, {&标签_左下, &标签_下中, &标签_右下}},
      // The grip on the bottom-right corner runs 4 pixels past the right edge, over the status
      // line's end; its dots lie in the part that shows.
      {{&图形按钮_移动}, {&标签_下中, &标签_右下, &透明标签_文件标题, &透明标签_文件路径, this}},
      // The current tab's close button lies on it; the scroll buttons cover the strip's right
      // end, overlap each other by a pixel and reach a pixel past the strip, down onto the page
      // and right into the frame.
      {{&图形按钮_关闭本页, &图形按钮_向左, &图形按钮_向右}, {&高级选择夹_标签}},
      {{&图形按钮_向左}, {&图形按钮_向右}},
      {{&图形按钮_向左, &图形按钮_向右}, {&编辑框_文本类容, &标签_右中}},
      // The strip's lower edge lies on the page's upper one; both reach 2 pixels into the right
      // frame.
      {{&高级选择夹_标签}, {&编辑框_文本类容}},
      {{&高级选择夹_标签, &编辑框_文本类容}, {&标签_右中}},
      // A web fetch's busy picture and its note lie on the page.
      {{&图片框_读取网页, &透明标签_说明}, {&编辑框_文本类容}},
  };
}
