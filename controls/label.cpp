// The skinned labels: text colour from the skin, the disabled mix, the skin
// section behind the text, refitting and the skin commands a label answers.
#include "controls/label.h"

#include <algorithm>

#include "controls/background.h"
#include "paint/compositing.h"
#include "platform/component/form.h"
#include "platform/component/wincontrol.h"
#include "skin/section_paint.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

// A section state at most this transparent shows its own font colour.
constexpr int kOpaqueEnough = 39;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

// ---------------------------------------------------------------------------
// TsCustomLabel

TsCustomLabel::TsCustomLabel(TComponent* owner) : TCustomLabel(owner) { SetTransparent(true); }

void TsCustomLabel::SetSkinSection(ustring_view name) {
  const ustring upped = UpperCase(name);
  if (upped == FSkinSection) return;
  FSkinSection = upped;
  FSkinIndex = -1;
  Invalidate();
}

TsSkinManager* TsCustomLabel::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

void TsCustomLabel::SetSkinManager(TsSkinManager* manager) {
  if (manager == FSkinManager) return;
  if (FSkinManager) FSkinManager->RemoveFreeNotification(this);
  FSkinManager = manager;
  if (FSkinManager) FSkinManager->FreeNotification(this);
  FSkinIndex = -1;
  Invalidate();
}

void TsCustomLabel::Notification(TComponent* component, TOperation operation) {
  TCustomLabel::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSkinManager) {
    FSkinManager = nullptr;
    FSkinIndex = -1;
  }
}

void TsCustomLabel::SetRightToLeft(bool v) {
  if (v == right_to_left_) return;
  right_to_left_ = v;
  Invalidate();
}

bool TsCustomLabel::SkinActive() const {
  const TsSkinManager* m = SkinManager();
  return m != nullptr && !m->IsDestroying() && m->IsActive();
}

int TsCustomLabel::LabelPPI() const {
  const TCustomForm* form = ParentForm();
  return form ? form->PixelsPerInch() : 96;
}

TColor TsCustomLabel::DrawingColor() {
  return SkinActive() ? SkinManager()->Palette[pcLabelText] : Font().Color;
}

TColor TsCustomLabel::DisabledBackground() {
  return SkinActive() ? SkinManager()->GetGlobalColor() : ParentBackgroundColor(*this);
}

TColor TsCustomLabel::TextColor(TColor c) {
  c = ColorToRGB(SkinColorToRGB(c, SkinManager())) & 0xFFFFFF;
  if (IsEnabledInTree()) return c;
  const TColor back = ColorToRGB(SkinColorToRGB(DisabledBackground(), SkinManager())) & 0xFFFFFF;
  return MixColors(c, back, 100) & 0xFFFFFF;
}

int TsCustomLabel::SkinSectionIndex() {
  if (FSkinSection.empty() || !SkinActive()) return -1;
  if (FSkinIndex < 0) {
    TsSkinManager* m = SkinManager();
    FSkinIndex = m->GetSkinIndex(FSkinSection, &m->CommonSkinData(LabelPPI()));
  }
  return FSkinIndex;
}

// ---------------------------------------------------------------------------
// Painting

void TsCustomLabel::Paint() {
  TCanvas& c = *Canvas();
  section_painted_ = PaintSkinBackground(c);
  PaintParts(c);
  section_painted_ = false;
  // Looked up again at the next paint: the skin may have changed meanwhile.
  FSkinIndex = -1;
}

bool TsCustomLabel::PaintSkinBackground(TCanvas& c) {
  const int index = SkinSectionIndex();
  if (index < 0 || Width() <= 0 || Height() <= 0) return false;
  TsSkinManager* m = SkinManager();
  const TacSkinData& sd = m->CommonSkinData(LabelPPI());
  if (!sd.IsValidSkinIndex(index) ||
      SectionPaintState(sd.gd[static_cast<std::size_t>(index)], 0) < 0)
    return false;
  TBitmap32 bmp(Width(), Height());
  TsBackgroundRequest r;
  r.Rect = ClientRect();
  AskBackground(*this, r);
  const TSectionSkin skin{&sd, m->MasterBitmap.get(), nullptr};
  PaintSection(index, CacheInfoOf(r), -1, -1, skin, bmp, {Left(), Top()}, bmp.BoundsRect(), 0);
  c.BitBlt(0, 0, bmp.Width(), bmp.Height(), bmp, 0, 0);
  return true;
}

void TsCustomLabel::PaintFace(TCanvas& c, const TPaintState& s) {
  // A painted section is the label's face.
  if (!section_painted_) TCustomLabel::PaintFace(c, s);
}

