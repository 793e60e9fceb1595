// The HTML label: measuring and drawing its markup through the engine, and
// the links under the mouse.
#include "controls/html_label.h"

#include "platform/window/window.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

// An auto-sizing label measures without a right edge unless told to fit.
constexpr int kUnboundedWidth = 65535;

}  // namespace

TsHTMLLabel::TsHTMLLabel(TComponent* owner) : TsLabel(owner) {}

void TsHTMLLabel::SetUseHTML(bool v) {
  if (v == FUseHTML) return;
  FUseHTML = v;
  Refit();
}

void TsHTMLLabel::SetFitToWidth(bool v) {
  if (v == FFitToWidth) return;
  FFitToWidth = v;
  Refit();
}

THtmlLinkColors TsHTMLLabel::LinkColors() const {
  return HtmlLinkColors(SkinActive() ? &SkinManager()->Palette : nullptr);
}

void TsHTMLLabel::PaintRun(TCanvas& c, const THtmlRun& run) {
  TFont font = run.Font;
  font.Color = TextColor(font.Color);
  PaintHtmlRun(c, {run.Text, font, run.Rect, run.Flags, run.Link});
}

void TsHTMLLabel::DoDrawText(TCanvas& c, TRect& r, unsigned flags) {
  if (!FUseHTML) {
    TsLabel::DoDrawText(c, r, flags);
    return;
  }
  const ustring text = Caption();
  // Nothing to draw; a measuring call keeps its rectangle.
  if (text.empty()) return;
  const TFont saved = c.Font;
  c.Font = DrawingFont();
  c.Font.Color = DrawingColor();
  c.SetBkMode(TRANSPARENT);
  TsHtml html(LinkColors());
  html.Alignment = Alignment();
  html.RightToLeft = RightToLeft();
  html.RunPainter = [this](TCanvas& canvas, const THtmlRun& run) { PaintRun(canvas, run); };
  if (flags & DT_CALCRECT) {
    TRect area = r;
    if (AutoSize() && !FFitToWidth) area.Right = area.Left + kUnboundedWidth;
    html.Init(c, text, PressedLink, HotLink, area);
    TacLinks unused;
    const TRect size = html.HTMLText(unused, true);
    r.Right = r.Left + size.Right;
    r.Bottom = r.Top + size.Bottom;
  } else {
    html.Init(c, text, PressedLink, HotLink, r);
    html.HTMLText(FLinks, false);
  }
  c.Font = saved;
}

bool TsHTMLLabel::DoClick(int i) { return ClickHtmlLink(FLinks, i, this, OnLinkClick, ShowMode); }

// ---------------------------------------------------------------------------
// Mouse

void TsHTMLLabel::SetHotLink(int i) {
  if (i == HotLink) return;
  HotLink = i;
  Cursor = i >= 0 ? static_cast<int>(IDC_HAND) : 0;
  Invalidate();
}

void TsHTMLLabel::MouseMove(TShiftState shift, int x, int y) {
  TsLabel::MouseMove(shift, x, y);
  if (FUseHTML) SetHotLink(LinkAt(FLinks, {x, y}));
}

void TsHTMLLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TsLabel::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || HotLink < 0) return;
  PressedLink = HotLink;
  Invalidate();
}

void TsHTMLLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TsLabel::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || LinkClicking || PressedLink < 0) return;
  LinkClicking = true;
  // Only the link that was pressed opens, and only when released over it.
  const int pressed = PressedLink;
  if (LinkAt(FLinks, {x, y}) == pressed) DoClick(pressed);
  PressedLink = -1;
  LinkClicking = false;
  Invalidate();
}

void TsHTMLLabel::CMMouseLeave(TMessage& m) {
  TsLabel::CMMouseLeave(m);
  if (HotLink < 0 && PressedLink < 0) return;
  HotLink = -1;
  PressedLink = -1;
  Cursor = 0;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Text

void TsHTMLLabel::CMTextChanged(TMessage& m) {
  // Neither fitted nor painted while its control is being read or while it is
  // hidden; a hidden label fits itself when it is shown again.
  const TWinControl* focus = FocusControl();
  if (focus != nullptr && focus->IsLoading()) return;
  if (!Visible()) {
    refit_when_shown_ = true;
    return;
  }
  TsLabel::CMTextChanged(m);
}

void TsHTMLLabel::CMVisibleChanged(TMessage& m) {
  TsLabel::CMVisibleChanged(m);
  if (Visible() && refit_when_shown_) {
    refit_when_shown_ = false;
    Refit();
  }
}

}  // namespace qv
