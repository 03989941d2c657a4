#include "platform/program_map.hpp"

#include <dlfcn.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>

#include "platform/files.hpp"

namespace quarn::platform::program_map {
namespace {

constexpr std::size_t kOverrideLimit = 64 * 1024;

struct Default {
  std::string_view name;
  std::string_view program;
  bool helper;
  bool slashes;
};

constexpr Default kDefaults[] = {
    {"ZIP.EXE", "quarn-zip", true, true},  // zip, with the names of a folder's files
    {"XCOPY", "quarn-xcopy", true, false},
    {"Hex2Bin.exe", "quarn-hex2bin", true, false},
    {"wscript", "quarn-wscript", true, false},
    // The suite's document viewer: the desktop's program for the file.
    {"zuvarezo.exe", "xdg-open", false, true},
    {"PRINTIMAGE", "lp", false, true},  // prints a picture of a form
};

// The name as compared: upper case, without a final ".EXE".
std::string key_of(std::string_view name) {
  std::string key;
  for (const char c : name)
    key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (key.size() > 4 && key.ends_with(".EXE")) key.resize(key.size() - 4);
  return key;
}

std::string_view strip(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

void add_overrides(std::string_view text, std::vector<Entry>& list) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = strip(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos) continue;
    Entry entry;
    entry.name = strip(line.substr(0, equals));
    std::string_view program = strip(line.substr(equals + 1));
    if (const std::size_t bar = program.rfind('|'); bar != std::string_view::npos) {
      entry.slashes = strip(program.substr(bar + 1)) == "slashes";
      program = strip(program.substr(0, bar));
    }
    entry.program = program;
    if (entry.name.empty() || entry.program.empty()) continue;
    const std::string key = key_of(entry.name);
    std::erase_if(list, [&](const Entry& e) { return key_of(e.name) == key; });
    list.push_back(std::move(entry));
  }
}

// The folder of the module holding this code: the shared library, or the program it is
// linked into.
std::string module_folder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&module_folder), &info) == 0 || info.dli_fname == nullptr)
    return {};
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string find_helper(const std::string& name) {
  for (const std::string& folder : helper_folders()) {
    const std::string path = folder + "/" + name;
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return name;  // left to the search path
}

}  // namespace

std::vector<Entry> default_entries() {
  std::vector<Entry> list;
  for (const Default& d : kDefaults)
    list.push_back({std::string(d.name), std::string(d.program), d.helper, d.slashes});
  return list;
}

std::vector<Entry> entries(std::string_view home_folder) {
  std::vector<Entry> list = default_entries();
  if (home_folder.empty()) return list;
  std::string path = files::native_path(home_folder);
  if (!path.ends_with('/')) path += '/';
  path += kOverrideFile;
  std::string text;
  if (files::read_file(path, kOverrideLimit, &text) == status::kOk) add_overrides(text, list);
  return list;
}

void resolve(std::vector<std::string>& argv, std::string_view home_folder) {
  if (argv.empty()) return;
  std::string key = key_of(argv[0]);
  const std::vector<Entry> list = entries(home_folder);
  const auto known = [&](const std::string& k) {
    return std::any_of(list.begin(), list.end(),
                       [&](const Entry& e) { return key_of(e.name) == k; });
  };
  // A path to a program that is not here ("C:\SUITE\Viewer\zuvarezo.exe") is known by its
  // last part.
  if (!known(key) && ::access(files::native_path(argv[0]).c_str(), F_OK) != 0) {
    const std::size_t slash = argv[0].find_last_of("\\/");
    if (slash != std::string::npos) key = key_of(std::string_view(argv[0]).substr(slash + 1));
  }
  for (const Entry& entry : list) {
    if (key_of(entry.name) != key) continue;
    argv[0] = entry.helper ? find_helper(entry.program) : entry.program;
    if (entry.slashes) {
      for (std::size_t i = 1; i < argv.size(); ++i)
        argv[i] = files::native_path(argv[i]);
    }
    return;
  }
}

std::vector<std::string> helper_folders() {
  const std::string folder = module_folder();
  if (folder.empty()) return {};
  return {folder, folder + "/../bin", folder + "/../libexec/quarn-m"};
}

}  // namespace quarn::platform::program_map
