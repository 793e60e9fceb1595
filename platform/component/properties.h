// Registration of the framework's classes with the description reader, with
// the properties every control inherits (bounds, alignment, anchors,
// margins, caption, font, colour, visibility, tab order, events).
#pragma once

#include "platform/component/control.h"
#include "platform/component/reader.h"

namespace qv {

// Registers TComponent, TControl, TGraphicControl, TWinControl,
// TCustomControl, TCustomForm and TForm once; later calls do nothing.
void RegisterFrameworkClasses();

// Names of the framework's enumerations, for controls that publish them.
extern const TEnumNames<TAlign> kAlignNames;
extern const TEnumNames<TAnchorKind> kAnchorNames;

}  // namespace qv
