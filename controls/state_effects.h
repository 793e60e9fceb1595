// What happens around a skinned control's change of state: hover tracking,
// the cross-fade of its cache from the old state's picture to the new one,
// and the jump to a fade's end or its stop.
#pragma once

#include "controls/common_data.h"
#include "controls/threaded_timer.h"

namespace qv {

class TsSkinManager;

// Event indexes of EventAnimated.
enum TacAnimEventIndex { kEventEnter = 0, kEventLeave = 1, kEventDown = 2, kEventUp = 3 };

// Whether the event may fade: its bit is in the control's set; else, with
// aeGlobalDef, the manager's AnimEffects.Buttons.Events decides.
bool EventAnimated(int event, TacAnimatEvents events, const TsSkinManager* manager);
// The event test for a binding's owner.
bool EventAnimated(int event, TsCommonData& data);

// The step routine of state fades: the blend of the two pictures at this
// step's level, shown on the control's window; the hover glow follows it.
bool StateFadeStep(TacThreadedTimer& timer, int iteration);

// Repaints the control in state new_state: with a fade when the event test
// passed, the cache is valid, no skin change runs and animation is allowed;
// else at once. glow: the hover glow comes (or goes) with the state.
void DoStateTransition(TsCommonData& data, int new_state, const TacAnimProc& step, bool glow,
                       bool fast, bool event_animated);
// The common case: the state fade step.
inline void DoStateTransition(TsCommonData& data, int new_state, bool glow, bool fast,
                              bool event_animated) {
  DoStateTransition(data, new_state, StateFadeStep, glow, fast, event_animated);
}

// The control's state is now new_state because of event (-1: none): a
// transition unless the cache already shows (or a fade heads for) that
// state, faded when the event may fade, with the hover glow.
void SkinTransition(TsCommonData& data, int new_state, int event, bool fast);

// Shows the running fade's last picture at once and stops the timer.
void FinishFade(TacThreadedTimer& timer);
// Timer off, target forgotten, the fade's pictures freed.
void StopFade(TsCommonData& data);

// The mouse came over the control: hot flags, the manager's active control,
// the generic hover glow and the state-1 colours of edit-like classes (the
// control's own transition follows from its paint state).
void HoverEnter(TsCommonData& data);
// The mouse left (and is not over one of the control's children): the
// reverse; nothing while it is still inside the control's visible area.
void HoverLeave(TsCommonData& data);

}  // namespace qv
