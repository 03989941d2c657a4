#include "forms/form_call.hpp"

#include <cstring>

#include "frame/codec.hpp"
#include "quarn/quarn-m.h"

namespace quarn::forms {

FormCall::FormCall(void* const* params, int count) {
  const auto param = [&](int i) { return i < count ? params[i] : nullptr; };
  if (const auto* owner = static_cast<const QuarnFormOwner*>(param(0)))
    options_.owner = owner->window;
  if (const auto* style = static_cast<const std::int32_t*>(param(1))) options_.modal_style = *style;
  outcome_ = static_cast<std::int32_t*>(param(2));
  if (const auto* place = static_cast<const QuarnFormPlace*>(param(3)))
    options_.place = {place->left, place->top, place->width, place->height};
  place_ = param(3);
  runtime_ = static_cast<char*>(param(4));
}

void FormCall::finish(bool completed, const Rect& place, std::string_view runtime_kind) const {
  if (outcome_ != nullptr) *outcome_ = completed ? 1 : 0;
  if (place_ != nullptr) {
    const QuarnFormPlace out{place.left, place.top, place.width, place.height};
    std::memcpy(place_, &out, sizeof out);
  }
  if (runtime_ != nullptr) frame::put_text(frame::Field(runtime_, 8), runtime_kind);
}

Rect form_place(const Form& form) {
  const auto get = [&](std::string_view name) {
    return static_cast<std::int32_t>(number_property(form, name));
  };
  return {get(property::kLeft), get(property::kTop), get(property::kWidth), get(property::kHeight)};
}

}  // namespace quarn::forms
