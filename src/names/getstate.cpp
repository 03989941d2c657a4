// GETSTATE: a state, province or district looked up by code or number, and its country's
// postal code checked.
#include "names/getstate.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "names/blocks.hpp"
#include "names/placing.hpp"

namespace quarn {
namespace {

// A row holds its values at the widths of the record's fields, so that a found row is shown
// by fixed-width copies.
struct StateRow {
  // The values as the table below writes them; one that does not fit its field stops the
  // build.
  consteval StateRow(std::string_view code_value, std::string_view number_value,
                     std::string_view name_value, std::string_view country_value) {
    if (code_value.size() != code.size() || number_value.size() != number.size() ||
        name_value.size() > name.size() || country_value.size() != country.size()) {
      throw "a value of the state table does not fit its field";
    }
    frame::put_text(code, code_value);
    frame::put_text(number, number_value);
    frame::put_text(name, name_value);
    frame::put_text(country, country_value);
  }

  std::array<char, 2> code{};     // two letters; the record shows them with "/" and spaces
  std::array<char, 3> number{};   // three display digits, "000" where the entity has none
  std::array<char, 20> name{};    // as stored: "/"-terminated when shorter than 20, then spaces
  std::array<char, 2> country{};  // "US", "CA", "BM" or "SG"
};

// Searched from the top: with a code that occurs twice ("FL", "MA") and no country, the
// upper row wins. The names are kept exactly as they have always been stored, spelling
// included, since callers keep and compare them.
constexpr std::array<StateRow, 90> kStateTable{{
    {"AL", "001", "Alabama/", "US"},
    {"AK", "002", "Alaska/", "US"},
    {"AS", "000", "American Somoa/", "US"},
    {"AZ", "004", "Arizona/", "US"},
    {"AR", "005", "Arkansas/", "US"},
    {"CA", "006", "California/", "US"},
    {"CO", "008", "Colorado/", "US"},
    {"CT", "009", "Connecticut/", "US"},
    {"DE", "010", "Deleware/", "US"},
    {"DC", "011", "District of Columbia", "US"},
    {"FL", "012", "Florida/", "US"},
    {"GA", "013", "Georgia/", "US"},
    {"GU", "000", "Guam/", "US"},
    {"HI", "015", "Hawaii/", "US"},
    {"ID", "016", "Idaho/", "US"},
    {"IL", "017", "Illinois/", "US"},
    {"IN", "018", "Indiana/", "US"},
    {"IA", "019", "Iowa/", "US"},
    {"KS", "020", "Kansas/", "US"},
    {"KY", "021", "Kentucky/", "US"},
    {"LA", "022", "Louisiana/", "US"},
    {"ME", "023", "Maine/", "US"},
    {"MD", "024", "Maryland/", "US"},
    {"MA", "025", "Massachusetts/", "US"},
    {"MI", "026", "Michigan/", "US"},
    {"MN", "027", "Minnesota/", "US"},
    {"MS", "028", "Mississippi/", "US"},
    {"MO", "029", "Missouri/", "US"},
    {"MT", "030", "Montana/", "US"},
    {"NE", "031", "Nebraska/", "US"},
    {"NV", "032", "Nevada/", "US"},
    {"NH", "033", "New Hamshire/", "US"},
    {"NJ", "034", "New Jersey/", "US"},
    {"NM", "035", "New Mexico/", "US"},
    {"NY", "036", "New York/", "US"},
    {"NC", "037", "North Carolina/", "US"},
    {"ND", "038", "North Dakota/", "US"},
    {"OH", "039", "Ohio/", "US"},
    {"OK", "040", "Oklahoma/", "US"},
    {"OR", "041", "Oregon/", "US"},
    {"PA", "042", "Pennsylvania/", "US"},
    {"PR", "000", "Pureto Rico/", "US"},
    {"RI", "044", "Rhode Island/", "US"},
    {"SC", "045", "South Carolina/", "US"},
    {"SD", "046", "South Dakota/", "US"},
    {"TN", "047", "Tennessee/", "US"},
    {"TX", "048", "Texas/", "US"},
    {"UT", "049", "Utah/", "US"},
    {"VT", "050", "Vermont/", "US"},
    {"VA", "051", "Virginia/", "US"},
    {"VI", "000", "Virgin Islands/", "US"},
    {"WA", "053", "Washington/", "US"},
    {"WV", "054", "West Virginia/", "US"},
    {"WI", "055", "Wisconsin/", "US"},
    {"WY", "056", "Wyoming/", "US"},
    {"FM", "000", "Micronisia/", "US"},
    {"PW", "000", "Palau/", "US"},
    {"MH", "000", "Marshall Islands/", "US"},
    {"MP", "000", "Saipan/", "US"},
    {"AE", "000", "APO CAN,EUR,AFR,MidE", "US"},
    {"AA", "000", "APO Cen/So America/", "US"},
    {"AP", "000", "APO Alaska/Pacific/", "US"},
    {"AC", "000", "APO Contingency Ops/", "US"},
    {"AB", "000", "Alberta/", "CA"},
    {"BC", "000", "British Columbia/", "CA"},
    {"MB", "000", "Manitoba/", "CA"},
    {"NB", "000", "New Brunswick/", "CA"},
    {"NL", "000", "Newfoundland/", "CA"},
    {"NS", "000", "Nova Scotia/", "CA"},
    {"NT", "000", "Northwest Territory/", "CA"},
    {"NU", "000", "Nunavut/", "CA"},
    {"ON", "000", "Ontario/", "CA"},
    {"PE", "000", "Prince Edward Island", "CA"},
    {"QC", "000", "Quebec/", "CA"},
    {"SK", "000", "Saskatchewan/", "CA"},
    {"YT", "000", "Yukon/", "CA"},
    {"BY", "000", "Bailey's Bay/", "BM"},
    {"CR", "000", "Crawl/", "BM"},
    {"DV", "000", "Devonshire/", "BM"},
    {"FL", "000", "Flatts/", "BM"},
    {"HM", "000", "Hamilton/", "BM"},
    {"HS", "000", "Harrington Sound/", "BM"},
    {"MA", "000", "Mangrove Bay/", "BM"},
    {"PG", "000", "Paget/", "BM"},
    {"DD", "000", "St David's/", "BM"},
    {"GE", "000", "St Geroge/", "BM"},
    {"SB", "000", "Somerset Bridge/", "BM"},
    {"SN", "000", "Southampton/", "BM"},
    {"WK", "000", "Warwick/", "BM"},
    {"SG", "000", "Singapore", "SG"},
}};

constexpr std::string_view kNoNumber = "000";

static_assert(std::ranges::count_if(kStateTable, [](const StateRow& row) {
                return frame::text_of(row.number) == kNoNumber;
              }) == 39);

// A two-character value as one number, so that it compares in one step.
constexpr std::uint16_t pair_key(const char* two) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(two[0]) << 8 |
                                    static_cast<unsigned char>(two[1]));
}
constexpr std::uint16_t kUS = pair_key("US");
constexpr std::uint16_t kCA = pair_key("CA");
constexpr std::uint16_t kBM = pair_key("BM");
constexpr std::uint16_t kSG = pair_key("SG");
constexpr std::uint16_t kAnyCountry = pair_key("  ");
constexpr std::array<std::uint16_t, 5> kCountries{kUS, kCA, kBM, kSG, kAnyCountry};

