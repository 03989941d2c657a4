// GETCSZ: an address line "city/state/postal code" split into its fields, the state looked
// up and the postal code checked by GETSTATE.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "names/blocks.hpp"
#include "names/getstate.hpp"
#include "names/placing.hpp"

namespace quarn {
namespace {

std::int32_t getcsz(QuarnGetcszRecord* passed, QuarnGetstateRecord* passed_state) {
  auto& record = *passed;
  auto& state = *passed_state;

  const names::KeyedLine<3> line(record.csz_line_in);
  if (line.slashes() != 2) {
    frame::put_text(record.csz_return_code, "70");
    return 0;
  }
  const bool no_city = names::place(record.csz_city, line[0]).empty();
  const bool no_state = names::place_upper(record.csz_state, line[1]).empty();
  const bool no_postal_code = names::place_upper(record.csz_postal_code, line[2]).empty();
  if (no_city && no_state && no_postal_code) {
    frame::put_text(record.csz_return_code, "79");
    return 0;
  }

  frame::put_text(state.gs_request_status, "01");
  names::copy_field(state.gs_postal_code, record.csz_postal_code);
  // GETSTATE looks codes up in the first positions of the state only, and puts the
  // terminator back after the code itself.
  names::Blocks<sizeof(state.gs_state_code)> code(record.csz_state);
  code.replace(names::kSlash, ' ');
  code.store(state.gs_state_code);
  names::call_getstate(state);

  const std::string_view found = frame::text_of(state.gs_request_status);
  frame::put_text(record.csz_return_code, found == "00" && no_city ? "78" : found);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((GETCSZ), quarn::getcsz, 2, (record, QuarnGetcszRecord),
              (state, QuarnGetstateRecord));
