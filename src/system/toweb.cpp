// TOWEB: runs the suite's web script with a one-character argument, without waiting.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"
#include "frame/start_request.hpp"
#include "platform/process.hpp"

namespace quarn {
namespace {

struct State {
  frame::StartRequest start;  // rebuilt at every call
};
State state;

std::int32_t toweb(void* const* params) {
  auto& record = *static_cast<QuarnTowebRecord*>(params[0]);
  const frame::ConstField folder_field(record.tw_script_folder);
  const auto folder_end = std::find(folder_field.begin(), folder_field.end(), '\0');
  const std::string_view folder(folder_field.data(),
                                static_cast<std::size_t>(folder_end - folder_field.begin()));

  // The script's path is one argument, whatever spaces or quotes its folder holds.
  std::string line = "wscript ";
  line += platform::process::quoted_argument(std::string(folder) + "gotoweb.vbs");
  line += ' ';
  line += record.tw_script_argument[0];
  frame::write_le32(record.tw_started, state.start.run(line, 1, 0));
  return 0;
}

frame::Program program({"TOWEB", 1, 1, {sizeof(QuarnTowebRecord)}, &toweb});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_TOWEB(QuarnTowebRecord* record) {
  return quarn::program.enter_exported({record});
}
QUARN_EXPORT_AS(QUARN_TOWEB, "TOWEB", quarn_toweb_cobol);
