// The group box: a captioned frame holding controls. Children are laid out
// inside the frame, below the caption. The flat look paints the frame
// (PaintFace) and the caption (PaintContent).
#pragma once

#include "platform/component/wincontrol.h"

namespace qv {

class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* owner);

  // Height of the caption band (the frame's top edge runs through its middle).
  int CaptionHeight() const;
  // The caption text's rectangle in the plain look.
  TRect CaptionTextRect() const;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  TRect AdjustClientRect() const override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace qv
