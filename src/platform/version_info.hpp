// Version resources of program and library files in the portable executable format: the
// VS_VERSION_INFO block found through the resource directory (type 16), and queries into
// it by path ("\VarFileInfo\Translation", "\StringFileInfo\040904B0\ProductVersion").
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quarn::platform::version_info {

// The length of the file's version block in bytes; 0 when the file cannot be read, is not
// a portable executable or has no version resource.
std::uint32_t block_size(std::string_view path);

// Copies the first buffer.size() bytes of the version block into `buffer` (no more than
// the block holds). False under the same conditions as a size of 0.
bool read_block(std::string_view path, std::span<char> buffer);

// A value found in a block.
struct Value {
  bool found = false;
  bool text = false;         // a text value (converted to single-byte characters) or binary bytes
  std::string bytes;         // the value, for text without its terminating zero
  std::uint32_t length = 0;  // text: characters with the terminating zero; binary: bytes
};

// Looks up `path` in a block, as far as `block` holds it: the parts of the path name the
// nested entries by their keys, compared without regard to case. Text values are UTF-16
// in the block and come back with every character above 0xFF as "?".
Value query(std::span<const char> block, std::string_view path);

}  // namespace quarn::platform::version_info
