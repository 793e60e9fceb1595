// The generated skin as the program loads and paints it, to look at: the
// package handed to the program's own skin manager as its stored skin, loaded
// for one density with the window's hue offset, its sections painted by the
// skin engine's section painting and its elements by the mask drawing. Where
// controls are not skinned yet, the contact sheet lays their parts out itself
// (sheet.cpp); every pixel of a part still comes from these painters.
#pragma once

#include <memory>

#include "paint/mask_element.h"
#include "platform/bitmap.h"
#include "skin/control_paint_view.h"
#include "skin/options_store.h"
#include "skin/package.h"
#include "skin/skin_data.h"

namespace qv {
class TsSkinManager;
}

namespace qv::skingen {

class TSkinView {
 public:
  // Throws std::runtime_error, with what the skin engine reported, when the
  // package gives no skin.
  TSkinView(TByteView package, int ppi);
  ~TSkinView();
  TSkinView(const TSkinView&) = delete;
  TSkinView& operator=(const TSkinView&) = delete;

  // The density of the loaded data: a screen of up to 110 PPI shows the
  // skin's 96-PPI data, as the window does.
  int PPI() const { return data_->PPI; }
  const TacSkinData& Data() const { return *data_; }
  const TacSkinCommonInfo& Common() const;
  const TacPaletteArray& Palette() const;
  const TMemIniFile& Options() const;
  const TBitmap32& Master() const;
  TSectionSkin Skin() const { return {data_, &Master(), &colors_}; }

  int Section(ustring_view name) const;  // -1 when missing
  const TsGeneralData& Gd(int section) const {
    return data_->gd[static_cast<std::size_t>(section)];
  }
  // The state's look: the state lowered to what the section has, at most 2.
  const TsGenState& Look(int section, int state) const;
  TColor FontColor(int section, int state) const { return Look(section, state).FontColor.Color; }
  // An element of the section or its parents; -1 when none.
  int Element(int section, ustring_view key) const;
  TMaskElement Mask(int element) const;

  // The section's state painted over r by the skin engine, with what dst
  // holds there as the parent behind it (a transparent section shows it).
  void PaintSection(TBitmap32& dst, const TRect& r, int section, int state) const;
  // The same into a control's own picture, whose origin lies at `at` in
  // parent: r is in the picture, and parent is what shows behind it.
  void PaintSection(TBitmap32& cache, TPoint at, const TRect& r, TBitmap32& parent, int section,
                    int state) const;
  // A button's face as the button paints it: the section's background for
  // the state (states above 2 take the pressed look's colours), then its
  // border element in the state itself, so that a default button (state 3)
  // shows its own frame.
  void PaintButtonFace(TBitmap32& dst, const TRect& r, int section, int state) const;
  // One frame of an element with its top-left corner at p (faded for mode 2).
  void DrawImage(TBitmap32& dst, TPoint p, int element, int state, int mode = 1) const;
  void DrawBorder(TBitmap32& dst, const TRect& r, int element, int state) const;

 private:
  std::unique_ptr<TsSkinManager> manager_;
  const TacSkinData* data_ = nullptr;
  TSkinColorSource colors_;
};

}  // namespace qv::skingen
