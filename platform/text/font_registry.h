// Face resolution: which font file (or memory font) serves a family name and
// style. Fonts registered from memory come first, then fontconfig over the
// system fonts plus the folder of the Windows-compatible faces (Tahoma among
// them), then DejaVu Sans, which covers Latin and Cyrillic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/freetype.h"
#include "platform/ustring.h"

namespace qv::text {

struct TFaceSource {
  std::string Path;  // font file; empty for a memory font
  TFontBytes Bytes;  // memory font data
  int Index = 0;     // face within a collection
  bool SynthBold = false;
  bool SynthItalic = false;
  // A bold face whose outlines are no heavier than the regular face's (its
  // weight lives in bitmap strikes only, as in the Windows-compatible Tahoma
  // Bold): the outlines are thickened, the face's own widths kept.
  bool ThinBold = false;

  bool Valid() const { return !Path.empty() || Bytes; }
  // Identity of the face (not of the synthesis) for caches.
  std::string Key() const;
};

// The face for a family and style; never invalid while the fallback face is
// installed. Missing bold or italic faces are marked for synthesis.
TFaceSource ResolveFace(ustring_view family, bool bold, bool italic, int charset);
// The face that supplies characters the resolved face lacks.
TFaceSource FallbackFace(bool bold, bool italic);
// Changes whenever a memory font is added or removed, so that caches of
// resolved fonts know to start again.
unsigned RegistryGeneration();

// Where the Windows-compatible faces live: outside fontconfig's folders.
inline constexpr const char* kWindowsFontDir = "/usr/share/wine/fonts";
inline constexpr const char* kFallbackFamily = "DejaVu Sans";

}  // namespace qv::text
