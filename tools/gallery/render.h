// The gallery's rendering: every sample in every state and every scene once,
// and the contact sheet that lays them out with their names.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qv::gallery {

constexpr int kStateCount = 5;
extern const char* const kStateNames[kStateCount];

struct TGalleryPictures {
  std::vector<std::string> Names;
  std::vector<std::array<TBitmap32, kStateCount>> Pictures;  // per sample, per state
  std::vector<std::string> SceneNames;
  std::vector<TBitmap32> Scenes;
};

// Runs its own headless window system; none may be running.
TGalleryPictures RenderStates();

// One row per sample, one column per state, with headers; the scenes below.
TBitmap32 ComposeSheet(const TGalleryPictures& pictures);

}  // namespace qv::gallery
