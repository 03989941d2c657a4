#include "platform/storage.hpp"

#include <charconv>
#include <fstream>
#include <string_view>

namespace quarn::platform {
namespace {

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

// A schema name is quoted where it is used; these limits keep it one name on every server.
bool plain_name(std::string_view name) {
  if (name.empty() || name.size() > 63) return false;
  for (const char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

StorageConfig storage_of_folder(const std::string& folder) {
  StorageConfig config;
  const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + kStorageConfName;
  std::ifstream in(path);
  if (!in) return config;
  config.conf_path = path;
  std::string line;
  int number = 0;
  bool backend_named = false;
  auto fail = [&](const std::string& why) {
    if (config.error.empty()) config.error = path + ":" + std::to_string(number) + ": " + why;
  };
  while (std::getline(in, line)) {
    ++number;
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == '#') continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
      fail("not a \"name = value\" line");
      continue;
    }
    const std::string_view name = trim(text.substr(0, equals));
    const std::string_view value = trim(text.substr(equals + 1));
    if (name == "backend") {
      backend_named = true;
      if (value == "sqlite") {
        config.backend = Backend::kSqlite;
      } else if (value == "postgresql") {
        config.backend = Backend::kPostgresql;
      } else {
        fail("backend must be sqlite or postgresql, not \"" + std::string(value) + "\"");
      }
    } else if (name == "connection") {
      config.connection = value;
    } else if (name == "schema") {
      config.schema = value;
      if (!plain_name(value)) fail("schema must be 1 to 63 of a-z, 0-9 and _");
    } else if (name == "connect_timeout") {
      int seconds = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
      if (ec != std::errc() || end != value.data() + value.size() || seconds < 1 || seconds > 600) {
        fail("connect_timeout must be 1 to 600 seconds");
      } else {
        config.connect_timeout_seconds = seconds;
      }
    } else {
      fail("unknown setting \"" + std::string(name) + "\"");
    }
  }
  if (!backend_named) fail("no backend named");
  return config;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

StorageConfig storage_of_file(const std::string& path) {
  return storage_of_folder(folder_of(path));
}

}  // namespace quarn::platform
