// Push buttons: TButton (press with capture, pressed look only while the
// pointer is over it, click on release over it, Space, Enter when focused or
// default, Escape when it cancels) and TBitBtn, which adds a glyph from an
// image list or a bitmap laid out beside the caption. The flat look paints
// the face (PaintFace), the caption and glyph (PaintContent) and the focus
// frame (PaintFocus); subclasses replace a part and read PaintState, Pushed
// and the layout results.
#pragma once

#include "platform/bitmap.h"
#include "platform/component/wincontrol.h"
#include "platform/controls/alignment.h"
#include "platform/controls/imagelist.h"
#include "platform/controls/pressable.h"

namespace qv {

enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };

class TCustomButton : public TPressableControl {
 public:
  explicit TCustomButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult ModalResult = TModalResult::mrNone;

  // Shown pushed: held by the mouse with the pointer over it, or by Space.
  bool Pushed() const { return Held(); }
  // Enter would press it: focused, or default while no other button has the focus.
  bool Active() const;
  // Adds Default: the default button while Enter would press it.
  TPaintState PaintState() const override;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  // The caption (and, in TBitBtn, the glyph).
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  void PaintFocus(TCanvas& c, const TPaintState& s) override;
  // Space clicks; a mouse release is clicked by the framework (csClickEvents).
  void Released(bool by_key, bool over) override;
  void CMDialogKey(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

class TButton : public TCustomButton {
 public:
  using TCustomButton::TCustomButton;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* list);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  // A glyph bitmap of NumGlyphs frames side by side (up, disabled, clicked,
  // down), used when no image-list glyph exists.
  const TBitmap32& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap32& glyph);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int n);

  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l);
  // Distance of the content from the edge; -1 centres it.
  int Margin() const { return margin_; }
  void SetMargin(int m);
  // Gap between glyph and caption; -1 spreads them evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int s);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

  // The glyph's size (0 x 0 without one).
  TSize GlyphSize() const;
  // Where glyph and caption go for the current size, caption and state
  // (pressed content is moved by one pixel right and down).
  struct TContentLayout {
    TPoint GlyphPos;
    TRect CaptionRect;
  };
  TContentLayout CalcLayout(bool pressed) const;

 protected:
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Draws the glyph at p in the given state.
  virtual void DrawGlyph(TCanvas& c, TPoint p, const TPaintState& s);

 private:
  TSize MeasureCaption(int max_width) const;

  TCustomImageList* images_ = nullptr;
  TChangeLink image_link_;
  int image_index_ = -1;
  TBitmap32 glyph_;
  int num_glyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool word_wrap_ = false;
  TAlignment alignment_ = TAlignment::taCenter;
};

}  // namespace qv
