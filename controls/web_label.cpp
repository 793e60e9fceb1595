// The web label: its two fonts, the web-text colours and opening its URL.
#include "controls/web_label.h"

#include "platform/window/shell.h"
#include "platform/window/window.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

TsWebLabel::TsWebLabel(TComponent* owner)
    : TsLabel(owner), FNormalFont(Font()), FHoverFont(Font()) {
  Cursor = static_cast<int>(IDC_HAND);
}

void TsWebLabel::SetHoverFont(const TFont& font) {
  if (font == FHoverFont) return;
  FHoverFont = font;
  if (FMouseAbove) Refit();
}

void TsWebLabel::ChangeHoverFont(const std::function<void(TFont&)>& edit) {
  TFont f = FHoverFont;
  edit(f);
  SetHoverFont(f);
}

bool TsWebLabel::Hot() const { return FMouseAbove && IsEnabledInTree(); }

const TFont& TsWebLabel::DrawingFont() const { return FMouseAbove ? FHoverFont : FNormalFont; }

TColor TsWebLabel::DrawingColor() {
  const bool skin = FUseSkinColor && SkinActive();
  if (Hot()) return skin ? SkinManager()->Palette[pcWebTextHot] : FHoverFont.Color;
  return skin ? SkinManager()->Palette[pcWebText] : FNormalFont.Color;
}

// The skin's main colour, as the plain skinned label.
TColor TsWebLabel::DisabledBackground() { return TsCustomLabel::DisabledBackground(); }

void TsWebLabel::SetMouseAbove(bool v) {
  if (v == FMouseAbove || !IsEnabledInTree()) return;
  FMouseAbove = v;
  // The two fonts may differ in size: the label fits the one it shows now.
  Invalidate();
  Refit();
}

void TsWebLabel::CMMouseEnter(TMessage& m) {
  TsLabel::CMMouseEnter(m);
  SetMouseAbove(true);
}

void TsWebLabel::CMMouseLeave(TMessage& m) {
  TsLabel::CMMouseLeave(m);
  SetMouseAbove(false);
}

void TsWebLabel::CMFontChanged(TMessage& m) {
  // The label's font is the normal look; from its parent it keeps its colour.
  const TColor kept = FNormalFont.Color;
  FNormalFont = Font();
  if (parent_font_changing_) {
    FNormalFont.Color = kept;
    FHoverFont.Name = FNormalFont.Name;
    FHoverFont.Height = FNormalFont.Height;
  }
  TsLabel::CMFontChanged(m);
}

void TsWebLabel::CMParentFontChanged(TMessage& m) {
  parent_font_changing_ = true;
  TsLabel::CMParentFontChanged(m);
  parent_font_changing_ = false;
}

void TsWebLabel::ChangeScale(int m, int d) {
  // With the parent's font the hover font has taken its new size already.
  if (!ParentFont()) FHoverFont.Height = MulDiv(FHoverFont.Height, m, d);
  TsLabel::ChangeScale(m, d);
}

void TsWebLabel::Click() {
  TsLabel::Click();
  // The platform's opener takes only http and https addresses, so a
  // label's text never starts a program.
  if (!URL.empty()) ShellExecute(HWND{}, u"open", URL, u"", u"", ShowMode);
}

void TsWebLabel::WndProc(TMessage& m) {
  TsLabel::WndProc(m);
  // The skin's font name reaches the normal font (through the label's
  // font); the hover font takes its name and size.
  if (m.Msg == SKIN_COMMAND_MSG && SkinCommandOf(m.WParam) == scUpdateFontName && !ParentFont()) {
    FHoverFont.Name = FNormalFont.Name;
    FHoverFont.Height = FNormalFont.Height;
  }
}

}  // namespace qv
