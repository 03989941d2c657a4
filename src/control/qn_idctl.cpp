// QN-IDCTL: the library's stand-in for the suite's user-id program. It accepts every user
// unless the application has put its own program in its place.
#include <atomic>
#include <cstdint>

#include "control/qn_idctl.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

std::atomic<QuarnUserIdProgram> replacement{nullptr};

std::int32_t qn_idctl(char* action, char* user_id, char* message) {
  if (QuarnUserIdProgram other = replacement.load()) {
    return other(action, user_id, message);
  }
  frame::put_text(frame::Field(action, 2), "00");
  return 0;
}

}  // namespace

QuarnUserIdProgram control::set_user_id_program(QuarnUserIdProgram program) {
  return replacement.exchange(program);
}

}  // namespace quarn

QUARN_PROGRAM((QN, IDCTL), quarn::qn_idctl, 2, (action, char[2]), (user_id, char[4]),
              (message, char[64]));