ustring WordEllipsis(TCanvas& c, const ustring& text, const TRect& r, unsigned flags, int height) {
  const unsigned measure =
      (flags | DT_CALCRECT) & ~static_cast<unsigned>(DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
  auto fits = [&](ustring_view s) {
    TRect m{r.Left, r.Top, r.Right, r.Top};
    c.DrawText(s, m, measure);
    return m.Height() <= height;
  };
  if (fits(text)) return text;
  ustring shorter = text;
  for (;;) {
    std::size_t end = shorter.size();
    while (end > 0 && !IsBlank(shorter[end - 1])) --end;  // drop the last word
    while (end > 0 && IsBlank(shorter[end - 1])) --end;   // and the blanks before it
    if (end == 0) break;                                  // one word left: it stays
    shorter.resize(end);
    if (fits(shorter + u"...")) break;
  }
  return shorter + u"...";
}

void TsCustomLabel::DoDrawText(TCanvas& c, TRect& r, unsigned flags) {
  ustring text = Caption();
  const bool measuring = (flags & DT_CALCRECT) != 0;
  // An empty label keeps one line's height.
  if (measuring && (text.empty() || (ShowAccelChar() && text == u"&"))) text += u' ';
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  if (right_to_left_) flags |= DT_RTLREADING;
  c.Font = DrawingFont();
  if (!measuring && WordWrap() && !AutoSize() &&
      (EllipsisPosition() == TEllipsisPosition::epEndEllipsis ||
       EllipsisPosition() == TEllipsisPosition::epWordEllipsis))
    text = WordEllipsis(c, text, r, flags, ClientHeight());
  if (!measuring) c.Font.Color = TextColor(DrawingColor());
  c.SetBkMode(TRANSPARENT);
  c.DrawText(text, r, flags);
}

// ---------------------------------------------------------------------------
// Changes and messages

void TsCustomLabel::Refit() {
  if (IsLoading() || IsDestroying() || refitting_) return;
  refitting_ = true;
  // While its form rescales, the label fits itself once its bounds are scaled.
  if (AutoSize() && !Scaling()) {
    const TRect before = BoundsRect();
    SetBounds(before.Left, before.Top, MulDiv(before.Width(), 3, 2), before.Height());
    AdjustBounds();
    int left = before.Left;
    if (Alignment() == TAlignment::taRightJustify)
      left = before.Right - Width();
    else if (Alignment() == TAlignment::taCenter)
      left = before.Left + (before.Width() - Width()) / 2;
    SetLeft(left);
  }
  refitting_ = false;
  Invalidate();
}

void TsCustomLabel::CMTextChanged(TMessage&) { Refit(); }
void TsCustomLabel::CMFontChanged(TMessage&) { Refit(); }

void TsCustomLabel::CMHitTest(TMessage& m) {
  if (FTransparentForMouse)
    m.Result = HTNOWHERE;
  else
    TCustomLabel::CMHitTest(m);
}

void TsCustomLabel::Loaded() {
  TCustomLabel::Loaded();
  if (TsSkinManager* m = SkinManager()) m->UpdateFontName(this);
}

bool TsCustomLabel::SkinCommand(TMessage& m) {
  switch (SkinCommandOf(m.WParam)) {
    case scRemoveSkin:
      if (FSkinManager && FSkinManager->IsDestroying()) SetSkinManager(nullptr);
      if (FSavedParentFont) SetParentFont(true);
      FSkinIndex = -1;
      Invalidate();
      return false;  // not handled: the platform's processing follows
    case scSetNewSkin:
    case scRefreshSkin:
      FSavedParentFont = ParentFont();
      FSkinIndex = -1;
      Invalidate();
      return true;
    case scUpdateFontName:
      if (TsSkinManager* mgr = SkinManager()) mgr->UpdateFontName(this);
      return true;
    case scGetVisibleSection:
      if (!SkinActive()) return false;
      m.Result = Parent() ? SendSkinCommand(Parent(), scGetVisibleSection, m.LParam) : 0;
      return true;
    case scPaintsWholeRect:
      m.Result = SkinActive() || (ControlStyle & csOpaque) == 0 ? 1 : 0;
      return true;
    default:
      return false;
  }
}

void TsCustomLabel::WndProc(TMessage& m) {
  if (m.Msg == SKIN_COMMAND_MSG && SkinCommand(m)) return;
  TCustomLabel::WndProc(m);
}

// ---------------------------------------------------------------------------
// TsLabel

void TsLabel::SetUseSkinColor(bool v) {
  if (v == FUseSkinColor) return;
  FUseSkinColor = v;
  if (!IsLoading()) Invalidate();
}

TColor TsLabel::DrawingColor() {
  if (!FUseSkinColor || !SkinActive()) return Font().Color;
  TsSkinManager* m = SkinManager();
  const TacSkinData& sd = m->CommonSkinData(LabelPPI());
  int i = SkinSectionIndex();
  if (!(sd.IsValidSkinIndex(i) &&
        sd.gd[static_cast<std::size_t>(i)].Props[0].Transparency <= kOpaqueEnough)) {
    TacSectionInfo info{0, i};
    const LRESULT answer = Perform(SKIN_COMMAND_MSG, SkinCommandWParam(scGetVisibleSection),
                                   reinterpret_cast<LPARAM>(&info));
    if (answer == 0) return Parent() ? Parent()->Font().Color : Font().Color;
    if (answer != -1 && info.SkinIndex >= 0) i = info.SkinIndex;
  }
  if (!sd.IsValidSkinIndex(i)) return m->Palette[pcLabelText];
  // State 0 always: a section without states still has its first state's
  // colours (min(0, States - 1) would read before them).
  return sd.gd[static_cast<std::size_t>(i)].Props[0].FontColor.Color;
}

TColor TsLabel::DisabledBackground() { return ParentBackgroundColor(*this); }

}  // namespace qv