// Requests.
constexpr std::uint16_t kByCode = pair_key("01");
constexpr std::uint16_t kByNumber = pair_key("02");

// Return codes, at the width of the field that shows them.
using ReturnCode = std::array<char, sizeof(QuarnGetstateRecord::gs_request_status)>;
consteval ReturnCode return_code(std::string_view text) {
  ReturnCode code{};
  frame::put_text(code, text);
  return code;
}
constexpr ReturnCode kFound = return_code("00");
constexpr ReturnCode kBadRequest = return_code("70");
constexpr ReturnCode kNotFound = return_code("71");
constexpr ReturnCode kBadNumber = return_code("72");
constexpr ReturnCode kPostalMismatch = return_code("73");
constexpr ReturnCode kBadCountry = return_code("74");

constexpr std::size_t kPostalWidth = sizeof(QuarnGetstateRecord::gs_postal_code);

// A form of postal code, from a pattern in which "9" stands for a digit, "A" for a letter
// A-Z, and any other character for itself; the positions past the pattern are spaces. Kept
// as which positions of the field must hold a digit, which a letter, and which the byte of
// the pattern there.
struct PostalShape {
  consteval explicit PostalShape(std::string_view pattern) {
    for (std::size_t i = 0; i < kPostalWidth; ++i) {
      const char c = i < pattern.size() ? pattern[i] : ' ';
      const names::Mask at = names::Mask{1} << i;
      if (c == '9') {
        digits |= at;
      } else if (c == 'A') {
        letters |= at;
      } else {
        exact |= at;
        bytes[i] = c;
      }
    }
  }

  names::Mask digits = 0;
  names::Mask letters = 0;
  names::Mask exact = 0;
  std::array<char, kPostalWidth> bytes{};
};

