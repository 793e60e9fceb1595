# Writes OUTPUT: a C++ source holding the bytes of INPUT, registered as NAME.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_len)
math(EXPR size "${hex_len} / 2")
# Sixteen bytes a line keeps the generated source readable and diffable.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include <cstddef>
#include <cstdint>

#include \"platform/resources.h\"

namespace {
alignas(16) const std::uint8_t kData[] = {
${bytes}
  0x00};
const qv::TResourceRegistration kRegistration(\"${NAME}\", kData, ${size});
}  // namespace
")
