#pragma once
// The open-pages popup "Velmora_打开文件列表": a narrow list of the open pages along the main
// window's right edge.
#include <vector>

#include "common/skin.h"
#include "runtime/label.h"
#include "runtime/list_box.h"
#include "runtime/window.h"

class OpenPagesPopupForm : public rt::Window {
 public:
  OpenPagesPopupForm();

  rt::ListBox 列表框_打开文件列表;
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

OpenPagesPopupForm& open_pages_popup();

// Binds the window's events to the routines of pages/open_pages_popup.cpp; build() ends with it.
void bind_open_pages_popup(OpenPagesPopupForm& f);
