// POP-ENCODE-TEXT: plain text (heading lines, the report title) as rich text.
#include <string_view>

#include "docout/pop_output.hpp"

namespace quarn::docout {

void encode_text(Output& out, frame::ConstField field) {
  std::string_view text = frame::trimmed(field);
  while (!text.empty()) {
    const std::size_t special = text.find_first_of("\\{}");
    out.text(text.substr(0, special));
    if (special == std::string_view::npos) break;
    const char escaped[2] = {'\\', text[special]};
    out.word(std::string_view(escaped, 2));
    text.remove_prefix(special + 1);
  }
}

}  // namespace quarn::docout
