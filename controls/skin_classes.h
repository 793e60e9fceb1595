// Control class codes and the fixed class sets that decide how a skinned
// control of each class behaves (hover, colours, glow, default section), and
// the background-dependency bits of a bound section.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace qv {

struct TsGeneralData;
class TacSkinData;

// The class codes of the controls in use.
enum : int {
  kCocEdit = 3,  // and the spin edit
  kCocComboBox = 13,
  kCocCheckBox = 32,
  kCocGroupBox = 74,
  kCocBitBtn = 94,
  kCocPageControl = 141,
  kCocProgressBar = 161,
  kCocTrackBar = 165,
};

// A set of class codes 0..255.
class TacClassSet {
 public:
  // Inclusive ranges {first, last}; a single code is {c, c}.
  constexpr TacClassSet(std::initializer_list<std::pair<int, int>> ranges) {
    for (const auto& [first, last] : ranges)
      for (int c = first; c <= last; ++c) bits_[c >> 6] |= std::uint64_t{1} << (c & 63);
  }
  constexpr bool Has(int code) const {
    return code >= 0 && code < 256 && ((bits_[code >> 6] >> (code & 63)) & 1) != 0;
  }

 private:
  std::array<std::uint64_t, 4> bits_{};
};

// Mouse-over never makes these hot.
inline constexpr TacClassSet kNeverHot{{19, 19}, {51, 74}, {110, 110}, {141, 161}};
// Mouse-over makes these hot only under HotEditsAllowed().
inline constexpr TacClassSet kHotOnRequest{{2, 18}, {76, 85}, {132, 140}, {231, 231}};
// Their own Color and Font.Color follow the section's state colours.
inline constexpr TacClassSet kColorsFollowState{{2, 18}, {76, 84}, {132, 140}, {231, 231}};
// No generic hover glow (buttons run their own).
inline constexpr TacClassSet kNoHoverGlow{{51, 51},   {54, 54},   {56, 59},   {74, 74},
                                          {92, 94},   {110, 110}, {141, 141}, {143, 143},
                                          {151, 151}, {161, 161}, {226, 226}};
// A refreshed skin also recalculates the window's frame.
inline constexpr TacClassSet kFrameRefresh{{7, 8},   {10, 10}, {14, 14},  {78, 78},
                                           {83, 83}, {85, 85}, {231, 231}};
// Without a section name these ask the control for its default section.
inline constexpr TacClassSet kDefaultSectionByControl{
    {2, 10},    {12, 14},   {32, 34},   {50, 51},   {53, 54},   {57, 59},
    {74, 76},   {78, 78},   {81, 85},   {92, 94},   {132, 141}, {143, 143},
    {151, 151}, {161, 161}, {165, 165}, {224, 224}, {226, 227}};

// The section name a class without a section name takes by itself; empty
// when the class asks the control or uses the control's class name.
const char16_t* FixedSectionOfClass(int code);

// The global switch that lets edit-like controls become hot by the mouse; off.
bool HotEditsAllowed();
void SetHotEditsAllowed(bool on);

// BGType bits: which dimensions a section's painted background depends on.
enum : unsigned {
  kBgHorzGradient = 0x01,
  kBgVertGradient = 0x02,
  kBgWidthBits = 0xA5,   // a width change repaints the children
  kBgHeightBits = 0x56,  // a height change does
};
// From the state-0 texture's draw mode and the state-0 gradient's direction.
unsigned ComputeBGType(const TacSkinData& sd, int skin_index);

}  // namespace qv
