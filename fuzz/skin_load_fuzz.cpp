// Fuzzes the whole skin load: a package (given as it stands, or built from an
// options text and files so that the mutations reach the options and the
// image decoders rather than the zlib streams) is stored in a manager and
// loaded at four densities with colour settings, computed shadows and the
// scaled-element lookup. Whatever the bytes, the load either produces a skin
// or reports why, and never crashes, hangs or allocates without bound.
//
// Input: "ASzf..." is a package. Anything else is
//   u16 options length, options, then { u8 name length, name, u32 length, bytes }.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "skin/package.h"
#include "skin/skin_manager.h"
#include "skin/skin_paths.h"

namespace {

class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
  bool Empty() const { return p_ >= end_; }
  std::uint32_t Number(int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes && p_ < end_; ++i) v |= static_cast<std::uint32_t>(*p_++) << (8 * i);
    return v;
  }
  qv::TBytes Take(std::size_t n) {
    n = std::min<std::size_t>(n, static_cast<std::size_t>(end_ - p_));
    qv::TBytes out(p_, p_ + n);
    p_ += n;
    return out;
  }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

qv::TBytes PackageOf(const std::uint8_t* data, std::size_t size) {
  if (size >= 4 && std::memcmp(data, "ASzf", 4) == 0) return qv::TBytes(data, data + size);
  TReader r(data, size);
  std::vector<qv::TacPackEntry> entries;
  entries.push_back({"OPTIONS.DAT", r.Take(r.Number(2))});
  while (!r.Empty() && entries.size() < 8) {
    const qv::TBytes name = r.Take(r.Number(1));
    entries.push_back({std::string(name.begin(), name.end()), r.Take(r.Number(4))});
  }
  return qv::WritePackage(entries, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    qv::SetSkinMessageHook([](qv::TacMessageKind, qv::ustring_view) {});
    qv::SetApplicationFolderOverride(qv::ustring(u"/nonexistent/quorvane-fuzz/"));
    setenv("XDG_DATA_HOME", "/nonexistent/quorvane-fuzz", 1);
    return true;
  }();
  (void)ready;
  if (size > 1 << 20) return 0;
  qv::TsSkinManager m(nullptr);
  m.ExtendedBorders = true;
  m.SetHueOffset(size % 2 ? 1000 : 0);
  m.SetBrightness(size % 3 ? -40 : 30);
  qv::TsStoredSkin& item = m.InternalSkins().Add();
  item.SetName(u"F");
  item.SetPackedData(PackageOf(data, size));
  m.SetSkinName(u"F");
  if (m.IsActive()) {
    for (int ppi : {120, 144, 192}) {
      const qv::TacSkinData& sd = m.CommonSkinData(ppi);
      for (const qv::TsMaskData& md : sd.ma)
        if (md.ImageCount < 1 || md.Width < 0 || md.Height < 0) std::abort();
    }
    qv::TsMaskData md;
    m.GetScaledMaskData(u"GLOBALINFO", u"BOXCHECKED", md, 130);
  }
  return 0;
}
