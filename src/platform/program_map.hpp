// The program map: the suite names programs that exist only on its original platform
// (XCOPY, ZIP.EXE, Hex2Bin.exe, wscript, the viewer zuvarezo.exe). The first word of a command line
// is looked up here, without regard to case and with a final ".exe" ignored, and replaced by a
// local program. A path that names no file here and is not in the map is looked up by its last part
// ("C:\SUITE\Viewer\zuvarezo.exe" as "zuvarezo.exe"); a word the map does not know runs as given.
//
// The shipped entries can be replaced or added to by the file "quarn-programs.map" in the
// suite's home folder, one entry a line:
//     NAME = PROGRAM
//     NAME = PROGRAM | slashes
// PROGRAM is a path or a name searched on PATH. "| slashes" turns every "\" in the
// arguments into "/" for programs that take the suite's paths but know only "/". Blank
// lines and lines starting with "#" are ignored, and so are lines without "=".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarn::platform::program_map {

inline constexpr std::string_view kOverrideFile = "quarn-programs.map";

struct Entry {
  std::string name;      // as it appears in command lines ("ZIP.EXE")
  std::string program;   // what runs instead
  bool helper = false;   // one of the library's helper programs, looked for beside it
  bool slashes = false;  // "\" becomes "/" in the arguments
};

// The shipped entries.
std::vector<Entry> default_entries();

// The entries in force: the shipped ones, then those of the override file in `home_folder`
// (none when the folder is empty or the file cannot be read).
std::vector<Entry> entries(std::string_view home_folder);

// Replaces argv[0] by the program it maps to (helpers with their full path when found) and
// applies the entry's argument rule. An unknown name is left as it is.
void resolve(std::vector<std::string>& argv, std::string_view home_folder);

// The folders searched for the library's helper programs: the library's own folder, then
// "../bin" and "../libexec/quarn-m" beside it.
std::vector<std::string> helper_folders();

}  // namespace quarn::platform::program_map
