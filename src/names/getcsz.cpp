// GETCSZ: an address line "city/state/postal code" split into its fields, the state looked
// up and the postal code checked by GETSTATE.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"
#include "names/getstate.hpp"
#include "names/placing.hpp"

namespace quarn {
namespace {

// GETSTATE looks codes up in the first positions of the state field only.
constexpr std::size_t kLookupCodeWidth = sizeof(QuarnGetstateRecord::gs_state_code);

std::int32_t getcsz(void* const* params) {
  auto& record = *static_cast<QuarnGetcszRecord*>(params[0]);
  auto& state = *static_cast<QuarnGetstateRecord*>(params[1]);

  std::array<std::string_view, 3> pieces;
  if (names::split_pieces(record.csz_line_in, pieces) != 2) {
    frame::put_text(record.csz_return_code, "70");
    return 0;
  }
  frame::put_text(record.csz_return_code, "00");
  names::place(record.csz_city, pieces[0]);
  names::place_upper(record.csz_state, pieces[1]);
  names::place_upper(record.csz_postal_code, pieces[2]);
  const bool no_city = names::is_empty(record.csz_city);
  if (no_city && names::is_empty(record.csz_state) && names::is_empty(record.csz_postal_code)) {
    frame::put_text(record.csz_return_code, "79");
    return 0;
  }

  frame::put_text(state.gs_request_status, "01");
  std::copy_n(record.csz_postal_code, sizeof state.gs_postal_code, state.gs_postal_code);
  std::copy_n(record.csz_state, kLookupCodeWidth, state.gs_state_code);
  // GETSTATE puts the terminator back after the code itself.
  std::ranges::replace(state.gs_state_code, names::kSlash, ' ');
  names::call_getstate(state);

  std::copy_n(state.gs_request_status, 2, record.csz_return_code);
  if (frame::text_of(record.csz_return_code) == "00" && no_city) {
    frame::put_text(record.csz_return_code, "78");
  }
  return 0;
}

frame::Program program(
    {"GETCSZ", 2, 2, {sizeof(QuarnGetcszRecord), sizeof(QuarnGetstateRecord)}, &getcsz});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_GETCSZ(QuarnGetcszRecord* record, QuarnGetstateRecord* state) {
  return quarn::program.enter_exported({record, state});
}
QUARN_EXPORT_AS(QUARN_GETCSZ, "GETCSZ", quarn_getcsz_cobol);
