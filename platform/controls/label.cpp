// The label: measuring, fitting and drawing its caption.
#include "platform/controls/label.h"

#include <algorithm>

#include "platform/text/text.h"

namespace qv {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle |= csSetCaption | csReplicatable | csOpaque;
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool v) {
  if (auto_size_ == v) return;
  auto_size_ = v;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment a) {
  if (alignment_ == a) return;
  alignment_ = a;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout l) {
  if (layout_ == l) return;
  layout_ = l;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (word_wrap_ == v) return;
  word_wrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (show_accel_char_ == v) return;
  show_accel_char_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  if (v) {
    ControlStyle &= ~static_cast<unsigned>(csOpaque);
  } else {
    ControlStyle |= csOpaque;
  }
  Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition e) {
  if (ellipsis_ == e) return;
  ellipsis_ = e;
  Invalidate();
}

unsigned TCustomLabel::DrawTextFlags() const {
  unsigned flags = DT_EXPANDTABS | AlignmentFlags(alignment_);
  if (word_wrap_) flags |= DT_WORDBREAK;
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  if (!auto_size_) {
    switch (ellipsis_) {
      case TEllipsisPosition::epPathEllipsis:
        flags |= DT_PATH_ELLIPSIS;
        break;
      case TEllipsisPosition::epEndEllipsis:
        flags |= DT_END_ELLIPSIS;
        break;
      case TEllipsisPosition::epWordEllipsis:
        flags |= DT_WORD_ELLIPSIS;
        break;
      case TEllipsisPosition::epNone:
        break;
    }
  }
  return flags;
}

void TCustomLabel::DoDrawText(TCanvas& c, TRect& r, unsigned flags) {
  ustring text = Caption();
  // An empty caption still measures one line, so the label keeps its height.
  if ((flags & DT_CALCRECT) && (text.empty() || (show_accel_char_ && text == u"&"))) text += u' ';
  c.Font = Font();
  c.SetBkMode(TRANSPARENT);
  if (!IsEnabledInTree()) c.Font.Color = ColorToRGB(clGrayText);
  c.DrawText(text, r, flags);
}

void TCustomLabel::PaintFace(TCanvas& c, const TPaintState&) {
  if (!transparent_) c.FillRect(ClientRect(), Color());
}

void TCustomLabel::PaintContent(TCanvas& c, const TPaintState&) {
  TRect r = ClientRect();
  unsigned flags = DrawTextFlags();
  if (layout_ != TTextLayout::tlTop) {
    TRect calc = r;
    DoDrawText(c, calc, flags | DT_CALCRECT);
    const int h = calc.Height();
    const int dy = layout_ == TTextLayout::tlBottom ? r.Height() - h : (r.Height() - h) / 2;
    r.Top += dy;
    r.Bottom = r.Top + h;
  }
  DoDrawText(c, r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!auto_size_ || (ComponentState() & csLoading)) return;
  TMeasuringCanvas c;
  TRect r = ClientRect();
  if (!word_wrap_) r.Right = r.Left + 32767;
  DoDrawText(c, r, (DrawTextFlags() & ~static_cast<unsigned>(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
  int left = Left();
  if (!word_wrap_) {
    if (alignment_ == TAlignment::taRightJustify)
      left += Width() - r.Width();
    else if (alignment_ == TAlignment::taCenter)
      left += (Width() - r.Width()) / 2;
  }
  SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& m) {
  TGraphicControl::CMTextChanged(m);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::ChangeScale(int m, int d) {
  TGraphicControl::ChangeScale(m, d);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
  TGraphicControl::CMFontChanged(m);
  // While the form scales, the label fits itself once its bounds are scaled.
  if (!Scaling()) AdjustBounds();
  Invalidate();
}

}  // namespace qv
