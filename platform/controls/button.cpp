// Push buttons: input handling, the flat face and the glyph layout.
#include "platform/controls/button.h"

#include <algorithm>

#include "platform/component/form.h"
#include "platform/look/plain_look.h"
#include "platform/text/text.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"

namespace qv {

TCustomButton::TCustomButton(TComponent* owner) : TPressableControl(owner) {
  SetTabStop(true);
  ControlStyle |= csCaptureMouse | csClickEvents | csSetCaption | csOpaque;
  ControlStyle &= ~static_cast<unsigned>(csDoubleClicks);
  SetBounds(0, 0, 75, 25);
}

void TCustomButton::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  StateChanged();
}

bool TCustomButton::Active() const {
  if (Focused()) return true;
  if (!default_) return false;
  // A default button answers Enter unless another button has the focus.
  const TCustomForm* form = ParentForm();
  const TWinControl* focused = form ? form->ActiveControl() : nullptr;
  return !(focused && focused->Focused() && dynamic_cast<const TCustomButton*>(focused));
}

TPaintState TCustomButton::PaintState() const {
  TPaintState s = TPressableControl::PaintState();
  s.Default = default_ && Active();
  return s;
}

void TCustomButton::Released(bool by_key, bool over) {
  (void)over;
  if (by_key) Click();
}

void TCustomButton::CMDialogKey(TMessage& m) {
  const auto key = static_cast<std::uint16_t>(m.WParam);
  if (((key == VK_RETURN && Active()) || (key == VK_ESCAPE && cancel_)) &&
      GetKeyState(VK_MENU) >= 0 && IsEnabledInTree() && Showing()) {
    Click();
    m.Result = 1;
    return;
  }
  TPressableControl::CMDialogKey(m);
}

void TCustomButton::CMTextChanged(TMessage& m) {
  TPressableControl::CMTextChanged(m);
  Invalidate();
}

void TCustomButton::PaintFace(TCanvas& c, const TPaintState& s) {
  DrawButtonFace(c, ClientRect(), s);
}

