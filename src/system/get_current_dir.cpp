// GET-CURRENT-DIR: the process's current folder as a fixed-width text.
#include <cstdint>
#include <cstring>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"
#include "platform/files.hpp"

namespace quarn {
namespace {

constexpr std::int32_t kBufferSize = 256;

struct State {
  char buffer[kBufferSize] = {};
};
State state;

std::int32_t get_current_dir(void* const* params) {
  auto& folder = *static_cast<QuarnCdFolder*>(params[0]);
  char* length = static_cast<char*>(params[1]);
  char* status = static_cast<char*>(params[2]);

  frame::write_le32(length, kBufferSize);
  frame::clear(folder.cd_folder);
  // A folder that needs more than the buffer (its zero byte included) is a failure; the
  // buffer is never read past its end.
  if (platform::files::current_folder(state.buffer, sizeof state.buffer) !=
      platform::files::Status::kOk) {
    frame::write_le32(status, 1);
    return 0;
  }
  const std::size_t count = strnlen(state.buffer, sizeof state.buffer);
  frame::write_le32(length, static_cast<std::int32_t>(count));
  frame::put_text(folder.cd_folder, std::string_view(state.buffer, count));
  frame::write_le32(status, 0);
  return 0;
}

frame::Program program({"GET-CURRENT-DIR", 3, 3, {sizeof(QuarnCdFolder), 4, 4}, &get_current_dir});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_GET_CURRENT_DIR(QuarnCdFolder* folder, int32_t* length,
                                                   int32_t* status) {
  return quarn::program.enter_exported({folder, length, status});
}
QUARN_EXPORT_AS(QUARN_GET_CURRENT_DIR, "GET__CURRENT__DIR", quarn_get_current_dir_cobol);
QUARN_EXPORT_AS(QUARN_GET_CURRENT_DIR, "\"GET-CURRENT-DIR\"", quarn_get_current_dir_exact);
