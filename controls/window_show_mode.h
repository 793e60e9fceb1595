// How a window opened for a label's link is shown: the values in the order
// of the platform's show commands, so that each passes as its position.
#pragma once

namespace qv {

enum TsWindowShowMode : int {
  soHide,
  soNormal,
  soShowMinimized,
  soMaximize,
  soShowNoActivate,
  soShow,
  soMinimize,
  soShowMinNoActive,
  soShowNA,
  soRestore,
  soDefault,
};

}  // namespace qv
