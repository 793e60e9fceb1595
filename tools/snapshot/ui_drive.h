// Driving the real window as a person does, through the headless backend's
// synthetic mouse and keyboard: where a control is grabbed, clicking a page
// tab, picking a combo box item from its open list, taking the focus and
// pressing key chords. Shared by the script driver and the window tests.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/component/control.h"
#include "platform/component/wincontrol.h"
#include "platform/controls/combobox.h"
#include "platform/controls/pagecontrol.h"
#include "platform/window/headless.h"

namespace qv::drive {

// An action the window did not take as a person's would have been taken
// (the list did not open, the page did not change, the focus stayed away).
class EDriveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A key with the modifiers held while it is pressed.
struct TKeyChord {
  int vk = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// Screen point of the centre of a control.
TPoint CenterOf(const TControl& c);
// Where a person takes hold of a control: a track bar by its thumb (a click
// on its channel would move it), a page control by its active tab, anything
// else at its centre.
TPoint GripPoint(const TControl& c);

// Makes page index (0-based) active with a click on its tab.
void ClickTab(THeadlessBackend& input, TPageControl& pages, int index);

// Opens the combo box's list (its body for a pick list, its button for an
// editable box) and clicks row index, scrolling the list with the wheel
// first when the row is out of view.
void PickItem(THeadlessBackend& input, TCustomComboBox& combo, int index);

// Gives the control the focus with a click at its grip point, unless it has
// it already; a pick list that opened on that click is closed again.
void Focus(THeadlessBackend& input, TWinControl& control);

// The character a chord types on a keyboard without Ctrl or Alt: a letter
// (upper case with Shift), a digit (without Shift) or a space; 0 for the rest.
char16_t TypedChar(const TKeyChord& chord);

// Presses the chord: modifiers down, the key down, its character (if it
// types one), the key up, modifiers up.
void PressChord(THeadlessBackend& input, const TKeyChord& chord);

// Presses at from, moves to from + (dx, dy) in a few steps and releases there.
void Drag(THeadlessBackend& input, TPoint from, int dx, int dy);

}  // namespace qv::drive
