#pragma once
// The program's own message boxes as a test sees them: what each said, whose it was, and which
// buttons it offered. Each box is answered from inside its modal loop by clicking a real button.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/message_box.h"
#include "common/skin_art.h"
#include "common/message_box_form.h"
#include "runtime/seams.h"
#include "ui_test.h"

struct RecordedBox {
  std::string title, text;
  unsigned title_color = 0, text_color = 0;
  int icon = 0;
  rt::WindowHandle owner = nullptr;
  std::vector<int> buttons;  // the codes of the answer buttons shown
  int row_top = 0;
};

// From now on every box is recorded into *boxes and answered with the next code of `answers`
// (0 OK ... 6 No; -1 or past the list: the box's own close button).
inline void record_message_boxes(std::vector<RecordedBox>* boxes, std::vector<int> answers = {}) {
  auto queue = std::make_shared<std::vector<int>>(std::move(answers));
  auto next = std::make_shared<size_t>(0);
  rt::seams::set_modal_hook([boxes, queue, next](rt::Window& w) {
    MessageBoxForm& b = message_box_form();
    if (&w != &b) return;
    RecordedBox r;
    r.title = b.caption().substr(std::string("Velmora_").size());
    r.text = b.透明标签_提示类容.text();
    r.title_color = b.标签_上中.text_color();
    r.text_color = b.透明标签_提示类容.text_color();
    for (int icon : {8, 16, 32, 48, 64})
      if (b.图形按钮_图标_信息框.normal_picture().same_image(message_box_icon(icon))) r.icon = icon;
    r.owner = GetWindow(static_cast<HWND>(b.handle()), GW_OWNER);
    for (int code = kBoxOk; code <= kBoxNo; ++code)
      if (b.answer_button(code)->visible()) r.buttons.push_back(code);
    r.row_top = b.answer_button(kBoxOk)->top();
    boxes->push_back(r);
    int code = *next < queue->size() ? (*queue)[(*next)++] : -1;
    rt::GraphicButton* button = code >= 0 ? b.answer_button(code) : nullptr;
    ui_test::click(button && button->visible() ? *button : b.图形按钮_关闭_信息框);
  });
}
