#include "forms/open_pages_popup_form.h"

#include "common/popup_art.h"
#include "common/skin_art.h"

namespace {
constexpr int W = 150, H = 420;
constexpr int kListMargin = kPopupFrameEdge;
}  // namespace

OpenPagesPopupForm::OpenPagesPopupForm() : rt::Window("VelmoraOpenPages", "Velmora_打开文件列表", {0, 0, W, H}) {}

OpenPagesPopupForm& open_pages_popup() {
  static OpenPagesPopupForm form;
  return form;
}

void OpenPagesPopupForm::build() {
  set_back_color(kSkinBodyColor);
  列表框_打开文件列表.create(*this, {kListMargin, kListMargin, W - 2 * kListMargin, H - 5});
  create_popup_frame(*this, frame_labels());

  bind_open_pages_popup(*this);
}

std::vector<rt::Window::Overlap> OpenPagesPopupForm::intended_overlaps() {
  SkinLabels frame = frame_labels();
  // The list starts at the frame's 2-pixel edges and so covers the inner part of its corners.
  return {{{&列表框_打开文件列表}, {frame[0], frame[2], frame[5], frame[7]}}};
}
