// The optional parameters of a form program (see QuarnFormOwner in the public header): what
// they ask of the runtime on the way in, and what the form program writes back at the end.
#pragma once

#include <cstdint>

#include "forms/runtime.hpp"
#include "quarn/quarn-m.h"

namespace quarn::forms {

class FormCall {
 public:
  // The parameters as passed, null where not passed.
  FormCall(const QuarnFormOwner* owner, const std::int32_t* modal_style, std::int32_t* outcome,
           QuarnFormPlace* place, char* runtime);
  const OpenOptions& options() const { return options_; }
  // Writes the outcome, the place the form had and the runtime's name.
  void finish(bool completed, const Rect& place, std::string_view runtime_kind) const;

 private:
  OpenOptions options_;
  std::int32_t* outcome_ = nullptr;
  QuarnFormPlace* place_ = nullptr;
  char* runtime_ = nullptr;
};

// The geometry of a form as its properties give it.
Rect form_place(const Form& form);

}  // namespace quarn::forms