constexpr PostalShape kZip("99999/");
constexpr PostalShape kZipPlusFour("99999-9999/");
constexpr PostalShape kCanadian("A9A 9A9/");
constexpr PostalShape kBermudan("99/");
constexpr PostalShape kBermudanBX("BX/");
constexpr PostalShape kHamilton("AX/");
constexpr PostalShape kHamiltonWithoutEnd("AX");
constexpr PostalShape kSingaporean("999999/");

// Does the postal code, in upper case, have the shape? Inline: the shapes are constants, and a
// kind of byte that a shape wants nowhere is then not looked for.
[[gnu::always_inline]] inline bool fits(const names::Blocks<kPostalWidth>& postal,
                                        const PostalShape& shape) {
  const auto all = [](names::Mask found, names::Mask wanted) { return (found & wanted) == wanted; };
  return all(postal.between('0', '9'), shape.digits) &&
         all(postal.between('A', 'Z'), shape.letters) &&
         all(postal.equal(shape.bytes), shape.exact);
}

// Bermuda's third form, allowed only for Hamilton: a letter A-P, then "X", with or without
// the terminator (GETCSZ always adds one).
bool fits_hamilton(const names::Blocks<kPostalWidth>& postal, std::string_view state_code) {
  return state_code == "HM/  " && (postal.between('A', 'P') & 1) &&
         (fits(postal, kHamilton) || fits(postal, kHamiltonWithoutEnd));
}

bool postal_code_fits(std::uint16_t country, const names::Blocks<kPostalWidth>& postal,
                      std::string_view state_code) {
  if (country == kUS) return fits(postal, kZip) || fits(postal, kZipPlusFour);
  if (country == kCA) return fits(postal, kCanadian);
  if (country == kBM) {
    return fits(postal, kBermudan) || fits(postal, kBermudanBX) ||
           fits_hamilton(postal, state_code);
  }
  return fits(postal, kSingaporean);
}

bool country_matches(const StateRow& row, std::uint16_t country) {
  return country == kAnyCountry || pair_key(row.country.data()) == country;
}

// The table read by key, built at compile time: each code to its rows (a code occurs at
// most twice) and each number other than "000" to its one row, in table order.
constexpr std::uint8_t kNoRow = 0xFF;

