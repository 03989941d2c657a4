// TOWEB: runs the suite's web script with a one-character argument, without waiting.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "platform/process.hpp"
#include "system/start_request.hpp"

namespace quarn {
namespace {

struct State {
  system::StartRequest start;  // rebuilt at every call
};
State state;

std::int32_t toweb(QuarnTowebRecord* passed) {
  auto& record = *passed;
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

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((TOWEB), quarn::toweb, 1, (record, QuarnTowebRecord));
