// quarn-wscript SCRIPT [ARGUMENT...]: the stand-in for the script host the suite starts on
// its web and help scripts ("gotoweb.vbs", "openhelps.vbs").
//  - When the script's name ends in ".vbs" and its folder holds an executable program of
//    the script's base name ("gotoweb" or "gotoweb.sh" for "gotoweb.vbs"), exactly that
//    program runs with the arguments, never a namesake on the search path. Any other name
//    runs nothing: the script host only ever stands in for the suite's scripts.
//  - Otherwise the page or help file that the arguments name is opened with the desktop's
//    opener (QUARN_OPENER, or "xdg-open"): the last argument, without its "#topic", as a
//    file in the script's folder, an absolute file or a web address; failing that the
//    first argument as a file in the script's folder.
// Exit status: what the script or the opener returns; 1 when there is nothing to run.
#include <strings.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "native_path.hpp"

namespace {

bool is_file(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0;
}
bool is_program(const std::string& path) {
  return ::access(path.c_str(), X_OK) == 0;
}

int run(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execvp(program.c_str(), argv.data());
  std::fprintf(stderr, "quarn-wscript: cannot run %s\n", program.c_str());
  return 1;
}

// The file in `folder` (or absolute) that `name` names, as an address the opener takes.
std::string file_address(const std::string& folder, const std::string& name,
                         const std::string& fragment) {
  const std::string path = name.starts_with("/") ? name : folder + name;
  if (name.empty() || !is_file(path)) return {};
  char* real = ::realpath(path.c_str(), nullptr);
  std::string address = "file://" + std::string(real != nullptr ? real : path.c_str());
  std::free(real);
  return address + fragment;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::puts(
        "usage: quarn-wscript SCRIPT [ARGUMENT...]\n"
        "Runs the program of SCRIPT's base name in SCRIPT's folder, or opens the page\n"
        "the arguments name with the desktop's opener.");
    return argc < 2 ? 1 : 0;
  }
  const std::string script = quarn::helpers::native_path(argv[1]);
  const std::size_t slash = script.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : script.substr(0, slash + 1);
  std::string base = script.substr(folder.size());
  const bool suite_script =
      base.size() > 4 && strcasecmp(base.c_str() + base.size() - 4, ".vbs") == 0;
  if (const std::size_t dot = base.rfind('.'); dot != std::string::npos) base.resize(dot);
  const std::vector<std::string> args(argv + 2, argv + argc);

  // A name without a folder is in the current folder: the program checked is the one run,
  // never a namesake on the search path.
  const std::string place = folder.empty() ? "./" : folder;
  for (const std::string& candidate : {place + base, place + base + ".sh"}) {
    if (suite_script && is_program(candidate)) return run(candidate, args);
  }

  std::string address;
  if (!args.empty()) {
    const std::string& last = args.back();
    const std::size_t hash = last.find('#');
    const std::string name = quarn::helpers::native_path(last.substr(0, hash));
    const std::string fragment = hash == std::string::npos ? "" : last.substr(hash);
    if (last.find("://") != std::string::npos) {
      address = last;
    } else {
      address = file_address(folder, name, fragment);
      if (address.empty())
        address = file_address(folder, quarn::helpers::native_path(args.front()), "");
    }
  }
  if (address.empty()) {
    std::fprintf(stderr, "quarn-wscript: no program for %s and nothing to open\n", script.c_str());
    return 1;
  }
  const char* opener = std::getenv("QUARN_OPENER");
  return run(opener != nullptr && *opener != '\0' ? opener : "xdg-open", {address});
}
