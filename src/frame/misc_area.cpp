#include "frame/misc_area.hpp"

#include <algorithm>

#include "frame/codec.hpp"
#include "frame/external.hpp"

namespace quarn::frame {

QuarnXMiscExternalWs* misc_area() {
  static KeptArea<QuarnXMiscExternalWs> area("X-MISC-EXTERNAL-WS");
  return area.get();
}

std::string home_folder(const QuarnXMiscExternalWs& area) {
  const ConstField field(area.xm_home_folder);
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(trimmed(field.first(static_cast<std::size_t>(end - field.begin()))));
}

}  // namespace quarn::frame
