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

int run(const Args& args) {
  std::string_view code, number, country, postal;
  bool by_code = false, by_number = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view option = args[i];
    if (option != "--code" && option != "--number" && option != "--country" &&
        option != "--postal") {
      return usage_error("getstate", "unexpected '" + std::string(option) + "'");
    }
    if (i + 1 >= args.size())
      return usage_error("getstate", std::string(option) + " needs a value");
    const std::string_view value = args[++i];
    if (option == "--code") {
      code = value;
      by_code = true;
    } else if (option == "--number") {
      number = value;
      by_number = true;
    } else if (option == "--country") {
      country = value;
    } else {
      postal = value;
    }
  }
  if (by_code == by_number) return usage_error("getstate", "expects --code or --number");

  QuarnGetstateRecord record;
  if (code.size() > sizeof record.gs_state_code)
    return usage_error("getstate", "a state code has at most 5 characters");
  if (number.size() > sizeof record.gs_state_number)
    return usage_error("getstate", "a state number has at most 3 digits");
  if (country.size() > sizeof record.gs_country)
    return usage_error("getstate", "a country has two characters");
  if (postal.size() > sizeof record.gs_postal_code)
    return usage_error("getstate", "a postal code has at most 20 characters");

  put_field(record.gs_postal_code, postal);
  put_field(record.gs_state_code, code);
  put_field(record.gs_state_number, number);
  // "6" means 006; anything else goes as keyed, for GETSTATE to judge.
  if (!number.empty() && all_digits(number)) {
    const std::string digits = std::string(3 - number.size(), '0') + std::string(number);
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
    {"getstate", "a state, province or district looked up by code or number",
     "usage: quarn getstate --code CODE | --number NNN [--country CC] [--postal TEXT]\n"
     "\n"
     "Looks a state, province or district of the US, Canada, Bermuda or Singapore up\n"
     "with GETSTATE and prints its code, number, name and country, the postal code and\n"
     "the return code.\n"
     "\n"
     "  --code CODE     by its two-letter code (request 01), e.g. AL or al\n"
     "  --number NNN    by its three-digit number (request 02); 6 means 006\n"
     "  --country CC    only in country CC (US, CA, BM or SG), and check the postal\n"
     "                  code against that country's pattern; with SG an empty code\n"
     "                  means Singapore\n"
     "  --postal TEXT   the postal code, ending with \"/\" (e.g. \"T2P 1J9/\")\n"
     "\n"
     "  quarn getstate --code AB --country CA --postal \"T2P 1J9/\"\n"
     "\n"
     "Exit status 0 for return code 00, 1 for any other (71 not found, 72 bad number,\n"
     "73 postal code does not fit, 74 bad country), after the fields are printed.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
