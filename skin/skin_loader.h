// Loading a skin: the options and images of the manager's current skin made
// into one TacSkinData for a pixel density, in a fixed order of steps, and the
// scale-independent facts and palette kept by the manager.
//
//   LoadCommonData (once per skin) -> LoadParams -> LoadAllMasks ->
//   LoadAllGeneralData -> InitConstantIndexes -> InitMaskIndexes ->
//   InitMaskParams -> InitSkinParams (palette, colour settings) -> CheckShadows
//
// Elements are loaded before sections, so an element's SkinIndex is its
// section's position in the options, which the section array reproduces.
// Numbers from the options that size something the load allocates (radii,
// blurs, counts, rescaled images) are bounded.
#pragma once

#include <memory>
#include <vector>

#include "skin/skin_data.h"
#include "skin/skin_images.h"

namespace qv {

class TsSkinManager;
class TacElementImages;

// The master bitmap and the scale-independent facts of the skin ("GLOBALINFO")
// into the manager, then the version check: a skin newer than this engine
// gets a warning (not with "/acpreview" as the program's first argument).
void LoadCommonData(TsSkinManager& m);

// The program's first command-line argument; tests may set it.
ustring FirstProgramArgument();
void SetFirstProgramArgumentForTest(std::optional<ustring> arg);

// Bounds on what the options may ask the load to make.
constexpr int kMaxEffectRadius = 255;  // radii, blurs, offsets and shadow sizes
constexpr int kMaxTitleGlows = 64;     // glow frames of a title button

class TacSkinLoader {
 public:
  TacSkinLoader(TsSkinManager& m, TacSkinData& sd);
  ~TacSkinLoader();
  TacSkinLoader(const TacSkinLoader&) = delete;
  TacSkinLoader& operator=(const TacSkinLoader&) = delete;

  // Every step from LoadParams to CheckShadows. build_palette: this load
  // also derives the manager's palette and applies the colour settings to the
  // master bitmap (the first load of a skin).
  void Run(bool build_palette);

  void LoadParams();
  void LoadAllMasks();
  void LoadAllGeneralData();
  void InitConstantIndexes();
  void InitMaskIndexes();
  void InitMaskParams();
  void InitSkinParams(bool build_palette);
  void CheckShadows();

  // A "GLOBALINFO" integer designed for a scale: read for the skin data's
  // scale, or for the design scale of an element when given.
  int ScaledGlobalInt(ustring_view key, int def, const TsMaskData* element = nullptr) const;

 private:
  struct TOuterDefaults {
    int OffsetL, OffsetR, OffsetT, OffsetB, Opacity;
  };
  // The keys of an outer effect ("SH_" shadow, "LO_" light outline) but its colours.
  void ReadOuterEffect(TacOutEffData& e, ustring_view prefix, const TOuterDefaults& d);
  // An element of colors over its mask, one frame, stretched.
  TsMaskData MaskedColors(const TBitmap32& colors, const TBitmap32& mask, ustring class_name,
                          ustring property, int skin_index);
  void AddOuterEffectMask(int index, const char16_t* mask_key);
  void AddComputedOuterMask(std::size_t section);
  int ScaleEffect(int n) const;

  TsSkinManager& m_;
  TacSkinData& sd_;
  const TMemIniFile& ini_;
  std::unique_ptr<TacElementImages> images_;
  // Elements whose text gave no frame count: their margins are derived.
  std::vector<int> derive_margins_;
};

// The element section/prop of the current skin prepared for ppi, into md:
// the first design scale at or above ppi that has a value (else the nearest
// below), its image loaded or copied out of the master bitmap and rescaled.
// 0, or -1 when no skin is active, there is no value or no image.
int GetScaledMaskData(TsSkinManager& m, ustring_view section, ustring_view prop, TsMaskData& md,
                      int ppi);

}  // namespace qv
