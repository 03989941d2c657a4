// Named external areas: one block of storage per name and process, shared by every program
// of the library and, in a GnuCOBOL process, with the callers' EXTERNAL records.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

namespace quarn::frame {

// The key GnuCOBOL files an EXTERNAL record under: upper case, "-" as "_".
std::string external_key(std::string_view name);

// The block for `name` ("X-MISC-EXTERNAL-WS"), zero-filled when first made. Null (and a
// run-time error) when the block exists and is smaller than `size`.
void* external_area(std::string_view name, std::size_t size);

// A typed view of an external area: `T` is the area's record layout.
template <typename T>
T* external(std::string_view name) {
  return static_cast<T*>(external_area(name, sizeof(T)));
}

// An area that programs ask for on every call. A block never moves once made, so its
// address is kept from the first look-up that finds it; one that cannot be had is looked
// up (and reported) again the next time.
template <typename T>
class KeptArea {
 public:
  explicit KeptArea(std::string_view name) : name_(name) {}

  T* get() {
    T* area = kept_.load(std::memory_order_acquire);
    if (area == nullptr) {
      area = external<T>(name_);
      kept_.store(area, std::memory_order_release);
    }
    return area;
  }

 private:
  std::string_view name_;
  std::atomic<T*> kept_{nullptr};
};

}  // namespace quarn::frame
