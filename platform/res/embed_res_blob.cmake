# cmake -P script: writes OUT_DIR/SYMBOL.cpp and SYMBOL.h holding the bytes of IN.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")
endif()
file(WRITE ${OUT_DIR}/${SYMBOL}.h
"// Generated from ${IN}; do not edit.
#pragma once
#include <cstddef>
#include <span>
namespace mensora_res_blobs {
std::span<const std::byte> ${SYMBOL}();
}
")
file(WRITE ${OUT_DIR}/${SYMBOL}.cpp
"// Generated from ${IN}; do not edit.
#include \"${SYMBOL}.h\"
namespace mensora_res_blobs {
namespace {
alignas(4) const unsigned char kData[] = {
  ${bytes}
};
}  // namespace
std::span<const std::byte> ${SYMBOL}() {
  return {reinterpret_cast<const std::byte*>(kData), ${size}};
}
}  // namespace mensora_res_blobs
")
