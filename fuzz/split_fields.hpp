#pragma once
// The fuzz targets' way of reading an input as field texts: the bytes from `first` on, cut at
// '\n' into at most `count` texts (the last one may keep the rest of the input's lines), and
// texts the input does not reach filled with `pad`.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> SplitFields(const std::uint8_t* data, std::size_t size,
                                            std::size_t count, const char* pad,
                                            std::size_t first = 0) {
  std::vector<std::string> fields(1);
  for (std::size_t i = first; i < size && fields.size() <= count; ++i) {
    if (data[i] == '\n') {
      fields.emplace_back();
    } else {
      fields.back() += static_cast<char>(data[i]);
    }
  }
  while (fields.size() < count) fields.push_back(pad);
  return fields;
}
