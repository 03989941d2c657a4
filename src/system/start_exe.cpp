// START-EXE: starts a program from a command line and, when asked, waits for its end.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/process.hpp"
#include "platform/program_map.hpp"

namespace quarn {
namespace {

constexpr std::size_t kLineWidth = 255;

struct State {
  char command_line[kLineWidth + 1] = {};  // the last byte stays NUL
  std::int16_t show_window = 0;            // kept as given: programs here have no windows
};
State state;

std::int32_t start_exe(const QuarnSeCommandLine* command_line, const std::int16_t* show_in,
                       const std::int16_t* wait_in, std::int32_t* exit_code_in,
                       std::int32_t* started_in) {
  const char* line_in = command_line->se_command_line;
  const std::int16_t show_window = frame::read_le16(reinterpret_cast<const char*>(show_in));
  const std::int16_t wait_flag = frame::read_le16(reinterpret_cast<const char*>(wait_in));
  char* exit_code = reinterpret_cast<char*>(exit_code_in);
  char* started = reinterpret_cast<char*>(started_in);

  // The line ends after its last non-space character from position 2 on, or at a zero
  // byte in it; one character alone keeps its trailing spaces, which splitting drops.
  std::memcpy(state.command_line, line_in, kLineWidth);
  for (std::size_t at = kLineWidth; at >= 2; --at) {
    if (state.command_line[at - 1] != ' ') {
      state.command_line[at] = '\0';
      break;
    }
  }
  state.show_window = show_window;
  const std::string_view line(state.command_line, std::strlen(state.command_line));

  std::vector<std::string> argv = platform::process::split_command_line(line);
  std::string home;
  if (const QuarnXMiscExternalWs* area = frame::misc_area()) home = frame::home_folder(*area);
  platform::program_map::resolve(argv, home);

  pid_t pid = 0;
  const bool is_started = platform::process::start(argv, &pid) == platform::process::Status::kOk;
  frame::write_le32(started, is_started ? 1 : 0);
  frame::write_le32(exit_code, 0);
  // Only a process this call started is waited for.
  if (wait_flag == 0 || !is_started) return 0;

  int code = 0;
  if (platform::process::wait_for(pid, &code) != platform::process::Status::kOk) {
    QUARN_RUNTIME_ERROR("waiting for the started program failed");
    return 0;
  }
  frame::write_le32(exit_code, code);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((START, EXE), quarn::start_exe, 5, (command_line, const QuarnSeCommandLine),
              (show_window, const std::int16_t), (wait_flag, const std::int16_t),
              (exit_code, std::int32_t), (started, std::int32_t));
