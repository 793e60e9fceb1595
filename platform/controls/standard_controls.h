// Registration of the standard controls (label, buttons, check box, group
// box, progress bar, track bar, page control and tab sheets, image list) and
// their published properties with the description reader.
#pragma once

namespace qv {

// Registers the framework classes first; later calls do nothing.
void RegisterStandardControls();

}  // namespace qv
