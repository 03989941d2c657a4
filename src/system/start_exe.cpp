// START-EXE: starts a program from a command line and, when asked, waits for its end.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "frame/codec.hpp"
#include "frame/export.hpp"
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

std::int32_t start_exe(void* const* params) {
  const char* line_in = static_cast<const char*>(params[0]);
  const std::int16_t show_window = frame::read_le16(static_cast<const char*>(params[1]));
  const std::int16_t wait_flag = frame::read_le16(static_cast<const char*>(params[2]));
  char* exit_code = static_cast<char*>(params[3]);
  char* started = static_cast<char*>(params[4]);

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

frame::Program program({"START-EXE", 5, 5, {kLineWidth, 2, 2, 4, 4}, &start_exe});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_START_EXE(const QuarnSeCommandLine* command_line,
                                             const int16_t* show_window, const int16_t* wait_flag,
                                             int32_t* exit_code, int32_t* started) {
  return quarn::program.enter_exported({const_cast<QuarnSeCommandLine*>(command_line),
                                        const_cast<int16_t*>(show_window),
                                        const_cast<int16_t*>(wait_flag), exit_code, started});
}
QUARN_EXPORT_AS(QUARN_START_EXE, "START__EXE", quarn_start_exe_cobol);
QUARN_EXPORT_AS(QUARN_START_EXE, "\"START-EXE\"", quarn_start_exe_exact);
