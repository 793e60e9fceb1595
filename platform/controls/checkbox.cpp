// The check box: state changes, input and the flat look.
#include "platform/controls/checkbox.h"

#include <algorithm>

#include "platform/component/application.h"
#include "platform/controls/flat_look.h"
#include "platform/text/text.h"

namespace qv {

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TPressableControl(owner) {
  SetTabStop(true);
  // Clicks come from Toggle, not from the framework's press-and-release rule.
  ControlStyle &= ~static_cast<unsigned>(csClickEvents | csDoubleClicks);
  ControlStyle |= csSetCaption;
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState s) {
  if (state_ == s) return;
  state_ = s;
  StateChanged();
  if (!ClicksDisabled && !(ComponentState() & csLoading)) TPressableControl::Click();
}

void TCustomCheckBox::SetAllowGrayed(bool v) { allow_grayed_ = v; }

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case TCheckBoxState::cbUnchecked:
      SetState(TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(allow_grayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    case TCheckBoxState::cbGrayed:
      SetState(TCheckBoxState::cbUnchecked);
      break;
  }
}

void TCustomCheckBox::SetAlignment(TAlignment a) {
  if (a == TAlignment::taCenter) a = TAlignment::taRightJustify;
  if (alignment_ == a) return;
  alignment_ = a;
  Invalidate();
}

void TCustomCheckBox::SetWordWrap(bool v) {
  if (word_wrap_ == v) return;
  word_wrap_ = v;
  AdjustSize();
  Invalidate();
}

void TCustomCheckBox::SetAutoSize(bool v) {
  if (auto_size_ == v) return;
  auto_size_ = v;
  AdjustSize();
}

TPaintState TCustomCheckBox::PaintState() const {
  TPaintState s = TPressableControl::PaintState();
  s.Checked = static_cast<int>(state_);
  return s;
}

int TCustomCheckBox::BoxSize() { return Screen().Scaled(kBoxSize); }
int TCustomCheckBox::TextIndent() { return Screen().Scaled(kTextIndent); }

TRect TCustomCheckBox::BoxRect() const {
  const int box = BoxSize();
  const int top = (Height() - box) / 2;
  const int left = alignment_ == TAlignment::taRightJustify ? 0 : Width() - box;
  return Bounds(left, top, box, box);
}

TSize TCustomCheckBox::MeasureCaption(int max_width) const {
  const ustring text = Caption();
  if (text.empty()) return {0, 0};
  return MeasureText(Font(), text, word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE,
                     std::max(max_width, 1));
}

TRect TCustomCheckBox::TextRect() const {
  const int box = BoxSize(), indent = TextIndent();
  const int room = std::max(0, Width() - box - indent - 2);
  const TSize t = MeasureCaption(room);
  const int w = std::min(t.cx, room);
  const int top = std::max(0, (Height() - t.cy) / 2);
  const int left =
      alignment_ == TAlignment::taRightJustify ? box + indent : Width() - box - indent - w;
  return Bounds(left, top, w, std::min(t.cy, Height()));
}

void TCustomCheckBox::AdjustSize() {
  if (!auto_size_ || (ComponentState() & csLoading)) return;
  const int box = BoxSize(), indent = TextIndent();
  const TSize t = MeasureCaption(word_wrap_ ? std::max(1, Width() - box - indent) : 32767);
  const int w = box + (t.cx > 0 ? indent + t.cx + 2 : 0);
  const int h = std::max(box + 2, t.cy + 2);
  SetBounds(Left(), Top(), word_wrap_ ? Width() : w, h);
}

void TCustomCheckBox::Loaded() {
  TPressableControl::Loaded();
  AdjustSize();
}

void TCustomCheckBox::Released(bool by_key, bool over) {
  if (by_key || over) Toggle();
}

void TCustomCheckBox::CMTextChanged(TMessage& m) {
  TPressableControl::CMTextChanged(m);
  AdjustSize();
  Invalidate();
}

void TCustomCheckBox::ChangeScale(int m, int d) {
  TPressableControl::ChangeScale(m, d);
  AdjustSize();
}

void TCustomCheckBox::CMFontChanged(TMessage& m) {
  TPressableControl::CMFontChanged(m);
  // While the form scales, the box fits itself once its bounds are scaled.
  if (!Scaling()) AdjustSize();
  Invalidate();
}

void TCustomCheckBox::PaintFace(TCanvas& c, const TPaintState&) {
  c.FillRect(ClientRect(), Color());
}

void TCustomCheckBox::PaintContent(TCanvas& c, const TPaintState& s) {
  DrawFlatCheckBox(c, BoxRect(), s.Checked, s);
  TRect tr = TextRect();
  c.SetBkMode(TRANSPARENT);
  c.Font = Font();
  c.Font.Color = FlatTextColor(Font().Color, s.Enabled);
  c.DrawText(Caption(), tr,
             word_wrap_ ? DT_WORDBREAK | DT_END_ELLIPSIS : DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TCustomCheckBox::PaintFocus(TCanvas& c, const TPaintState& s) {
  if (!s.Focused || !s.Enabled || Caption().empty()) return;
  const TRect tr = TextRect();
  DrawFlatFocusFrame(c, {tr.Left - 2, tr.Top - 1, tr.Right + 2, tr.Bottom + 1});
}

}  // namespace qv
