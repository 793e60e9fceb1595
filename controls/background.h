// What lies behind a skinned control: a parent's answer to a child's
// background request (six cases, from a plain colour to the parent's own
// cache, passed on through fully transparent parents), the child's asking
// side that turns the answer into the TCacheInfo section painting reads, and
// the background colours the binding reports.
#pragma once

#include "controls/common_data.h"

namespace qv {

// The parent's side (scGetBackground), for the receiver's state `state`.
void AnswerBackground(TsCommonData& data, TsBackgroundRequest& r, int state);

// The child's side: fills r (Offset := the control's place, Kind reset) and
// asks the control's parent, or its parent window. DrawNow and DC are taken
// from r as given. Answers r.Kind (never bkNone).
TacBgKind AskBackground(TControl& control, TsBackgroundRequest& r);
// The same for a window that belongs to no control.
TacBgKind AskBackground(HWND window, TsBackgroundRequest& r);
// The answer as section painting reads it.
TCacheInfo CacheInfoOf(const TsBackgroundRequest& r);

// The colour behind the control (scGetBackgroundColor of a skinned parent,
// else the parent's own colour; the skin's global colour without a parent).
TColor ParentBackgroundColor(TControl& control);
// The control's colour in state `state` over its parent: the section's
// colour mixed with the parent's by the state's transparency.
TColor EffectiveColor(TsCommonData& data, int state);
// The answer to scGetBackgroundColor.
TColor BackgroundColorAnswer(TsCommonData& data);

// The cache is painted and current; prepares it (scPrepareCache to the
// owner) when stale, empty or of another size. False when it still is not.
bool EnsureCache(TsCommonData& data);

}  // namespace qv
