// quarn getstate --code CODE | --number NNN [--country CC] [--postal TEXT]: a state,
// province or district looked up.
#include <string>

#include "cli.hpp"
#include "names_output.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

bool all_digits(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int run(const Parsed& line) {
  const bool by_code = line.has("--code");
  if (by_code == line.has("--number")) return usage_error("getstate", "expects --code or --number");
  QuarnGetstateRecord record;
  const std::string code = record_text(line.value("--code"), record.gs_state_code, "a state code");
  const std::string number =
      record_text(line.value("--number"), record.gs_state_number, "a state number");
  const std::string country = record_text(line.value("--country"), record.gs_country, "a country");
  const std::string postal =
      record_text(line.value("--postal"), record.gs_postal_code, "a postal code");

  put_field(record.gs_postal_code, postal);
  put_field(record.gs_state_code, code);
  put_field(record.gs_state_number, number);
  // "6" means 006; anything else goes as keyed, for GETSTATE to judge.
  if (!number.empty() && all_digits(number)) {
    const std::string digits = std::string(3 - number.size(), '0') + number;
    put_field(record.gs_state_number, digits);
  }
  put_field(record.gs_state_name, "");
  put_field(record.gs_country, country);
  put_field(record.gs_request_status, by_code ? "01" : "02");
  QUARN_GETSTATE(&record);
  print_field("state code", record.gs_state_code);
  print_field("state number", record.gs_state_number);
  print_field("state name", record.gs_state_name);
  print_field("country", record.gs_country);
  print_field("postal code", record.gs_postal_code);
  return finish("getstate", record.gs_request_status, kGetstateCodes);
}

const Registration registration(
    {.name = "getstate",
     .summary = "a state, province or district looked up by code or number",
     .synopsis = "--code CODE | --number NNN [--country CC] [--postal TEXT]",
     .description =
         "Looks a state, province or district of the US, Canada, Bermuda or Singapore up\n"
         "with GETSTATE and prints its code, number, name and country, the postal code and\n"
         "the return code.\n"
         "\n"
         "  quarn getstate --code AB --country CA --postal \"T2P 1J9/\"\n"
         "\n"
         "Exit status 0 for return code 00, 1 for any other (71 not found, 72 bad number,\n"
         "73 postal code does not fit, 74 bad country), after the fields are printed.\n",
     .options = {{.name = "--code",
                  .value = "CODE",
                  .help = "by its two-letter code (request 01), e.g. AL or al"},
                 {.name = "--number",
                  .value = "NNN",
                  .help = "by its three-digit number (request 02); 6 means 006"},
                 {.name = "--country",
                  .value = "CC",
                  .help = "only in country CC (US, CA, BM or SG), and check the postal\n"
                          "code against that country's pattern; with SG an empty code\n"
                          "means Singapore"},
                 {.name = "--postal",
                  .value = "TEXT",
                  .help = "the postal code, ending with \"/\" (e.g. \"T2P 1J9/\")"}},
     .run = &run});

}  // namespace
}  // namespace quarn::cli
