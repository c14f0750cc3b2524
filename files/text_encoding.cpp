#include "files/text_encoding.hpp"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace toluvek {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // iconv_open reports failure by the handle (iconv_t)-1.
  bool ok() const {
    return handle_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
  }

  std::optional<std::string> Convert(std::string_view in) {
    if (!ok()) return std::nullopt;
    std::string out;
    std::vector<char> buffer(in.size() * 3 + 16);
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    while (true) {
      char* out_ptr = buffer.data();
      std::size_t out_left = buffer.size();
      // A null input flushes the shift state at the end; CP932 and UTF-8 have none, but the
      // call also reports an incomplete last character.
      const std::size_t done = in_left > 0 ? iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left)
                                           : iconv(handle_, nullptr, nullptr, &out_ptr, &out_left);
      out.append(buffer.data(), static_cast<std::size_t>(out_ptr - buffer.data()));
      if (done == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        return std::nullopt;  // EILSEQ: an invalid sequence; EINVAL: cut off at the end
      }
      if (in_left == 0 && in_ptr != nullptr) {
        in_ptr = nullptr;  // flush once
        continue;
      }
      return out;
    }
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  Converter converter("UTF-8", "CP932");
  return converter.Convert(cp932);
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += text[i++];
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;  // below it the form is overlong
    if ((lead & 0xE0) == 0xC0) {
      length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, c = lead & 0x07, smallest = 0x10000;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    valid = valid && c >= smallest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    }
  }
  return out;
}

}  // namespace toluvek
