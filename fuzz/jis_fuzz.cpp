// The ISO-2022-JP converter on arbitrary bytes, with an output buffer of
// exactly input length + 1 bytes on the heap (ASan reports any write beyond
// it): the result is NUL-terminated and never longer than the input. The
// body decoder runs on the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "mailtext/body_decode.h"
#include "mailtext/iso2022jp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gleanix::mailtext;
  // An input buffer of exactly `size` bytes, so a read past it is caught too.
  const std::unique_ptr<char[]> input(new char[size == 0 ? 1 : size]);
  if (size != 0) std::memcpy(input.get(), data, size);
  const std::unique_ptr<char[]> output(new char[size + 1]);
  convertIso2022JpToSjis(output.get(), input.get(), static_cast<std::int32_t>(size));
  const void* nul = std::memchr(output.get(), '\0', size + 1);
  if (nul == nullptr) std::abort();

  const std::string text(reinterpret_cast<const char*>(data), size);
  if (decodeBody(text, convertIso2022JpToSjis).size() > text.size()) std::abort();
  return 0;
}
