// The skinned text labels: TsCustomLabel draws its caption in the skin's
// label colour (optionally over a skin section), TsLabel takes the colour of
// the section that shows behind it. Both stay windowless labels of the
// platform (auto-size, alignment, wrap, prefixes, ellipsis) and only change
// how the text and its background are painted.
#pragma once

#include "platform/controls/label.h"
#include "platform/font.h"
#include "platform/ustring.h"

namespace qv {

class TsSkinManager;

// A word-wrapped text drawn into r's width with flags, shortened word by
// word from its end until it fits height, "..." appended; the text itself
// when it fits. A last word that does not fit stays.
ustring WordEllipsis(TCanvas& c, const ustring& text, const TRect& r, unsigned flags, int height);

class TsCustomLabel : public TCustomLabel {
 public:
  explicit TsCustomLabel(TComponent* owner);

  // --- published
  // The section painted behind the text; empty for none.
  const ustring& SkinSection() const { return FSkinSection; }
  void SetSkinSection(ustring_view name);
  // The explicit manager, or the application's default one.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* manager);
  // The mouse acts on what lies under the label.
  bool TransparentForMouse() const { return FTransparentForMouse; }
  void SetTransparentForMouse(bool v) { FTransparentForMouse = v; }

  // Reading order: right to left draws with right-to-left reading.
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool v);

  // The control a label names (a bound label's control); nullptr for none.
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* control) { focus_control_ = control; }

  // The font and colour the text is drawn with.
  virtual const TFont& DrawingFont() const { return Font(); }
  virtual TColor DrawingColor();

  // The manager is there and its skin is active.
  bool SkinActive() const;
  // The colour a text of this label is drawn in: c itself, or for a disabled
  // label c mixed with the background behind it (weight 100 of 255).
  TColor TextColor(TColor c);

  void WndProc(TMessage& m) override;

 protected:
  // What a disabled label's colour is mixed with: the skin's main colour,
  // the parent's colour without a skin.
  virtual TColor DisabledBackground();

  void Paint() override;
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void DoDrawText(TCanvas& c, TRect& r, unsigned flags) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMHitTest(TMessage& m) override;
  // Fits an auto-sizing label to a changed text or font: widened by half
  // first so that a wrapped text may grow, then fitted, keeping its right
  // edge (right-aligned), its centre (centred) or its left edge. Then repaints.
  void Refit();
  // Runs fn with text and font changes not refitting the label.
  template <class F>
  void WithoutRefit(F fn) {
    const bool was = refitting_;
    refitting_ = true;
    fn();
    refitting_ = was;
  }
  // The skin section painted behind the text (index into the skin data of
  // the label's density), -1 when none; looked up once per paint.
  int SkinSectionIndex();
  // The label's density: its form's.
  int LabelPPI() const;

  ustring FSkinSection;
  int FSkinIndex = -1;
  TsSkinManager* FSkinManager = nullptr;
  bool FSavedParentFont = false;
  bool FTransparentForMouse = false;

 private:
  // A skin command this label answers itself; true when done.
  bool SkinCommand(TMessage& m);
  bool PaintSkinBackground(TCanvas& c);
  bool right_to_left_ = false;
  TWinControl* focus_control_ = nullptr;
  bool refitting_ = false;
  bool section_painted_ = false;
};

// The label whose text takes the skin colour of what shows behind it.
class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(TComponent* owner) : TsCustomLabel(owner) {}

  // The colour comes from the skin (default) instead of the font.
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool v);

  // With UseSkinColor and an active skin: the font colour of the label's own
  // section when it is mostly opaque, else of the section visibly below it
  // (the parent's font colour over an unskinned parent), else the skin's
  // label colour. Otherwise the font colour.
  TColor DrawingColor() override;

 protected:
  // The parent's background colour.
  TColor DisabledBackground() override;

  bool FUseSkinColor = true;
};

}  // namespace qv