constexpr bool is_code_letter(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr std::size_t code_slot(char first, char second) {
  return static_cast<std::size_t>(first - 'A') * 26 + static_cast<std::size_t>(second - 'A');
}
constexpr std::size_t number_slot(std::span<const char, 3> digits) {
  const int number = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
  return static_cast<std::size_t>(number);
}

constexpr auto kRowsByCode = [] {
  std::array<std::array<std::uint8_t, 2>, 26 * 26> index{};
  for (auto& rows : index)
    rows = {kNoRow, kNoRow};
  for (std::size_t row = 0; row < kStateTable.size(); ++row) {
    auto& rows = index[code_slot(kStateTable[row].code[0], kStateTable[row].code[1])];
    rows[rows[0] == kNoRow ? 0 : 1] = static_cast<std::uint8_t>(row);
  }
  return index;
}();

constexpr auto kRowByNumber = [] {
  std::array<std::uint8_t, 1000> index{};
  index.fill(kNoRow);
  for (std::size_t row = 0; row < kStateTable.size(); ++row) {
    if (frame::text_of(kStateTable[row].number) != kNoNumber) {
      index[number_slot(kStateTable[row].number)] = static_cast<std::uint8_t>(row);
    }
  }
  return index;
}();

// The indexes above hold what a search of the table from its first row finds.
static_assert([] {
  for (std::size_t row = 0; row < kStateTable.size(); ++row) {
    const StateRow& r = kStateTable[row];
    const auto& rows = kRowsByCode[code_slot(r.code[0], r.code[1])];
    std::size_t same_code = 0;
    std::size_t same_number = 0;
    for (std::size_t other = 0; other < row; ++other) {
      same_code += kStateTable[other].code == r.code;
      same_number += kStateTable[other].number == r.number;
    }
    if (same_code > 1 || rows[same_code] != row) return false;
    if (frame::text_of(r.number) != kNoNumber &&
        (same_number > 0 || kRowByNumber[number_slot(r.number)] != row)) {
      return false;
    }
    if (!is_code_letter(r.code[0]) || !is_code_letter(r.code[1])) return false;
  }
  return true;
}());

const StateRow* find_by_code(std::span<const char, 5> code, std::uint16_t country) {
  // Every code of the table is two letters, "/" and spaces.
  if (!is_code_letter(code[0]) || !is_code_letter(code[1]) || code[2] != names::kSlash ||
      code[3] != ' ' || code[4] != ' ') {
    return nullptr;
  }
  for (const std::uint8_t row : kRowsByCode[code_slot(code[0], code[1])]) {
    if (row != kNoRow && country_matches(kStateTable[row], country)) return &kStateTable[row];
  }
  return nullptr;
}

const StateRow* find_by_number(std::span<const char, 3> number, std::uint16_t country) {
  const std::uint8_t row = kRowByNumber[number_slot(number)];
  if (row == kNoRow || !country_matches(kStateTable[row], country)) return nullptr;
  return &kStateTable[row];
}

void put_code(QuarnGetstateRecord& record, const StateRow& row) {
  names::copy_field(record.gs_state_code, row.code);
  record.gs_state_code[2] = names::kSlash;
}

void put_row(QuarnGetstateRecord& record, const StateRow& row) {
  names::copy_field(record.gs_state_number, row.number);
  names::copy_field(record.gs_state_name, row.name);
  names::copy_field(record.gs_country, row.country);
}

// After a row was found: the postal code put in upper case and checked, when a country was
// given, against its pattern. (Upper case first: the whole field at once, rather than each
// character as the pattern reads it.)
ReturnCode check_postal_code(QuarnGetstateRecord& record, std::uint16_t country) {
  names::Blocks<kPostalWidth> postal(record.gs_postal_code);
  postal.upper_case();
  postal.store(record.gs_postal_code);
  const bool ok = country == kAnyCountry ||
                  postal_code_fits(country, postal, frame::text_of(record.gs_state_code));
  return ok ? kFound : kPostalMismatch;
}

// What the record shows when no row was found or looked for: no name, number "000".
void show_no_row(QuarnGetstateRecord& record) {
  names::set_empty(record.gs_state_name);
  frame::put_text(record.gs_state_number, kNoNumber);
}

ReturnCode by_code(QuarnGetstateRecord& record, std::uint16_t country) {
  // The code is worked on in its field, where it stays: in upper case, Singapore's own when
  // it is blank or empty for Singapore, and with its first space as the terminator when it
  // was keyed without one. (A byte at a time: the caller has just written the field, in
  // writes of any size, and each byte is sure to be handed on from whichever wrote it.)
  const std::span<char, 5> code = record.gs_state_code;
  for (char& c : code)
    c = names::upper(c);
  if (country == kSG && (frame::is_blank(code) || names::is_empty(code))) {
    frame::put_text(code, "SG/");
  }
  if (std::ranges::find(code, names::kSlash) == code.end()) {
    const std::size_t space = frame::first_space(code);
    if (space < code.size()) code[space] = names::kSlash;
  }
  // An empty code, "/" and spaces, is none of the table's.
  const StateRow* row = find_by_code(code, country);
  if (row == nullptr) {
    show_no_row(record);
    return kNotFound;
  }
  put_row(record, *row);
  return check_postal_code(record, country);
}

ReturnCode by_number(QuarnGetstateRecord& record, std::uint16_t country) {
  // A number that is not three digits counts as "000", which no row can be found by.
  const std::span<const char, 3> number = record.gs_state_number;
  if (!frame::read_unsigned(number) || frame::text_of(number) == kNoNumber) {
    frame::clear(record.gs_state_code);
    frame::clear(record.gs_state_name);
    frame::put_text(record.gs_state_number, kNoNumber);
    return kBadNumber;
  }
  const StateRow* row = find_by_number(number, country);
  if (row == nullptr) {
    frame::clear(record.gs_state_code);
    names::set_empty(record.gs_state_name);  // the number stays as keyed
    return kNotFound;
  }
  put_code(record, *row);
  put_row(record, *row);
  return check_postal_code(record, country);
}

std::int32_t getstate(QuarnGetstateRecord* passed) {
  auto& record = *passed;
  // Exactly one of the four countries or blank; lower case does not count.
  const std::uint16_t country = pair_key(record.gs_country);
  if (std::ranges::find(kCountries, country) == kCountries.end()) {
    names::copy_field(record.gs_request_status, kBadCountry);
    return 0;
  }

  const std::uint16_t request = frame::read_unsigned(record.gs_request_status)
                                    ? pair_key(record.gs_request_status)
                                    : pair_key("00");
  ReturnCode result = kBadRequest;
  if (request == kByCode) {
    result = by_code(record, country);
  } else if (request == kByNumber) {
    result = by_number(record, country);
  } else {
    names::set_empty(record.gs_state_code);
    show_no_row(record);
  }
  names::copy_field(record.gs_request_status, result);
  return 0;
}

}  // namespace

}  // namespace quarn

QUARN_PROGRAM((GETSTATE), quarn::getstate, 1, (record, QuarnGetstateRecord));

std::int32_t quarn::names::call_getstate(QuarnGetstateRecord& record) {
  return quarn::programs::GETSTATE.call_typed(&record);
}
