// The HTML label: a skinned label whose caption is markup (bold, italic,
// underline, fonts, line breaks, character references, links), laid out and
// drawn by the markup engine, with links that light up under the mouse and
// open when clicked.
#pragma once

#include "controls/html_parse.h"
#include "controls/label.h"
#include "controls/window_show_mode.h"

namespace qv {

class TsHTMLLabel : public TsLabel {
 public:
  explicit TsHTMLLabel(TComponent* owner);

  // --- published
  // The caption is markup (default); off: a plain skinned label.
  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool v);
  // An auto-sizing label wraps at its present width instead of growing.
  bool FitToWidth() const { return FFitToWidth; }
  void SetFitToWidth(bool v);
  TsWindowShowMode ShowMode = soDefault;
  // Raised before a link opens; may change the address or cancel.
  TLinkClickEvent OnLinkClick;
  // The caption without markup (character references as written).
  ustring PlainCaption() const { return StripMarkup(Caption()); }

  // --- state of the links, from the last layout
  int HotLink = -1;
  int PressedLink = -1;
  const TacLinks& Links() const { return FLinks; }

  // Opens link i of the last layout (see ClickHtmlLink); true when handed
  // to the platform's opener.
  bool DoClick(int i);

 protected:
  void DoDrawText(TCanvas& c, TRect& r, unsigned flags) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseLeave(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;

 private:
  THtmlLinkColors LinkColors() const;
  // The label's text routine for one run of the markup: the run's colour
  // through the disabled mix.
  void PaintRun(TCanvas& c, const THtmlRun& run);
  void SetHotLink(int i);

  bool FUseHTML = true;
  bool FFitToWidth = false;
  bool LinkClicking = false;
  TacLinks FLinks;
  // The text changed while the label was hidden: it fits itself when shown.
  bool refit_when_shown_ = false;
};

}  // namespace qv
