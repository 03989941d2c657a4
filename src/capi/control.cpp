// The control-file services of the public C header and the replacement of QN-IDCTL.
#include <cstring>
#include <string_view>

#include "control/qn_idctl.hpp"
#include "control/quarn_control_file.hpp"
#include "quarn/quarn-m.h"

extern "C" QUARN_API QuarnUserIdProgram quarn_set_user_id_program(QuarnUserIdProgram program) {
  return quarn::control::set_user_id_program(program);
}

extern "C" QUARN_API int32_t quarn_control_file(QuarnControlRequest* request,
                                                QuarnCtlMessage* message,
                                                const char* program_id_name,
                                                const char* form_id_name) {
  if (request == nullptr || message == nullptr) return -1;
  // A name is its fixed-width field, or shorter when a zero byte ends it.
  auto name = [](const char* field, std::size_t width) {
    return field == nullptr ? std::string_view() : std::string_view(field, strnlen(field, width));
  };
  const quarn::control::ProgramNames names{name(program_id_name, quarn::control::kProgramIdWidth),
                                           name(form_id_name, quarn::control::kFormIdWidth)};
  quarn::control::control_file(*request, *message, names);
  return 0;
}

extern "C" QUARN_API int32_t quarn_control_file_browse(QuarnCtlflRecord* record, int32_t after,
                                                       char* status) {
  if (record == nullptr || status == nullptr) return -1;
  const auto result = quarn::control::browse_control_file(*record, after != 0);
  status[0] = result[0];
  status[1] = result[1];
  return 0;
}
