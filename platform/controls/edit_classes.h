// Registration of the edit, spin edit and combo box classes with the
// description reader, with their published properties.
#pragma once

namespace qv {

// Registers TCustomEdit, TEdit, TSpinEdit, TCustomComboBox and TComboBox
// (and the framework's classes) once; later calls do nothing.
void RegisterEditControls();

}  // namespace qv
