// The skin command message: the private window message through which the
// skin manager, forms and controls tell each other about skins, its command
// codes, and its delivery to a control, to a control's children and to every
// form of the application. The skin binding of the controls will answer it;
// until then any control may answer in its window procedure.
#pragma once

#include <vector>

#include "platform/component/form.h"
#include "platform/window/types.h"

namespace qv {

constexpr UINT SKIN_COMMAND_MSG = 0xA100;

// Command codes: the high word of the first parameter.
enum TacSkinCommand : int {
  scSetNewSkin = 1,  // parameter: the manager
  scRemoveSkin = 2,
  scRefreshSkin = 3,  // parameter: the manager
  scEndParentUpdate = 6,
  scIsSkinned = 7,
  scSetUpdating = 8,
  scGetDefaultSkinIndex = 9,
  scQueryBusy = 10,
  scGetHalfVisible = 11,
  scSectionChanged = 13,  // parameter: a const ustring* with the upper-cased name
  scSetSkinSection = 15,
  scStopAnimation = 16,
  scBackgroundChanged = 17,
  scInvalidate = 18,
  scIsSkinnedBackground = 19,
  scRepaintMoved = 20,
  scGetBackgroundColor = 21,
  scSetHalfVisible = 22,
  scPrepareCache = 23,
  scAddControl = 25,
  scGetSkinIndex = 26,
  scMouseEnter = 29,
  scMouseLeave = 30,
  scBeginUpdate = 31,
  scEndUpdate = 32,
  scReleaseCache = 33,
  scGetBackground = 34,
  scUpdateFontName = 36,  // parameter: the manager
  scGetSkinData = 37,
  scSetPrintDC = 38,
  scPaintOuterEffects = 40,
  scFrameChanged = 53,
  scGetVisibleSection = 66,
  scScaleChanged = 68,  // parameter: the new pixels per inch
  scGetPPI = 69,
  scGetBounds = 70,
  scApplyPreview = 71,
  // 74 and 75 go to the skin list's controls (skin_list.h).
  scPaintsWholeRect = 85,
  scGetCommonSkinData = 86,
};

constexpr WPARAM SkinCommandWParam(int command, int low = 0) {
  return static_cast<WPARAM>((static_cast<unsigned>(command) & 0xFFFF) << 16 |
                             (static_cast<unsigned>(low) & 0xFFFF));
}
constexpr int SkinCommandOf(WPARAM w) { return static_cast<int>((w >> 16) & 0xFFFF); }
constexpr int SkinCommandLow(WPARAM w) { return static_cast<int>(w & 0xFFFF); }

// One control: a windowless control by direct dispatch; a windowed control
// without a window, or being destroyed, gets nothing (answer 0); otherwise a
// synchronous send to its window.
LRESULT SendSkinCommand(TControl* control, int command, LPARAM param = 0, int low = 0);

// Whether a windowed control is itself skinned: it answers scIsSkinned with 1.
bool IsSkinnedControl(TControl* control);

// Every child of parent in order, stopping at the first child being
// destroyed; the children of a windowed child too unless it is skinned itself.
void BroadcastToChildren(TWinControl& parent, int command, LPARAM param = 0, int low = 0);

// The command to the form, then to all of its controls.
void SendToFormAndControls(TCustomForm& form, int command, LPARAM param = 0, int low = 0);

// The forms whose frames the skin engine paints (filled by the frame code).
void RegisterSkinnedForm(TCustomForm* form);
void UnregisterSkinnedForm(TCustomForm* form);
const std::vector<TCustomForm*>& SkinnedForms();

// Other top-level windows the skin engine's window hook looks after.
void TrackSkinnedWindow(HWND hwnd);
void UntrackSkinnedWindow(HWND hwnd);
const std::vector<HWND>& TrackedSkinnedWindows();

// Sends the command to every form of the application, last created first,
// that is not loading, not being destroyed and not skinned itself (each form
// before its controls); then to every registered skinned form that is not
// being destroyed, the same way; then to every visible tracked window.
void BroadcastSkinCommand(int command, LPARAM param = 0, int low = 0);

}  // namespace qv
