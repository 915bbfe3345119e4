// libFuzzer target: table files of any bytes through the whole engine.
#include "table_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunTableFuzzOnce(data, size);
  return 0;
}
