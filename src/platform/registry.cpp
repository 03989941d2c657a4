#include "platform/registry.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/files.hpp"

namespace quarn::platform::registry {
namespace {

constexpr std::size_t kKeysFileLimit = 1024 * 1024;
constexpr std::string_view kClasses = "SOFTWARE\\Classes\\";

std::vector<std::string> prog_ids;

// A key path as compared: upper case, "\" between parts, none at either end.
std::string normal_key(std::string_view path) {
  std::string key;
  for (const char c : path) {
    const char upper =
        c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == '\\' && (key.empty() || key.back() == '\\')) continue;
    key += upper;
  }
  while (!key.empty() && key.back() == '\\')
    key.pop_back();
  return key;
}

std::string without_root(std::string key) {
  for (const std::string_view root : {"HKEY_LOCAL_MACHINE\\", "HKLM\\"}) {
    if (key.starts_with(root)) return key.substr(root.size());
  }
  return key;
}

// True when `listed` is `wanted` or a key below it.
bool covers(std::string_view listed, std::string_view wanted) {
  return listed.starts_with(wanted) &&
         (listed.size() == wanted.size() || listed[wanted.size()] == '\\');
}

// The one place where a file status becomes a registry answer.
std::int32_t from_file_status(FileStatus file_status) {
  if (file_status == status::kOk) return kOk;
  if (file_status == status::kMissing) return kNotFound;
  if (file_status == status::kNotPermitted) return kAccessDenied;
  return kIoError;
}

}  // namespace

void register_prog_id(std::string_view prog_id) {
  std::string key = normal_key(std::string(kClasses) + std::string(prog_id));
  if (std::find(prog_ids.begin(), prog_ids.end(), key) == prog_ids.end())
    prog_ids.push_back(std::move(key));
}

void clear_prog_ids() {
  prog_ids.clear();
}

std::int32_t open_key(std::string_view path, std::string_view home_folder) {
  const std::string wanted = normal_key(path);
  if (wanted.empty()) return kNotFound;
  for (const std::string& key : prog_ids) {
    if (covers(key, wanted)) return kOk;
  }
  if (home_folder.empty()) return kNotFound;

  std::string file = files::native_path(home_folder);
  if (!file.ends_with('/')) file += '/';
  file += kKeysFile;
  std::string text;
  const FileStatus answer = files::read_file(file, kKeysFileLimit, &text);
  // No file means no keys registered that way.
  if (answer == status::kMissing) return kNotFound;
  if (answer != status::kOk) return from_file_status(answer);

  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
      line.remove_prefix(1);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
      line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (covers(without_root(normal_key(line)), wanted)) return kOk;
  }
  return kNotFound;
}

}  // namespace quarn::platform::registry
