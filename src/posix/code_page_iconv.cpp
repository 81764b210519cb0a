// Code page 932 on systems with iconv, for the native build and its tests.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/code_page.h"

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    // (iconv_t)-1 is how iconv_open says it failed.
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);  // NOLINT(performance-no-int-to-ptr)
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `input`; a unit that cannot be converted is skipped and
  // `on_invalid` is written in its place.
  std::string Convert(std::string_view input, std::size_t unit, std::string_view on_invalid) {
    std::string output;
    std::vector<char> buffer(4096);
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
      char* out = buffer.data();
      std::size_t out_left = buffer.size();
      const std::size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
      output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        const std::size_t skip = std::min(unit, in_left);
        in += skip;
        in_left -= skip;
        output.append(on_invalid);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return output;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::u16string DecodeCodePage932(std::string_view bytes) {
  Converter converter("UTF-16LE", "CP932");
  const std::string replacement("\xFD\xFF", 2);  // U+FFFD, little-endian
  const std::string utf16 = converter.Convert(bytes, 1, replacement);
  std::u16string text(utf16.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                    (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
  }
  return text;
}

std::string EncodeCodePage932(std::u16string_view text) {
  std::string utf16;
  utf16.reserve(text.size() * 2);
  for (char16_t unit : text) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  }
  Converter converter("CP932", "UTF-16LE");
  return converter.Convert(utf16, 2, "?");
}
