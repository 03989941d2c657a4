// QN-IDCTL: the library's stand-in for the suite's user-id program. It accepts every user
// unless the application has put its own program in its place.
#include <atomic>
#include <cstdint>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

std::atomic<QuarnUserIdProgram> replacement{nullptr};

std::int32_t qn_idctl(void* const* params) {
  auto* action = static_cast<char*>(params[0]);
  if (QuarnUserIdProgram other = replacement.load()) {
    return other(action, static_cast<char*>(params[1]), static_cast<char*>(params[2]));
  }
  frame::put_text(frame::Field(action, 2), "00");
  return 0;
}

frame::Program program({"QN-IDCTL", 3, 2, {2, 4, 64}, &qn_idctl});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API QuarnUserIdProgram quarn_set_user_id_program(QuarnUserIdProgram program) {
  return quarn::replacement.exchange(program);
}

extern "C" QUARN_API int32_t QUARN_QN_IDCTL(char* action, char* user_id, char* message) {
  return quarn::program.enter_exported({action, user_id, message});
}
QUARN_EXPORT_AS(QUARN_QN_IDCTL, "QN__IDCTL", quarn_qn_idctl_cobol);
QUARN_EXPORT_AS(QUARN_QN_IDCTL, "\"QN-IDCTL\"", quarn_qn_idctl_exact);
