// GETRESOURCESTRING: one string of a file's version resource, in the first language and
// code page the resource lists; the result area is also the function result.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "platform/version_info.hpp"

namespace quarn {
namespace {

constexpr std::size_t kResultWidth = 100;
constexpr std::size_t kQueryWidth = 50;
constexpr std::uint32_t kBlockLimit = 4096;

struct State {
  char path[100];
  char version_info[kBlockLimit];
  char query[kQueryWidth];
  char language[4];
  char code_page[4];
  char result[kResultWidth];
};
State state;

// Four hexadecimal digits of a 16-bit number, high digit first, through WORDTOHEX. That
// program writes the absolute value of a negative word, so numbers from 0x8000 up (code
// page 65001 is 0xFDE9) are written here instead.
void to_hex(std::uint16_t number, char* digits) {
  if (number >= 0x8000) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    for (int i = 0; i < 4; ++i)
      digits[i] = kDigits[number >> (12 - 4 * i) & 0xF];
    return;
  }
  char word[2];
  char byte_order = 'N';
  frame::write_le16(word, static_cast<std::int16_t>(number));
  void* const params[] = {word, &byte_order};
  std::int32_t result = 0;
  if (!frame::call_by_name("WORDTOHEX     ", params, &result)) QUARN_RUNTIME_ERROR("WORDTOHEX");
  frame::write_le32(digits, result);
}

// The value of the string named in `string_name` in the file at `file`, into the result
// area (left as spaces when it cannot be read).
void look_up(std::string_view file, std::string_view string_name) {
  const std::uint32_t size = platform::version_info::block_size(file);
  if (size == 0) return;
  const std::span<char> block(state.version_info, std::min(size, kBlockLimit));
  if (!platform::version_info::read_block(file, block)) return;

  const auto translation = platform::version_info::query(block, "\\VarFileInfo\\Translation");
  if (!translation.found || translation.bytes.size() < 4) return;
  to_hex(static_cast<std::uint16_t>(frame::read_le16(translation.bytes.data())), state.language);
  to_hex(static_cast<std::uint16_t>(frame::read_le16(translation.bytes.data() + 2)),
         state.code_page);

  std::string query = "\\StringFileInfo\\";
  query.append(state.language, 4);
  query.append(state.code_page, 4);
  query += '\\';
  query += string_name;
  frame::put_text(state.query, query);

  const auto value = platform::version_info::query(block, frame::trimmed(state.query));
  if (!value.found || !value.text) return;  // a missing string leaves spaces
  // The length counts the value's terminating zero; at most 99 characters are kept.
  const std::size_t count = std::min<std::size_t>(value.length, kResultWidth) - 1;
  frame::put_text(frame::Field(state.result).first(count), value.bytes.substr(0, count));
}

std::int32_t getresourcestring(QuarnRsResult* result_in, const QuarnRsFileName* file_name_in,
                               const QuarnRsStringName* string_name_in) {
  char* result = result_in->rs_result;
  const std::string_view file_name(file_name_in->rs_file_name, 50);
  const std::string_view string_name(string_name_in->rs_string_name, 20);

  frame::clear(state.result);
  std::memcpy(state.path, file_name.data(), file_name.size());
  std::memset(state.path + file_name.size(), ' ', sizeof state.path - file_name.size());
  // The path ends after its last non-space character, or at a zero byte in it.
  std::string_view path = frame::trimmed(state.path);
  path = path.substr(0, path.find('\0'));
  // The name ends at its first space (or zero byte).
  const std::string_view name =
      string_name.substr(0, string_name.find_first_of(std::string_view(" \0", 2)));
  if (!path.empty()) look_up(std::string(path), name);

  std::memcpy(result, state.result, kResultWidth);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETRESOURCESTRING), quarn::getresourcestring, 3, (result, QuarnRsResult),
              (file_name, const QuarnRsFileName), (string_name, const QuarnRsStringName));
