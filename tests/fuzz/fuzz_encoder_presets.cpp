// Any bytes as the recorder variant's preset file.
#include "fuzz/fuzz_input.h"
#include "platform/code_page.h"
#include "settings/encoder_presets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParseEncoderPresets(DecodeCodePage932(FuzzInput{data, size}.Bytes()));
  return 0;
}
