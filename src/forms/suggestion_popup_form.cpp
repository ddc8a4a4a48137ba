#include "forms/suggestion_popup_form.h"

#include "common/popup_art.h"
#include "common/skin_art.h"

namespace {
constexpr int W = SuggestionPopupForm::kWidth, H = SuggestionPopupForm::kHeight;
}  // namespace

SuggestionPopupForm::SuggestionPopupForm() : rt::Window("VelmoraSuggestions", "Velmora_引擎提示", {0, 0, W, H}) {}

SuggestionPopupForm& suggestion_popup() {
  static SuggestionPopupForm form;
  return form;
}

void SuggestionPopupForm::build() {
  set_back_color(0xFFFFFF);
  // Over the frame's edge next to the keyword box (the placement moves it a pixel up or down).
  列表框_取到提示.create(*this, {kPopupFrameEdge, -1, W - 2 * kPopupFrameEdge, H - 3});
  create_popup_frame(*this, frame_labels());

  bind_suggestion_popup(*this);
}

std::vector<rt::Window::Overlap> SuggestionPopupForm::intended_overlaps() {
  SkinLabels frame = frame_labels();
  // The list's edge next to the keyword box runs a pixel past the popup's own edge there, so that
  // the list joins the box.
  return {{{&列表框_取到提示}, {this, frame[0], frame[1], frame[2], frame[5], frame[6], frame[7]}}};
}
