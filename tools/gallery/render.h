// The gallery's rendering: every sample in every state and every scene once,
// and the contact sheet that lays them out with their names.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "tools/gallery/gallery.h"

namespace qv::gallery {

constexpr int kStateCount = 5;
extern const char* const kStateNames[kStateCount];

struct TGalleryPictures {
  std::vector<std::string> Names;
  std::vector<std::array<TBitmap32, kStateCount>> Pictures;  // per sample, per state
  std::vector<std::string> SceneNames;
  std::vector<TBitmap32> Scenes;
};

// The sections of a look, at a screen density of ppi, every sample in every
// state (a skinned control's fade run to its end) and every scene once. Runs
// its own headless window system; none may be running. The skinned look
// throws ESkinSourceError when the program's skin does not load.
TGalleryPictures RenderStates(TGalleryLook look = TGalleryLook::Plain, int ppi = 96);

// One row per sample, one column per state, with headers; the scenes below.
TBitmap32 ComposeSheet(const TGalleryPictures& pictures);

}  // namespace qv::gallery
