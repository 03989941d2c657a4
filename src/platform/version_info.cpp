#include "platform/version_info.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "platform/files.hpp"

namespace quarn::platform::version_info {
namespace {

// Files larger than this are not read for their version resource.
constexpr std::size_t kFileLimit = 256u * 1024 * 1024;
constexpr std::uint32_t kResourceTypeVersion = 16;
constexpr std::uint32_t kSubdirectory = 0x80000000u;

std::uint16_t le16(std::span<const char> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}
std::uint32_t le32(std::span<const char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(le16(bytes, at)) |
         static_cast<std::uint32_t>(le16(bytes, at + 2)) << 16;
}
bool fits(std::span<const char> bytes, std::uint64_t at, std::uint64_t length) {
  return at <= bytes.size() && length <= bytes.size() - at;
}

// The file offset of a relative virtual address, through the section table.
std::optional<std::uint32_t> offset_of(std::span<const char> file, std::size_t sections,
                                       unsigned count, std::uint32_t rva) {
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t at = sections + i * 40u;
    if (!fits(file, at, 40)) return std::nullopt;
    const std::uint32_t virtual_size = le32(file, at + 8);
    const std::uint32_t address = le32(file, at + 12);
    const std::uint32_t raw_size = le32(file, at + 16);
    const std::uint32_t raw_offset = le32(file, at + 20);
    const std::uint64_t extent = std::max(virtual_size, raw_size);
    if (rva >= address && rva - address < extent) {
      if (rva - address >= raw_size) return std::nullopt;
      return raw_offset + (rva - address);
    }
  }
  return std::nullopt;
}

// The first entry of a resource directory level whose id matches (or the first of any id
// when `id` is empty): the offset field of the entry.
std::optional<std::uint32_t> directory_entry(std::span<const char> file, std::size_t directory,
                                             std::optional<std::uint32_t> id) {
  if (!fits(file, directory, 16)) return std::nullopt;
  const unsigned named = le16(file, directory + 12);
  const unsigned ids = le16(file, directory + 14);
  for (unsigned i = 0; i < named + ids; ++i) {
    const std::size_t at = directory + 16 + i * 8u;
    if (!fits(file, at, 8)) return std::nullopt;
    if (!id || (i >= named && le32(file, at) == *id)) return le32(file, at + 4);
  }
  return std::nullopt;
}

// The version block of a whole file, as a span into it.
std::optional<std::span<const char>> find_block(std::span<const char> file) {
  if (!fits(file, 0, 64) || file[0] != 'M' || file[1] != 'Z') return std::nullopt;
  const std::uint32_t pe = le32(file, 0x3C);
  if (!fits(file, pe, 24) || std::memcmp(file.data() + pe, "PE\0\0", 4) != 0) return std::nullopt;
  const unsigned section_count = le16(file, pe + 6);
  const unsigned optional_size = le16(file, pe + 20);
  const std::size_t optional = pe + 24;
  if (!fits(file, optional, optional_size) || optional_size < 2) return std::nullopt;
  const std::uint16_t magic = le16(file, optional);
  const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);
  const std::size_t count_at = optional + (magic == 0x20B ? 108 : 92);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  if (count_at + 4 > optional + optional_size || le32(file, count_at) < 3) return std::nullopt;
  const std::size_t resource_entry = directories + 2 * 8;
  if (resource_entry + 8 > optional + optional_size) return std::nullopt;
  const std::uint32_t resource_rva = le32(file, resource_entry);
  if (resource_rva == 0) return std::nullopt;

  const std::size_t sections = optional + optional_size;
  const auto root = offset_of(file, sections, section_count, resource_rva);
  if (!root) return std::nullopt;

