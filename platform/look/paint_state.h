// The neutral paint state of a control: what it shows about itself, read by
// every painter alike, the plain look's and a skin's. A control fills it in
// its PaintState (platform/component/control.h); parts that light up on their
// own (a combo box's button, spin buttons, tabs) add the control's HotPart.
#pragma once

namespace qv {

struct TPaintState {
  bool Enabled = true;       // enabled, and every parent too
  bool Hot = false;          // the pointer is over it (only while enabled)
  bool Pressed = false;      // held down: a button, a check box, the track bar's
                             // thumb; a combo box while its list is open
  bool Focused = false;      // it has the keyboard focus
  bool Default = false;      // the button Enter presses
  int Checked = 0;           // a check box: 0 unchecked, 1 checked, 2 grayed
  bool DroppedDown = false;  // a combo box's list is open
  bool ReadOnly = false;     // a text field that takes no typing
};

// The name the flat look's painters give it.
using TFlatState = TPaintState;

}  // namespace qv
