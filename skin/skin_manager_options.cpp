// The class lists of third-party controls and their defaults.
#include "skin/skin_manager_options.h"

namespace qv {

const std::array<const char*, kThirdPartyKinds> kThirdPartyNames = {
    "ThirdEdits",      "ThirdButtons",     "ThirdBitBtns",       "ThirdCheckBoxes",
    "ThirdGroupBoxes", "ThirdListViews",   "ThirdPanels",        "ThirdGrids",
    "ThirdTreeViews",  "ThirdComboBoxes",  "ThirdWWEdits",       "ThirdVirtualTrees",
    "ThirdGridEh",     "ThirdPageControl", "ThirdTabControl",    "ThirdToolBar",
    "ThirdStatusBar",  "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown",
    "ThirdScrollBar",  "ThirdStaticText",  "ThirdNativePaint",
};

void TsThirdPartyList::FillDefaults() {
  for (std::size_t i = 0; i < Lists.size(); ++i)
    if (Lists[i].empty()) Lists[i] = i == 1 ? u"TButton" : u" ";
}

int TsThirdPartyList::IndexOf(std::string_view name) {
  for (std::size_t i = 0; i < kThirdPartyNames.size(); ++i)
    if (name == kThirdPartyNames[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace qv
