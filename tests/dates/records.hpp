// Records of the date programs built from and shown as their bytes.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace dates_test {

// A record holding `bytes`, padded with spaces.
template <class Record>
Record record_of(std::string_view bytes) {
  Record record;
  std::memset(&record, ' ', sizeof record);
  std::memcpy(&record, bytes.data(), bytes.size() < sizeof record ? bytes.size() : sizeof record);
  return record;
}

template <class Record>
std::string bytes_of(const Record& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

inline std::string field(const char* data, std::size_t size) {
  return std::string(data, size);
}

}  // namespace dates_test
