// The application's common sections: INI lines given to the skin manager that
// change sections of whatever skin is loaded, or add sections to it, and may
// bring bitmap files of their own.
#pragma once

#include <vector>

#include "platform/ustring.h"
#include "skin/skin_data.h"
#include "skin/skin_images.h"

namespace qv {

// For each section of lines: the skin's section of that name, or a new one
// based on its PARENTCLASS (or empty with three states), takes the states,
// flags, glow and border removal the lines give. In sections other than
// "GLOBALINFO" a value naming a ".BMP" file that exists becomes a texture
// element of that section (cached in sd.BmpArray). EGradientError for a
// malformed gradient.
void ApplyCommonSections(const std::vector<ustring>& lines, TacSkinData& sd,
                         const TacSkinFiles& files);

}  // namespace qv
