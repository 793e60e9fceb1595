// What section painting reads of a loaded skin and of a control: the skin
// data set with the master bitmap and colour lookup that go with it, and a
// control's section, own colour, tone, hue and saturation. The control
// binding fills a view from its state before each paint; painters without a
// binding (window frame, tab sheets) pass the skin alone.
#pragma once

#include "platform/bitmap.h"
#include "platform/color.h"
#include "skin/skin_data.h"
#include "skin/sys_colors.h"

namespace qv {

// One loaded skin at one pixel density, as painting reads it.
struct TSectionSkin {
  const TacSkinData* Data = nullptr;  // none: there is no skin to paint from
  // The image that elements without an image of their own are cut from.
  const TBitmap32* Master = nullptr;
  // Resolves system colours and the skin's named colour codes; none: the
  // platform's colours.
  const TSkinColorSource* Colors = nullptr;
};

// The inputs of a control's section painting.
struct TControlPaintView {
  TSectionSkin Skin;  // no Data: the control has no skin manager
  int SkinIndex = -1;
  // The control keeps its own background colour: OwnerColor (the owner
  // control's Color, or its form's for a window frame) replaces the section's.
  bool CustomColor = false;
  TColor OwnerColor = clNone;
  TColor ColorTone = clNone;  // clNone: no tone
  int HUEOffset = 0;          // degrees; 0: none
  int Saturation = 0;         // -255..255 as the saturation amount; 0: none
  // The control shows outer effects (its visibility is not "none").
  bool OuterEffects = false;
};

}  // namespace qv
