// The generated skin read back the way the program reads it, to look at:
// the package unpacked, the options text built into the section model for one
// density, the master bitmap and the huge button's file decoded, and the
// window's hue offset applied with the skin engine's own transforms. A small
// painter shows a section's state (colour, texture, border) and elements
// from it. It paints what the section painter will for the looks this skin
// uses (opaque or fully transparent states, a vertical gradient, stretched or
// top-row textures); it is a preview, not the section painter.
#pragma once

#include <memory>

#include "paint/mask_element.h"
#include "platform/bitmap.h"
#include "skin/options_store.h"
#include "skin/package.h"
#include "skin/skin_data.h"

namespace qv::skingen {

class TSkinView {
 public:
  // Throws std::runtime_error when the package is not one or lacks a part.
  TSkinView(TByteView package, int ppi);

  int PPI() const { return data_->PPI; }
  const TacSkinData& Data() const { return *data_; }
  const TacSkinCommonInfo& Common() const { return info_; }
  const TMemIniFile& Options() const { return ini_; }
  const TBitmap32& Master() const { return master_; }

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

  // A GLOBALINFO integer of the title bar (BIRIGHT …) at this density: its
  // scale variant, else the plain value scaled.
  int ScaledGlobal(ustring_view key, int def) const;

  // The section's state over r: colour (fully transparent states leave what
  // lies below), gradient, texture, border element.
  void PaintSection(TBitmap32& dst, const TRect& r, int section, int state) const;
  // One frame of an element with its top-left corner at p (faded for mode 2).
  void DrawImage(TBitmap32& dst, TPoint p, int element, int state, int mode = 1) const;
  void DrawBorder(TBitmap32& dst, const TRect& r, int element, int state) const;

 private:
  TMemIniFile ini_;
  TacSkinCommonInfo info_;
  std::unique_ptr<TacSkinData> data_;
  TBitmap32 master_;
};

}  // namespace qv::skingen
