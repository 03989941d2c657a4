#include "system/start_request.hpp"

#include "frame/codec.hpp"
#include "frame/program.hpp"

namespace quarn::system {

std::int32_t StartRequest::run(std::string_view line, std::int16_t show, std::int16_t wait) {
  frame::put_text(command_line, line);
  frame::write_le16(show_window, show);
  frame::write_le16(wait_flag, wait);
  frame::write_le32(exit_code, 0);
  frame::write_le32(started, 0);
  void* const params[] = {command_line, show_window, wait_flag, exit_code, started};
  if (!frame::call_by_name("START-EXE     ", params)) QUARN_RUNTIME_ERROR("START-EXE is not there");
  return frame::read_le32(started);
}

}  // namespace quarn::system
