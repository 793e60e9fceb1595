// A skinned control's finished picture: preparing the cache (the parent's
// background, the section for the current state, the control's content, the
// disabled look) and serving paint and erase messages from it, with the
// rounded corners of the border refreshed from the parent first.
#pragma once

#include "controls/common_data.h"

namespace qv {

// The common shape of every control's cache preparation. False when
// nothing was painted: the parent cannot give its background yet (the
// binding then postpones itself, FUpdating).
bool PrepareCache(TsCommonData& data);

// WM_PAINT: unless painting is postponed or a fade is showing, the cache
// (prepared when stale) with its corners refreshed, copied to dc at (0, 0).
void PaintFromCache(TsCommonData& data, TCanvas& dc);
// WM_ERASEBKGND: the current cache around the visible children; true when
// copied.
bool EraseFromCache(TsCommonData& data, TCanvas& dc);
// The key-coloured corners of the border painted again over the parent's
// present background.
void RefreshCorners(TsCommonData& data);

}  // namespace qv
