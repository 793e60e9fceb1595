// Class sets, the fixed sections of some classes, and BGType.
#include "controls/skin_classes.h"

#include "skin/skin_data.h"

namespace qv {

namespace {

bool& HotEdits() {
  static bool on = false;
  return on;
}

constexpr bool In(int v, std::initializer_list<int> set) {
  for (int s : set)
    if (s == v) return true;
  return false;
}

}  // namespace

const char16_t* FixedSectionOfClass(int code) {
  switch (code) {
    case 18:
      return u"COMBOBOX";
    case 19:
      return u"BAR";
    case 20:
      return u"BARTITLE";
    case 56:
      return u"DRAGBAR";
    case 98:
      return u"TOOLBUTTON";
    case 230:
      return u"EDIT";
    default:
      return u"";
  }
}

bool HotEditsAllowed() { return HotEdits(); }
void SetHotEditsAllowed(bool on) { HotEdits() = on; }

unsigned ComputeBGType(const TacSkinData& sd, int skin_index) {
  if (!sd.IsValidSkinIndex(skin_index)) return 0;
  const TsGenState& s = sd.gd[static_cast<std::size_t>(skin_index)].Props[0];
  unsigned bits = 0;
  if (s.ImagePercent > 0 && sd.IsValidImgIndex(s.TextureIndex)) {
    const int m = sd.ma[static_cast<std::size_t>(s.TextureIndex)].DrawMode;
    if (In(m, {1, 4, 5, 8, 9, 11, 12})) bits |= 0x04;
    if (In(m, {0, 1, 3, 5, 10, 12})) bits |= 0x10;
    if (In(m, {0, 1, 7, 9, 10, 12})) bits |= 0x40;
    if (In(m, {0, 1, 2, 4, 10, 11})) bits |= 0x20;
    if (In(m, {0, 1, 6, 8, 10, 11})) bits |= 0x80;
  }
  if (s.GradientPercent > 0 && !s.GradientArray.empty()) {
    switch (s.GradientArray.front().Mode & gmShapeMask) {
      case gmHorizontal:
        bits |= 0x01;
        break;
      case gmVertical:
        bits |= 0x02;
        break;
      case gmFivePoint:
        bits |= 0x03;
        break;
      default:
        break;
    }
  }
  return bits;
}

}  // namespace qv