void TCustomButton::PaintContent(TCanvas& c, const TPaintState& s) {
  TRect r = ClientRect();
  if (s.Pressed) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  c.SetBkMode(TRANSPARENT);
  c.Font = Font();
  c.Font.Color = FlatTextColor(Font().Color, s.Enabled);
  c.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void TCustomButton::PaintFocus(TCanvas& c, const TPaintState& s) {
  if (s.Focused && s.Enabled) DrawFlatFocusFrame(c, {3, 3, Width() - 3, Height() - 3});
}

// --- TBitBtn

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  image_link_.OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() { SetImages(nullptr); }

void TBitBtn::SetImages(TCustomImageList* list) {
  if (RelinkImageList(images_, list, image_link_, *this)) Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (ForgetRemovedImageList(images_, component, operation)) Invalidate();
}

void TBitBtn::SetImageIndex(int index) {
  if (image_index_ == index) return;
  image_index_ = index;
  Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap32& glyph) {
  glyph_ = glyph;
  glyph_.SetRowOrder(TRowOrder::TopDown);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int n) {
  n = std::clamp(n, 1, 4);
  if (num_glyphs_ == n) return;
  num_glyphs_ = n;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout l) {
  if (layout_ == l) return;
  layout_ = l;
  Invalidate();
}

void TBitBtn::SetMargin(int m) {
  m = std::max(m, -1);
  if (margin_ == m) return;
  margin_ = m;
  Invalidate();
}

void TBitBtn::SetSpacing(int s) {
  s = std::max(s, -1);
  if (spacing_ == s) return;
  spacing_ = s;
  Invalidate();
}

void TBitBtn::SetWordWrap(bool v) {
  if (word_wrap_ == v) return;
  word_wrap_ = v;
  Invalidate();
}

void TBitBtn::SetAlignment(TAlignment a) {
  if (alignment_ == a) return;
  alignment_ = a;
  Invalidate();
}

TSize TBitBtn::GlyphSize() const {
  if (images_ && image_index_ >= 0 && image_index_ < images_->Count())
    return {images_->Width(), images_->Height()};
  if (!glyph_.Empty()) return {glyph_.Width() / num_glyphs_, glyph_.Height()};
  return {0, 0};
}

TSize TBitBtn::MeasureCaption(int max_width) const {
  const ustring text = Caption();
  if (text.empty()) return {0, 0};
  unsigned flags = AlignmentFlags(alignment_);
  flags |= word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  const TSize t = MeasureText(Font(), text, flags, std::max(max_width, 1));
  return {std::min(t.cx, std::max(max_width, 0)), t.cy};
}

TBitBtn::TContentLayout TBitBtn::CalcLayout(bool pressed) const {
  const int w = Width(), h = Height();
  const TSize g = GlyphSize();
  const bool horizontal =
      layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  const int room = w - 2 * std::max(margin_, 2) - (horizontal && g.cx > 0 ? g.cx + 4 : 0);
  const TSize t = MeasureCaption(room);
  int spacing = (t.cx == 0 || g.cx == 0) ? 0 : spacing_;
  const int along = horizontal ? w : h;
  const int gl = horizontal ? g.cx : g.cy;
  const int tl = horizontal ? t.cx : t.cy;
  int margin = margin_;
  if (margin < 0) {
    if (spacing < 0) {
      // Spread: three equal gaps around and between glyph and caption.
      margin = spacing = std::max(0, (along - gl - tl) / 3);
    } else {
      margin = std::max(0, (along - (gl + spacing + tl) + 1) / 2);
    }
  } else if (spacing < 0) {
    spacing = std::max(0, (along - gl - margin - tl) / 2);
  }
  TPoint gp{(w - g.cx + 1) / 2, (h - g.cy + 1) / 2};
  TPoint tp{(w - t.cx + 1) / 2, (h - t.cy + 1) / 2};
  switch (layout_) {
    case TButtonLayout::blGlyphLeft:
      gp.X = margin;
      tp.X = margin + g.cx + spacing;
      break;
    case TButtonLayout::blGlyphRight:
      gp.X = w - margin - g.cx;
      tp.X = gp.X - spacing - t.cx;
      break;
    case TButtonLayout::blGlyphTop:
      gp.Y = margin;
      tp.Y = margin + g.cy + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      gp.Y = h - margin - g.cy;
      tp.Y = gp.Y - spacing - t.cy;
      break;
  }
  // Without a glyph the caption alone follows the alignment.
  if (g.cx == 0 && horizontal && margin_ >= 0) {
    if (alignment_ == TAlignment::taLeftJustify) tp.X = margin_;
    if (alignment_ == TAlignment::taRightJustify) tp.X = w - margin_ - t.cx;
  }
  const int shift = pressed ? 1 : 0;
  TContentLayout out;
  out.GlyphPos = {gp.X + shift, gp.Y + shift};
  out.CaptionRect = Bounds(tp.X + shift, tp.Y + shift, t.cx, t.cy);
  return out;
}

void TBitBtn::DrawGlyph(TCanvas& c, TPoint p, const TPaintState& s) {
  if (images_ && image_index_ >= 0 && image_index_ < images_->Count()) {
    images_->Draw(c, p.X, p.Y, image_index_, s.Enabled);
    return;
  }
  if (glyph_.Empty()) return;
  const int fw = glyph_.Width() / num_glyphs_;
  // Frames: up, disabled, clicked, down; a missing frame falls back to up.
  int frame = 0;
  if (!s.Enabled && num_glyphs_ > 1)
    frame = 1;
  else if (s.Pressed && num_glyphs_ > 2)
    frame = 2;
  const bool fake_disabled = !s.Enabled && num_glyphs_ == 1;
  DrawBitmapAlpha(c, p.X, p.Y, glyph_, Bounds(frame * fw, 0, fw, glyph_.Height()),
                  fake_disabled ? 128 : 255, fake_disabled);
}

void TBitBtn::PaintContent(TCanvas& c, const TPaintState& s) {
  const TContentLayout l = CalcLayout(s.Pressed);
  DrawGlyph(c, l.GlyphPos, s);
  if (!l.CaptionRect.IsEmpty()) {
    TRect r = l.CaptionRect;
    c.SetBkMode(TRANSPARENT);
    c.Font = Font();
    c.Font.Color = FlatTextColor(Font().Color, s.Enabled);
    unsigned flags = AlignmentFlags(alignment_) | DT_END_ELLIPSIS;
    flags |= word_wrap_ ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    c.DrawText(Caption(), r, flags);
  }
}

}  // namespace qv
