// The skinned labels as the description reader sees them, and the
// BoundLabel.* properties of a control that has a bound label.
#pragma once

#include <functional>

#include "controls/bound_label.h"
#include "platform/component/registry.h"

namespace qv {

// Registers TsCustomLabel, TsLabel, TsWebLabel and TsHTMLLabel with their
// published properties once; later calls do nothing.
void RegisterLabelClasses();

// Registers BoundLabel.Active, .Caption, .Layout, .Offset, .Indent,
// .MaxWidth, .UseHTML, .ParentFont, .Font.*, .AllowClick, .EnabledAlways and
// .UseSkinColor on a class; bound gives the object's bound label.
void RegisterBoundLabelProperties(TClassInfo& info,
                                  std::function<TsBoundLabel&(TPersistent&)> bound);
// The same for a class C whose BoundLabel() gives it (TacBoundLabelOwner).
template <class C>
void RegisterBoundLabelProperties(TClassInfo& info) {
  RegisterBoundLabelProperties(
      info, [](TPersistent& p) -> TsBoundLabel& { return dynamic_cast<C&>(p).BoundLabel(); });
}

}  // namespace qv
