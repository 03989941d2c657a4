// Which parameters of a program are records that a command line can give, and which are a
// struct of callbacks that the tool passes itself (the library's declaration says which).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quarn/quarn-m.h"

namespace quarn::cli {

inline constexpr int kMaxRecords = 8;

enum class ParameterKind {
  record,       // bytes, given as text, hex or a file
  caller_form,  // callbacks (POP's QuarnCallerForm): the form runtime's own is passed
};

inline std::vector<ParameterKind> parameter_kinds(std::string_view program, int count) {
  const std::string name(program);
  std::vector<ParameterKind> kinds;
  for (int i = 0; i < count; ++i) {
    kinds.push_back(quarn_program_parameter_kind(name.c_str(), i) == QUARN_PARAMETER_CALLBACKS
                        ? ParameterKind::caller_form
                        : ParameterKind::record);
  }
  return kinds;
}

}  // namespace quarn::cli
