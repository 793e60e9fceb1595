// The web label: a skinned label that takes its hover font and the skin's
// hot web-text colour under the mouse and opens its URL when clicked.
#pragma once

#include <functional>

#include "controls/label.h"
#include "controls/window_show_mode.h"

namespace qv {

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);

  // --- published (Font, the normal look, is the control's font)
  const TFont& HoverFont() const { return FHoverFont; }
  void SetHoverFont(const TFont& font);
  void ChangeHoverFont(const std::function<void(TFont&)>& edit);
  // Opened on click unless empty; only http and https addresses open.
  ustring URL;
  TsWindowShowMode ShowMode = soDefault;

  // The mouse is over the label.
  bool MouseAbove() const { return FMouseAbove; }

  const TFont& DrawingFont() const override;
  TColor DrawingColor() override;
  // Raises OnClick, then opens URL.
  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  TColor DisabledBackground() override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMParentFontChanged(TMessage& m) override;
  void ChangeScale(int m, int d) override;

 private:
  bool Hot() const;
  void SetMouseAbove(bool v);

  TFont FNormalFont;
  TFont FHoverFont;
  bool FMouseAbove = false;
  bool parent_font_changing_ = false;
};

}  // namespace qv
