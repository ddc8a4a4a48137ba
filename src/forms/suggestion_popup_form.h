#pragma once
// The suggestion popup "Velmora_引擎提示": the search engine's suggestions for the mini-mode
// bar's keyword, in a list under (or over) its keyword box.
#include <vector>

#include "common/skin.h"
#include "runtime/label.h"
#include "runtime/list_box.h"
#include "runtime/window.h"

class SuggestionPopupForm : public rt::Window {
 public:
  SuggestionPopupForm();

  static constexpr int kWidth = 200, kHeight = 150;

  rt::ListBox 列表框_取到提示;
  rt::Label 标签_左上, 标签_上中, 标签_右上, 标签_左中, 标签_右中, 标签_左下, 标签_下中, 标签_右下;
  SkinLabels frame_labels() {
    return {&标签_左上, &标签_上中, &标签_右上, &标签_左中, &标签_右中, &标签_左下, &标签_下中, &标签_右下};
  }

  std::vector<Overlap> intended_overlaps() override;

 protected:
  void build() override;
};

SuggestionPopupForm& suggestion_popup();

// Binds the window's events to the routines of web/web_search.cpp; build() ends with it.
void bind_suggestion_popup(SuggestionPopupForm& f);
