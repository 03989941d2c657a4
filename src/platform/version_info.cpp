#include "platform/version_info.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/files.hpp"

namespace quarn::platform::version_info {
namespace {

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

// An open file read in the parts the search needs; every read is bounded by the format's
// own field widths, so no file is read whole.
class File {
 public:
  explicit File(std::string_view path) {
    if (files::open_for_reading(path, &fd_) != status::kOk) fd_ = -1;
  }
  ~File() {
    if (fd_ >= 0) files::close_file(fd_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool is_open() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // Exactly `size` bytes at `offset`, or nothing.
  std::optional<std::string> read(std::uint64_t offset, std::size_t size) const {
    std::string bytes;
    if (files::read_at(fd_, offset, size, &bytes) != status::kOk || bytes.size() != size)
      return std::nullopt;
    return bytes;
  }

 private:
  int fd_ = -1;
};

struct Section {
  std::uint32_t address;
  std::uint32_t extent;  // the larger of its virtual and raw sizes
  std::uint32_t raw_size;
  std::uint32_t raw_offset;
};

// The file offset of a relative virtual address, through the section table.
std::optional<std::uint64_t> offset_of(const std::vector<Section>& sections, std::uint32_t rva) {
  for (const Section& section : sections) {
    if (rva >= section.address && rva - section.address < section.extent) {
      if (rva - section.address >= section.raw_size) return std::nullopt;
      return std::uint64_t{section.raw_offset} + (rva - section.address);
    }
  }
  return std::nullopt;
}

// The offset field of the first entry of a resource directory whose id matches (or of
// its first entry of any kind when `id` is empty).
std::optional<std::uint32_t> directory_entry(const File& file, std::uint64_t directory,
                                             std::optional<std::uint32_t> id) {
  const auto header = file.read(directory, 16);
  if (!header) return std::nullopt;
  const unsigned named = le16(*header, 12);
  const unsigned ids = le16(*header, 14);
  const auto entries = file.read(directory + 16, (named + ids) * 8u);
  if (!entries || named + ids == 0) return std::nullopt;
  for (unsigned i = 0; i < named + ids; ++i) {
    if (!id || (i >= named && le32(*entries, i * 8u) == *id)) return le32(*entries, i * 8u + 4);
  }
  return std::nullopt;
}

// The version block of a file: the VS_VERSION_INFO node, as long as its length says and
// the resource holds.
std::optional<std::string> find_block(std::string_view path) {
  const File file(path);
  if (!file.is_open()) return std::nullopt;
  const auto dos = file.read(0, 64);
  if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z') return std::nullopt;
  const std::uint32_t pe = le32(*dos, 0x3C);
  const auto coff = file.read(pe, 24);
  if (!coff || coff->compare(0, 4, std::string_view("PE\0\0", 4)) != 0) return std::nullopt;
  const unsigned section_count = le16(*coff, 6);
  const unsigned optional_size = le16(*coff, 20);
  const auto optional = file.read(std::uint64_t{pe} + 24, optional_size);
  if (!optional || optional_size < 2) return std::nullopt;
  const std::uint16_t magic = le16(*optional, 0);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  const std::size_t count_at = magic == 0x20B ? 108 : 92;
  const std::size_t resource_entry = (magic == 0x20B ? 112 : 96) + 2 * 8;
  if (!fits(*optional, count_at, 4) || le32(*optional, count_at) < 3 ||
      !fits(*optional, resource_entry, 8))
    return std::nullopt;
  const std::uint32_t resource_rva = le32(*optional, resource_entry);
  if (resource_rva == 0) return std::nullopt;

  const auto table = file.read(std::uint64_t{pe} + 24 + optional_size, section_count * 40u);
  if (!table) return std::nullopt;
  std::vector<Section> sections;
  for (unsigned i = 0; i < section_count; ++i) {
    const std::size_t at = i * 40u;
    sections.push_back({le32(*table, at + 12),
                        std::max(le32(*table, at + 8), le32(*table, at + 16)),
                        le32(*table, at + 16), le32(*table, at + 20)});
  }
  const auto root = offset_of(sections, resource_rva);
  if (!root) return std::nullopt;

  // Three levels: type, name, language; the first two lead to directories, the last to a
  // data entry.
  std::uint64_t directory = *root;
  std::optional<std::uint32_t> wanted = kResourceTypeVersion;
  for (int level = 0; level < 2; ++level) {
    const auto entry = directory_entry(file, directory, wanted);
    if (!entry || (*entry & kSubdirectory) == 0) return std::nullopt;
    directory = *root + (*entry & ~kSubdirectory);
    wanted.reset();
  }
  const auto data = directory_entry(file, directory, std::nullopt);
  if (!data || (*data & kSubdirectory) != 0) return std::nullopt;
  const auto entry = file.read(*root + *data, 8);
  if (!entry) return std::nullopt;
  const auto at = offset_of(sections, le32(*entry, 0));
  const std::uint32_t data_size = le32(*entry, 4);
  if (!at || data_size < 6) return std::nullopt;

  // The node's length field is 16 bits wide: no block is longer.
  const auto head = file.read(*at, 2);
  if (!head) return std::nullopt;
  const std::size_t length = std::min<std::size_t>(le16(*head, 0), data_size);
  if (length < 6) return std::nullopt;
  // A block cut short by the end of the file is what there is of it.
  std::string block;
  if (files::read_at(file.fd(), *at, length, &block) != status::kOk || block.size() < 6)
    return std::nullopt;
  return block;
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
  const auto block = find_block(path);
  return block ? static_cast<std::uint32_t>(block->size()) : 0;
}

bool read_block(std::string_view path, std::span<char> buffer) {
  const auto block = find_block(path);
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
