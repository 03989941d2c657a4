// quarn getcsz LINE [--country CC]: an address line split into city, state and postal
// code, the state looked up.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "cli.hpp"
#include "names_output.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

std::vector<CodeMeaning> codes() {
  std::vector<CodeMeaning> all{
      {"70", "the line does not hold exactly two \"/\"; nothing else was written"},
      {"78", "the state was found but the city is empty"},
      {"79", "city, state and postal code are all empty"},
  };
  // GETSTATE's codes come through too; where GETCSZ gives a code a meaning of its own
  // ("70"), that meaning stands.
  const std::size_t own = all.size();
  for (const CodeMeaning& passed_on : kGetstateCodes) {
    const auto same_code = [&](const CodeMeaning& m) { return m.code == passed_on.code; };
    if (std::none_of(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(own), same_code))
      all.push_back(passed_on);
  }
  return all;
}

int run(const Parsed& line) {
  QuarnGetcszRecord record;
  QuarnGetstateRecord state;
  put_field(record.csz_line_in,
            record_text(line.operand(0), record.csz_line_in, "an address line"));
  put_field(record.csz_city, "");
  put_field(record.csz_state, "");
  put_field(record.csz_postal_code, "");
  put_field(record.csz_return_code, "");
  put_field({reinterpret_cast<char*>(&state), sizeof state}, "");
  put_field(state.gs_country, record_text(line.value("--country"), state.gs_country, "a country"));
  QUARN_GETCSZ(&record, &state);
  print_field("city", record.csz_city);
  print_field("state", record.csz_state);
  print_field("postal code", record.csz_postal_code);
  print_field("state code", state.gs_state_code);
  print_field("state number", state.gs_state_number);
  print_field("state name", state.gs_state_name);
  print_field("country", state.gs_country);
  return finish("getcsz", record.csz_return_code, codes());
}

const Registration registration(
    {.name = "getcsz",
     .summary = "an address line split into city, state and postal code",
     .synopsis = "LINE [--country CC]",
     .description =
         "Splits LINE (at most 40 characters), keyed as city \"/\" state \"/\" postal code,\n"
         "with GETCSZ: the state and postal code are put in upper case and the state is\n"
         "looked up with GETSTATE. Prints the three fields, the state code, number and\n"
         "name and the country found, and the return code.\n"
         "\n"
         "  quarn getcsz \"BIRMINGHAM/AL/35203\" --country US\n"
         "\n"
         "Exit status 0 for return code 00, 1 for any other (70 not two \"/\", 71 state\n"
         "not found, 73 postal code does not fit, 74 bad country, 78 no city, 79 empty),\n"
         "after the fields are printed.\n",
     .options = {{.name = "--country",
                  .value = "CC",
                  .help = "look the state up in country CC only (US, CA, BM or SG) and\n"
                          "check the postal code against that country's pattern"}},
     .operands = {1, 1},
     .expects = "one address line",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
