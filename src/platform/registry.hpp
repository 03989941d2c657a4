// The registry of components: which class keys exist under the local-machine root. A key
// exists when the form runtime has registered its programmatic identifier (it then stands
// at "SOFTWARE\Classes\<ProgID>") or when the registered-keys file of the suite's home
// folder lists it or a key below it. Key paths are compared without regard to case, with
// "\" or "/" between their parts.
//
// The registered-keys file, "quarn-registry.txt", holds one key path a line, relative to
// the local-machine root or starting with "HKEY_LOCAL_MACHINE\" or "HKLM\"; blank lines and
// lines starting with "#" are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarn::platform::registry {

inline constexpr std::string_view kKeysFile = "quarn-registry.txt";

// Answers as the operating system's key-opening call does.
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kNotFound = 2;
inline constexpr std::int32_t kAccessDenied = 5;
inline constexpr std::int32_t kIoError = 1117;

// Registers a programmatic identifier ("QUARN.POPProg.1") for the life of the process, as
// the form runtime does for the objects it serves. Registering one twice changes nothing.
void register_prog_id(std::string_view prog_id);
// Forgets every registered identifier (tests).
void clear_prog_ids();

// Opens a key below the local-machine root: kOk when it exists, kNotFound when it does
// not, kAccessDenied or kIoError when the registered-keys file exists but cannot be read.
std::int32_t open_key(std::string_view path, std::string_view home_folder);

}  // namespace quarn::platform::registry
