// Which parameters of a program are records that a command line can give, and which are
// something else that the tool passes itself.
#pragma once

#include <string_view>
#include <vector>

namespace quarn::cli {

inline constexpr int kMaxRecords = 8;

enum class ParameterKind {
  record,       // bytes, given as text, hex or a file
  caller_form,  // a QuarnCallerForm (callbacks): the form runtime's own is passed
};

struct NonRecordParameter {
  std::string_view program;
  int index;  // 0-based
  ParameterKind kind;
};

// POP's third parameter is the caller's form, a struct of callbacks.
inline constexpr NonRecordParameter kNonRecordParameters[] = {
    {"POP", 2, ParameterKind::caller_form},
};

inline std::vector<ParameterKind> parameter_kinds(std::string_view program, int count) {
  std::vector<ParameterKind> kinds(count > 0 ? count : 0, ParameterKind::record);
  for (const NonRecordParameter& p : kNonRecordParameters)
    if (p.program == program && p.index < count) kinds[p.index] = p.kind;
  return kinds;
}

}  // namespace quarn::cli
