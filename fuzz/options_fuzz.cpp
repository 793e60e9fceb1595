// Fuzzes the options store and the section model built from it: any text
// either builds a model or raises the element or gradient conversion error.
#include <cstdint>
#include <cstdlib>

#include "paint/gradient.h"
#include "skin/element_notation.h"
#include "skin/options_store.h"
#include "skin/package.h"
#include "skin/section_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::TMemIniFile ini;
  ini.LoadFromBytes(qv::TByteView(data, size));
  for (const qv::ustring& section : ini.ReadSections())
    for (const auto& kv : ini.SectionValues(section)) {
      if (!ini.ValueExists(section, kv.Key)) std::abort();
      (void)ini.ReadInteger(section, kv.Key, 0);
      (void)ini.ReadInt64(section, kv.Key, 0);
      (void)ini.ReadDecimal(section, kv.Key, 0);
    }
  for (int ppi : {96, 192}) {
    qv::TacSkinData sd(nullptr, ppi);
    qv::TacSkinCommonInfo info;
    try {
      qv::BuildSectionModel(ini, sd, info);
    } catch (const qv::ESkinConvertError&) {
      continue;
    } catch (const qv::EGradientError&) {
      continue;
    }
    if (sd.gd.size() < static_cast<std::size_t>(ini.SectionCount())) std::abort();
    for (const qv::TsMaskData& m : sd.ma)
      if (!sd.IsValidSkinIndex(m.SkinIndex) || m.ImageCount < 1) std::abort();
  }
  return 0;
}
