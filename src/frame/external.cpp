#include "frame/external.hpp"

#include <climits>
#include <map>
#include <memory>
#include <mutex>

#include "frame/host.hpp"
#include "frame/program.hpp"

namespace quarn::frame {

namespace {

// Makes `key` the key of `name`.
void make_key(std::string_view name, std::string& key) {
  key.assign(name);
  for (char& c : key) {
    if (c == '-') {
      c = '_';
    } else if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
}

}  // namespace

std::string external_key(std::string_view name) {
  std::string key;
  make_key(name, key);
  return key;
}

namespace {

struct Block {
  std::unique_ptr<char[]> bytes;
  std::size_t size;
};

// The library's own areas, for processes without a GnuCOBOL runtime. They live as long as
// the process (never destroyed), as EXTERNAL records do.
void* own_area(const std::string& key, std::size_t size) {
  static auto* mutex = new std::mutex;
  static auto* blocks = new std::map<std::string, Block, std::less<>>;
  std::lock_guard lock(*mutex);
  auto it = blocks->find(key);
  if (it == blocks->end()) {
    it = blocks->emplace(key, Block{std::make_unique<char[]>(size), size}).first;  // zeroed
  }
  return size <= it->second.size ? it->second.bytes.get() : nullptr;
}

}  // namespace

void* external_area(std::string_view name, std::size_t size) {
  // Some programs look their areas up on every call (the control file, two a request): the
  // key is made in storage kept from one call to the next rather than allocated each time.
  thread_local std::string key;
  make_key(name, key);
  void* area = nullptr;
  if (in_gnucobol_process()) {
    if (size <= static_cast<std::size_t>(INT_MAX)) {
      area = gnucobol_external_area(key.c_str(), static_cast<int>(size));
    }
  } else {
    area = own_area(key, size);
  }
  if (area == nullptr) {
    report_runtime_error(__LINE__, "external area " + key + " cannot be had with " +
                                       std::to_string(size) + " bytes");
  }
  return area;
}

}  // namespace quarn::frame
