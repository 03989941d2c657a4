// GET-CURRENT-DIR: the process's current folder as a fixed-width text.
#include <cstdint>
#include <cstring>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "platform/files.hpp"

namespace quarn {
namespace {

constexpr std::int32_t kBufferSize = 256;

struct State {
  char buffer[kBufferSize] = {};
};
State state;

std::int32_t get_current_dir(QuarnCdFolder* passed, std::int32_t* length_in,
                             std::int32_t* status_in) {
  auto& folder = *passed;
  char* length = reinterpret_cast<char*>(length_in);
  char* status = reinterpret_cast<char*>(status_in);

  frame::write_le32(length, kBufferSize);
  frame::clear(folder.cd_folder);
  // A folder that needs more than the buffer (its zero byte included) is a failure; the
  // buffer is never read past its end.
  if (platform::files::current_folder(state.buffer, sizeof state.buffer) != platform::status::kOk) {
    frame::write_le32(status, 1);
    return 0;
  }
  const std::size_t count = strnlen(state.buffer, sizeof state.buffer);
  frame::write_le32(length, static_cast<std::int32_t>(count));
  frame::put_text(folder.cd_folder, std::string_view(state.buffer, count));
  frame::write_le32(status, 0);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GET, CURRENT, DIR), quarn::get_current_dir, 3, (folder, QuarnCdFolder),
              (length, std::int32_t), (status, std::int32_t));
