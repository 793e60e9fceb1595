// The label: a windowless caption with auto-size, alignment, vertical
// layout, word wrap, "&" prefixes, transparency and ellipsis. The flat look
// fills the background unless transparent (PaintFace) and lays out and draws
// the caption (PaintContent) through DoDrawText, the text routine subclasses
// replace (measuring with DT_CALCRECT too).
#pragma once

#include "platform/component/control.h"
#include "platform/controls/alignment.h"

namespace qv {

enum class TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TEllipsisPosition EllipsisPosition() const { return ellipsis_; }
  void SetEllipsisPosition(TEllipsisPosition e);

  // Fits the size to the text when AutoSize is on (a right-aligned label
  // keeps its right edge, a centred one its centre).
  virtual void AdjustBounds();

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  // Draws (or with DT_CALCRECT measures) the caption into r.
  virtual void DoDrawText(TCanvas& c, TRect& r, unsigned flags);
  // The flags of the current properties, without the vertical layout.
  unsigned DrawTextFlags() const;
  void Loaded() override;
  // Scaled bounds, then fitted to the scaled font.
  void ChangeScale(int m, int d) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;

 private:
  bool auto_size_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
  bool transparent_ = false;
  TEllipsisPosition ellipsis_ = TEllipsisPosition::epNone;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

}  // namespace qv