  // Three levels: type, name, language; the first two must be directories, the last a
  // data entry.
  std::size_t directory = *root;
  std::optional<std::uint32_t> wanted = kResourceTypeVersion;
  for (int level = 0; level < 2; ++level) {
    const auto entry = directory_entry(file, directory, wanted);
    if (!entry || (*entry & kSubdirectory) == 0) return std::nullopt;
    directory = *root + (*entry & ~kSubdirectory);
    wanted.reset();
  }
  const auto data = directory_entry(file, directory, std::nullopt);
  if (!data || (*data & kSubdirectory) != 0 || !fits(file, *root + *data, 16)) return std::nullopt;
  const std::uint32_t data_rva = le32(file, *root + *data);
  const std::uint32_t data_size = le32(file, *root + *data + 4);
  const auto at = offset_of(file, sections, section_count, data_rva);
  if (!at || data_size < 6) return std::nullopt;
  const std::size_t available =
      std::min<std::size_t>(data_size, file.size() - std::min<std::size_t>(*at, file.size()));
  if (available < 6) return std::nullopt;
  std::span<const char> block = file.subspan(*at, available);
  const std::uint16_t length = le16(block, 0);
  if (length < 6) return std::nullopt;
  return block.first(std::min<std::size_t>(length, block.size()));
}

std::optional<std::string> read_whole(std::string_view path) {
  std::string file;
  if (files::read_file(path, kFileLimit, &file) != files::Status::kOk) return std::nullopt;
  return file;
}

constexpr std::size_t align4(std::size_t at) {
  return (at + 3) & ~std::size_t{3};
}

// One node of the block: its bounds, key and value.
struct Node {
  std::size_t end;  // end of the node within the block
  std::u16string key;
  std::size_t value_at;
  std::uint16_t value_length;
  bool text;
  std::size_t children_at;
};

std::optional<Node> node_at(std::span<const char> block, std::size_t at) {
  if (!fits(block, at, 6)) return std::nullopt;
  Node node{};
  const std::uint16_t length = le16(block, at);
  if (length < 6) return std::nullopt;
  node.end = std::min<std::size_t>(at + length, block.size());
  node.value_length = le16(block, at + 2);
  node.text = le16(block, at + 4) == 1;
  std::size_t i = at + 6;
  for (;; i += 2) {
    if (i + 2 > node.end) return std::nullopt;
    const char16_t c = le16(block, i);
    if (c == 0) break;
    node.key += c;
  }
  node.value_at = align4(i + 2);
  const std::size_t value_bytes = node.text ? node.value_length * 2u : node.value_length;
  node.children_at = align4(node.value_at + value_bytes);
  return node;
}

bool same_key(const std::u16string& key, std::string_view part) {
  if (key.size() != part.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const char16_t c = key[i];
    if (c > 0x7F) return false;
    if (std::toupper(static_cast<unsigned char>(c)) !=
        std::toupper(static_cast<unsigned char>(part[i])))
      return false;
  }
  return true;
}

}  // namespace

std::uint32_t block_size(std::string_view path) {
  const auto file = read_whole(path);
  if (!file) return 0;
  const auto block = find_block(*file);
  return block ? static_cast<std::uint32_t>(block->size()) : 0;
}

bool read_block(std::string_view path, std::span<char> buffer) {
  const auto file = read_whole(path);
  if (!file) return false;
  const auto block = find_block(*file);
  if (!block) return false;
  const std::size_t n = std::min(buffer.size(), block->size());
  std::memcpy(buffer.data(), block->data(), n);
  return true;
}

Value query(std::span<const char> block, std::string_view path) {
  Value result;
  auto node = node_at(block, 0);
  if (!node) return result;
  while (!path.empty()) {
    while (!path.empty() && path.front() == '\\')
      path.remove_prefix(1);
    if (path.empty()) break;
    const std::string_view part = path.substr(0, path.find('\\'));
    path.remove_prefix(part.size());
    std::optional<Node> found;
    for (std::size_t at = node->children_at; at + 6 <= node->end;) {
      const auto child = node_at(block, at);
      if (!child) break;
      if (same_key(child->key, part)) {
        found = child;
        break;
      }
      at = align4(child->end);
    }
    if (!found) return result;
    node = found;
  }

  result.found = true;
  result.text = node->text;
  if (node->text) {
    for (std::size_t i = node->value_at; i + 2 <= node->end; i += 2) {
      const char16_t c = le16(block, i);
      if (c == 0) break;
      result.bytes += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    result.length = static_cast<std::uint32_t>(result.bytes.size() + 1);
  } else {
    const std::size_t end = std::min<std::size_t>(node->value_at + node->value_length, node->end);
    if (end > node->value_at)
      result.bytes.assign(block.data() + node->value_at, end - node->value_at);
    result.length = static_cast<std::uint32_t>(result.bytes.size());
  }
  return result;
}

}  // namespace quarn::platform::version_info
