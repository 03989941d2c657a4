// The library services of the public C header, over the frame's C++ interfaces.
#include <mutex>
#include <string>

#include "frame/codec.hpp"
#include "frame/external.hpp"
#include "frame/host.hpp"
#include "frame/program.hpp"
#include "quarn/quarn-m.h"

using namespace quarn::frame;

namespace {

std::string_view program_name_arg(const char* name) {
  return name == nullptr ? std::string_view{} : trimmed(std::string_view(name));
}

std::mutex c_handler_mutex;
QuarnErrorHandler c_handler = nullptr;

bool usable_display(const char* field, int32_t width, const void* value) {
  return field != nullptr && value != nullptr && width >= 1 &&
         width <= static_cast<int32_t>(kMaxDisplayDigits);
}

}  // namespace

extern "C" {

QUARN_API int quarn_call(const char* name, void* const* params, int count, int32_t* result) {
  Program* program = find_program(program_name_arg(name));
  if (program == nullptr) return -1;
  if (count < 0 || count > program->def().param_count || (count > 0 && params == nullptr)) {
    return -2;
  }
  const int32_t value = program->call(std::span<void* const>(params, count));
  if (result != nullptr) *result = value;
  return 0;
}

QUARN_API int quarn_program_info(const char* name, size_t* lengths, int max_lengths) {
  const Program* program = find_program(program_name_arg(name));
  if (program == nullptr) return -1;
  const ProgramDef& def = program->def();
  for (int i = 0; i < def.param_count && i < max_lengths && lengths != nullptr; ++i) {
    lengths[i] = def.record_lengths[i];
  }
  return def.param_count;
}

QUARN_API int quarn_program_parameter_kind(const char* name, int index) {
  const Program* program = find_program(program_name_arg(name));
  if (program == nullptr || index < 0 || index >= program->def().param_count) return -1;
  return program->def().callbacks[static_cast<std::size_t>(index)] ? QUARN_PARAMETER_CALLBACKS
                                                                   : QUARN_PARAMETER_RECORD;
}

QUARN_API const char* quarn_program_name(int index) {
  const auto all = programs();
  if (index < 0 || static_cast<size_t>(index) >= all.size()) return nullptr;
  return all[index]->def().name.data();  // names are literals, so NUL-terminated
}

QUARN_API void* quarn_external_area(const char* name, size_t size) {
  if (name == nullptr) return nullptr;
  return external_area(name, size);
}

QUARN_API QuarnErrorHandler quarn_set_error_handler(QuarnErrorHandler handler, void* context) {
  std::lock_guard lock(c_handler_mutex);
  QuarnErrorHandler previous = c_handler;
  c_handler = handler;
  if (handler == nullptr) {
    set_error_handler({});
  } else {
    set_error_handler([handler, context](const RuntimeError& e) {
      const std::string program(e.program);
      const std::string text(e.text);
      const QuarnRuntimeError error{e.code, e.line, program.c_str(), text.c_str()};
      handler(&error, context);
    });
  }
  return previous;
}

QUARN_API void quarn_set_sign_convention(int convention) {
  set_sign_convention_setting(convention);
}

QUARN_API int quarn_sign_convention(void) {
  return sign_convention() == SignConvention::kRecord ? QUARN_SIGN_RECORD : QUARN_SIGN_GNUCOBOL;
}

QUARN_API int quarn_read_display(const char* field, int32_t width, int32_t is_signed,
                                 int64_t* value) {
  if (!usable_display(field, width, value)) return -1;
  const ConstField f(field, static_cast<size_t>(width));
  const auto read = is_signed != 0 ? read_signed(f) : read_unsigned(f);
  if (!read) return -1;
  *value = *read;
  return 0;
}

QUARN_API int quarn_write_display(char* field, int32_t width, int32_t is_signed,
                                  const int64_t* value) {
  if (!usable_display(field, width, value)) return -1;
  const Field f(field, static_cast<size_t>(width));
  const bool fits = is_signed != 0 ? write_signed(f, *value) : write_unsigned(f, *value);
  return fits ? 0 : -1;
}

}  // extern "C"
