// The section model read from an options store: values read through the
// PARENTCLASS chain, the sections (TsGeneralData with their three states) and
// the image elements' descriptions with their scale variants, and the
// standard sections with their stand-ins. Images themselves are loaded later
// by the skin loader; here an element carries what its text says.
#pragma once

#include <functional>

#include "skin/element_notation.h"
#include "skin/options_store.h"
#include "skin/skin_data.h"

namespace qv {

// Reads section values, looking into the parent sections for what a section
// lacks. A parent chain that comes back to a section already visited ends.
class TacSectionReader {
 public:
  explicit TacSectionReader(const TMemIniFile& ini) : ini_(ini) {}

  // PARENTCLASS of the section itself; empty when absent or "?".
  ustring ParentOf(ustring_view section) const;
  ustring ReadString(ustring_view section, ustring_view key, ustring_view def) const;
  // "TRUE" or "1" is true, any other text false.
  bool ReadBool(ustring_view section, ustring_view key, bool def) const;
  // A negative or unreadable value counts as missing; missing gives def, or
  // -1 when raw. The result is at most limit.
  int ReadInt(ustring_view section, ustring_view key, int def, int limit = 0x7FFFFFFF,
              bool raw = false) const;

 private:
  template <class Accept>
  const ustring* Find(ustring_view section, ustring_view key, Accept accept) const;
  const TMemIniFile& ini_;
};

// The value of a key chosen for a pixel density among its scale variants, and
// the design PPI it was made for.
struct TacScaledValue {
  ustring Value;
  int DivPPI = 96;
};
// Nothing when no variant has a value.
std::optional<TacScaledValue> ChooseScaleVariant(const TMemIniFile& ini, ustring_view section,
                                                 ustring_view key, int ppi);

using TScaleInt = std::function<int(int)>;

// The keys of one state (0 normal, 1 hot, 2 pressed) that the section itself
// gives, over st; no parent chain, no defaults. Values that are not numbers
// leave st as it was; a malformed gradient raises EGradientError.
void ReadStateOverrides(const TMemIniFile& ini, ustring_view section, int state, TsGenState& st);

// One section as its keys (and its parents' keys) describe it. A gradient text
// of four characters or more is parsed; EGradientError (naming the section and
// key) when it is malformed.
TsGeneralData ReadGeneralData(const TacSectionReader& reader, ustring_view section, int ppi,
                              bool has_elements, const TScaleInt& scale_int);

// Appends to sd.ma an element for every element value of every section, in
// file order, with the scale variant chosen for sd.PPI; accept may prepare it
// (its image) or refuse it. ESkinConvertError for an element field that is not
// a number.
using TElementAccept = std::function<bool(TsMaskData& md, const TacElementFields& fields)>;
void ReadSkinElements(const TMemIniFile& ini, TacSkinData& sd,
                      const TElementAccept& accept = nullptr);

// Appends to sd.gd one section for every section of the options, in file
// order. EGradientError for a malformed gradient text.
void ReadSkinSections(const TMemIniFile& ini, TacSkinData& sd, const TScaleInt& scale_int);

// "TRANSPARENT" and "MAINCOLOR", appended when the skin lacks them: one state,
// see-through resp. in the main colour, both with the label colour as text.
void AppendDefaultSections(TacSkinData& sd, TColor main_color, TColor label_text);

// The section model without images: the elements, the sections, the default
// sections (main colour from "COLOR", label colour from "FONTCOLOR" of
// "GLOBALINFO") and the standard sections with their stand-ins, in this order.
void BuildSectionModel(const TMemIniFile& ini, TacSkinData& sd, TacSkinCommonInfo& info,
                       const TScaleInt& scale_int = nullptr);

// Sections[s] for every standard section, appending copies of the stand-ins
// of missing ones (empty sections with States -1 when the stand-in is missing too).
void ResolveStandardSections(TacSkinData& sd, TacSkinCommonInfo& info);

}  // namespace qv
