// The group box: a captioned frame holding controls. Children are laid out
// inside the frame, below the caption.
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
  void Paint() override;
  TRect AdjustClientRect() const override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace qv
