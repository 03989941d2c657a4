#include "forms/form_call.hpp"

#include "frame/codec.hpp"

namespace quarn::forms {

FormCall::FormCall(const QuarnFormOwner* owner, const std::int32_t* modal_style,
                   std::int32_t* outcome, QuarnFormPlace* place, char* runtime)
    : outcome_(outcome), place_(place), runtime_(runtime) {
  if (owner != nullptr) options_.owner = owner->window;
  if (modal_style != nullptr) options_.modal_style = *modal_style;
  if (place != nullptr) options_.place = {place->left, place->top, place->width, place->height};
}

void FormCall::finish(bool completed, const Rect& place, std::string_view runtime_kind) const {
  if (outcome_ != nullptr) *outcome_ = completed ? 1 : 0;
  if (place_ != nullptr) *place_ = {place.left, place.top, place.width, place.height};
  if (runtime_ != nullptr) frame::put_text(frame::Field(runtime_, 8), runtime_kind);
}

Rect form_place(const Form& form) {
  const auto get = [&](std::string_view name) {
    return static_cast<std::int32_t>(number_property(form, name));
  };
  return {get(property::kLeft), get(property::kTop), get(property::kWidth), get(property::kHeight)};
}

}  // namespace quarn::forms
