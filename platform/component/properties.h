// Registration of the framework's classes with the description reader, with
// the properties every control inherits (bounds, alignment, anchors,
// margins, caption, font, colour, visibility, tab order, events).
#pragma once

#include <functional>
#include <string>

#include "platform/component/control.h"
#include "platform/component/reader.h"

namespace qv {

// Registers TComponent, TControl, TGraphicControl, TWinControl,
// TCustomControl, TCustomForm and TForm once; later calls do nothing.
void RegisterFrameworkClasses();

// Edits, announcing the change, the font that a dotted prefix names on an
// object of the class (a control's Font, a web label's HoverFont).
using TFontEditor =
    std::function<void(TPersistent& target, const std::function<void(TFont&)>& edit)>;
// Registers prefix.Name, .Height, .Size, .Color, .Charset, .Style and
// .Quality on the class.
void RegisterFontProperties(TClassInfo& info, const std::string& prefix, const TFontEditor& edit);

// Names of the framework's enumerations, for controls that publish them.
extern const TEnumNames<TAlign> kAlignNames;
extern const TEnumNames<TAnchorKind> kAnchorNames;

}  // namespace qv
