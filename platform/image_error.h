// The error the image codecs throw on data they cannot decode or encode.
#pragma once

#include <stdexcept>
#include <string>

namespace qv {

class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decoders refuse pictures beyond these sizes before allocating anything.
constexpr int kMaxImageSide = 16384;
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

}  // namespace qv
