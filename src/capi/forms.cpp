// The form runtime's part of the public C header: the headless runtime's script and
// record of messages, and which runtime forms open in.
#include <algorithm>
#include <cstring>
#include <string>

#include "forms/enlookup/enlookup.hpp"
#include "forms/headless_runtime.hpp"
#include "forms/loader.hpp"
#include "quarn/quarn-m.h"

namespace {

void copy_out(const std::string& text, char* out, size_t size) {
  if (out == nullptr || size == 0) return;
  const size_t n = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

}  // namespace

extern "C" {

QUARN_API QuarnLookupProgram quarn_set_lookup_program(QuarnLookupProgram program) {
  return quarn::forms::set_lookup_program(program);
}

QUARN_API int32_t quarn_forms_script(const char* script, char* error, size_t error_size) {
  auto& headless = quarn::forms::headless_runtime();
  if (headless.set_script(script == nullptr ? "" : script)) {
    copy_out("", error, error_size);
    return 0;
  }
  copy_out(headless.script_error(), error, error_size);
  return -1;
}

QUARN_API int32_t quarn_forms_message(int32_t index, char* caption, size_t caption_size, char* text,
                                      size_t text_size, int32_t* style, int32_t* answer) {
  const auto& messages = quarn::forms::headless_runtime().messages();
  if (index < 0 || static_cast<size_t>(index) >= messages.size()) return 0;
  const auto& m = messages[static_cast<size_t>(index)];
  copy_out(m.caption, caption, caption_size);
  copy_out(m.text, text, text_size);
  if (style != nullptr) *style = m.style;
  if (answer != nullptr) *answer = m.answer;
  return 1;
}

QUARN_API void quarn_forms_on_shown(QuarnFormShown hook, void* context) {
  // The C hook takes a NUL-terminated name; form names are literals of their definitions.
  struct Bridge {
    QuarnFormShown hook;
    void* context;
  };
  static Bridge bridge{};
  bridge = {hook, context};
  quarn::forms::set_shown_hook(
      hook == nullptr ? nullptr
                      : +[](std::string_view form, void* c) {
                          const auto* b = static_cast<const Bridge*>(c);
                          const std::string name(form);
                          return b->hook(name.c_str(), b->context) != 0;
                        },
      &bridge);
}

QUARN_API const char* quarn_forms_runtime(void) {
  // Kinds are literals of the runtimes, so NUL-terminated.
  return quarn::forms::form_runtime().kind().data();
}

}  // extern "C"
