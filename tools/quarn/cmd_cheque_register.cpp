// quarn cheque-register CSV: a register of cheques written through POP, each row passed
// through the name, address, date and amount programs first.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "cli.hpp"
#include "csv.hpp"
#include "home_option.hpp"
#include "pop_failure.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "cheque-register";
constexpr char kEnd = QUARN_POP_END_MARK;
constexpr char kTab = QUARN_POP_TAB;
constexpr char kRight = QUARN_POP_ALIGN_RIGHT;
constexpr char kParagraph = QUARN_POP_PARAGRAPH_END;
constexpr std::string_view kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// "1234.56" or "1,234.56" as cents.
std::optional<std::int64_t> cents_of(std::string_view text) {
  std::int64_t cents = 0;
  int decimals = -1;
  for (const char c : text) {
    if (c == ',' && decimals < 0 && cents > 0) continue;
    if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (c >= '0' && c <= '9' && decimals < 2 && cents < 10'000'000'000'000) {
      cents = cents * 10 + (c - '0');
      if (decimals >= 0) ++decimals;
    } else {
      return std::nullopt;
    }
  }
  if (text.empty()) return std::nullopt;
  for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d)
    cents *= 10;
  return cents;
}

// A piece of GETNAME or GETCSZ output without its "/" terminator.
std::string piece(std::span<const char> field) {
  std::string text(trimmed(field));
  if (const std::size_t slash = text.find('/'); slash != std::string::npos) text.resize(slash);
  return text;
}

std::string mixed_case(const std::string& text, char exceptions) {
  QuarnMixcaseRecord record;
  record.mc_style[0] = ' ';
  record.mc_exception_set[0] = exceptions;
  put_field(record.mc_text, text);
  QUARN_MIXCASE(&record);
  return std::string(trimmed(record.mc_text));
}

struct Cheque {
  std::string number;
  std::string date;    // "Mon 03/02/2026"
  std::string payee;   // "John A Smith Jr"
  std::string place;   // "Birmingham, AL 35203"
  std::string amount;  // "1,234.56"
  std::string words;   // "One Thousand ... & 56/100 Dollars"
  std::int64_t cents = 0;
};

std::string money(std::int64_t cents) {
  std::string whole = std::to_string(cents / 100);
  for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
    whole.insert(static_cast<std::size_t>(at), ",");
  const int rest = static_cast<int>(cents % 100);
  return whole + "." + (rest < 10 ? "0" : "") + std::to_string(rest);
}

// One CSV row through GETNAME, GETCSZ, MIXCASE, DATEDIT, GETDAY and AMTNAME; the problem
// when a program refuses it.
std::optional<std::string> make_cheque(const std::vector<std::string>& fields, Cheque& cheque) {
  if (fields.size() != 5) return "expected number,payee,city,date,amount";
  cheque.number = fields[0];

  QuarnGetnameRecord name;
  std::memset(&name, ' ', sizeof name);
  put_field(name.gn_name_in, fields[1]);
  QUARN_GETNAME(&name);
  if (std::string_view(name.gn_return_code, 2) != "00") return "GETNAME cannot split the payee";
  std::string payee;
  for (const auto& part :
       {piece(name.gn_part_1), piece(name.gn_part_2), piece(name.gn_part_3), piece(name.gn_part_4)})
    if (!part.empty()) payee += (payee.empty() ? "" : " ") + part;
  cheque.payee = mixed_case(payee, 'N');

  QuarnGetcszRecord csz;
  QuarnGetstateRecord state;
  std::memset(&csz, ' ', sizeof csz);
  std::memset(&state, ' ', sizeof state);
  put_field(csz.csz_line_in, fields[2]);
  QUARN_GETCSZ(&csz, &state);
  if (std::string_view(csz.csz_return_code, 2) != "00")
    return "GETCSZ does not know the city line (code " + std::string(csz.csz_return_code, 2) + ")";
  cheque.place = mixed_case(piece(csz.csz_city), 'A') + ", " + piece(csz.csz_state) + " " +
                 piece(csz.csz_postal_code);

  QuarnDateditRecord date;
  std::memset(&date, ' ', sizeof date);
  put_field(date.de_pivot, "50");
  date.de_month_year[0] = 'N';
  date.de_check.dc_zero_month[0] = 'N';
  date.de_check.dc_zero_day[0] = 'N';
  date.de_check.dc_year_check[0] = 'N';
  put_field(date.de_date_text, fields[3]);
  QUARN_DATEDIT(&date);
  if (std::string_view(date.de_result, 2) != "00") return "DATEDIT rejects the date";
  QuarnGetdayRecord day;
  std::memset(&day, ' ', sizeof day);
  std::memcpy(day.gy_month, date.de_check.dc_month, 2);
  std::memcpy(day.gy_day, date.de_check.dc_day, 2);
  std::memcpy(day.gy_year, date.de_check.dc_year, 4);
  QUARN_GETDAY(&date.de_check, &day);
  const int weekday = (day.gy_weekday[0] - '0') * 10 + (day.gy_weekday[1] - '0');
  std::string text(trimmed(date.de_date_text));
  if (!text.empty() && text[0] == ' ') text[0] = '0';
  cheque.date = (weekday >= 1 && weekday <= 7 ? std::string(kWeekdays[weekday - 1]) + " " : "") +
                std::string(trimmed(std::string_view(text).substr(text.find_first_not_of(' '))));

  const auto cents = cents_of(fields[4]);
  if (!cents) return "the amount is not a number like 1234.56";
  cheque.cents = *cents;
  cheque.amount = money(*cents);
  QuarnAmtnameRecord amount;
  std::memset(&amount, ' ', sizeof amount);
  quarn_write_display(amount.an_amount, sizeof amount.an_amount, 1, &*cents);
  amount.an_cents_option[0] = '2';
  put_field(amount.an_trailing_text, "Dollars");
  QUARN_AMTNAME(&amount);
  cheque.words = std::string(trimmed(amount.an_words));
  return std::nullopt;
}

// Fixed fields of the request record from text.
void set(std::span<char> field, std::string_view text) {
  put_field(field, text);
}

class Register {
 public:
  explicit Register(std::string home) : home_(std::move(home)) {
    std::memset(&rec_, ' ', sizeof rec_);
    std::memset(&caller_, ' ', sizeof caller_);
    set(caller_.pop_program_name, "CHQREG");
    set(caller_.pop_report_title, "CHEQUE REGISTER");
  }

  bool request(std::string_view code) {
    set(rec_.pop_request, code);
    QUARN_POP(&rec_, &caller_, quarn_runtime_form());
    if (std::string_view(rec_.pop_status, 2) == "00") return true;
    const PopFailure failed = pop_failure(code, std::string_view(rec_.pop_status, 2),
                                          trimmed(rec_.pop_message_text), home_);
    error_ = failed.message;
    status_ = failed.status;
    return false;
  }

  bool start(const std::string& source) {
    if (!request("INI")) return false;
    set(rec_.pop_heading_line_1, "Operating account, March 2026");
    set(rec_.pop_heading_line_2, "From " + source);
    // Cells: number, date, payee and place with the amount in words, amount.
    const std::string cells = std::string("\x16") + "0070 1 1      " + "\x16" + "0200 1 1      " +
                              "\x16" + "0630 1 1      " + "\x16" + "0750 111      " + kEnd;
    set(rec_.pop_header_row_layout, cells);
    set(rec_.pop_row_layout, cells);
    set(rec_.pop_header_row_text, std::string("\x14") + "110B      No." + kTab + "Date" + kTab +
                                      "Payee" + kTab + kRight + "Amount" + kEnd);
    rec_.pop_line_mode[0] = 'C';
    return true;
  }

  bool cheque(const Cheque& c) {
    set(rec_.pop_line_text, c.number + kTab + c.date + kTab + c.payee + kParagraph + c.place +
                                kParagraph + "\x14" + "010  I    " + c.words + kTab + kRight +
                                c.amount + kEnd);
    return request("WRI");
  }

  bool total(std::int64_t cents, std::size_t count) {
    rec_.pop_line_mode[0] = ' ';
    set(rec_.pop_line_layout, std::string("\x15") + "0750R     " + kEnd);
    set(rec_.pop_line_text, std::string("\x14") + "110B      " + std::to_string(count) +
                                " cheques" + kTab + money(cents) + kEnd);
    return request("WRI") && request("CLS");
  }

  std::string file() const { return std::string(trimmed(rec_.pop_print_file_name)); }
  const std::string& error() const { return error_; }
  int status() const { return status_; }

 private:
  QuarnPopRecord rec_;
  QuarnPopCaller caller_;
  std::string home_;
  std::string error_;
  int status_ = kFailure;
};

int run(const Parsed& line) {
  apply_home(line);
  const std::string source(line.operand(0));
  if (const auto why = unreadable(source)) return cannot_run(kName, *why);
  std::ifstream in(source, std::ios::binary);

  Register reg(home_for_messages(line));
  if (!reg.start(source)) return complain(kName, reg.error(), reg.status());
  CsvReader csv(in);
  std::vector<std::string> fields;
  csv.next(fields);  // the column names
  std::size_t count = 0;
  std::int64_t cents = 0;
  while (csv.next(fields)) {
    if (fields.size() == 1 && fields[0].empty()) continue;  // a blank line
    const std::string where = source + ":" + std::to_string(csv.line()) + ": ";
    Cheque cheque;
    try {
      for (std::string& field : fields)
        field = to_record(field);
    } catch (const UsageError& error) {
      return failure(kName, where + error.message);
    }
    if (const auto problem = make_cheque(fields, cheque)) return failure(kName, where + *problem);
    if (!reg.cheque(cheque)) return complain(kName, reg.error(), reg.status());
    ++count;
    cents += cheque.cents;
  }
  if (csv.error()) return failure(kName, source + ": " + *csv.error());
  if (!reg.total(cents, count)) return complain(kName, reg.error(), reg.status());
  std::printf("%s\n", reg.file().c_str());
  return kOk;
}

const Registration registration(
    {.name = kName,
     .summary = "a register of cheques from a CSV file, as a rich-text document",
     .synopsis = "[--home DIR] CSV",
     .description =
         "Reads cheques from CSV (UTF-8, RFC 4180: a header line, then\n"
         "number,payee,city,date,amount, a field in double quotes may hold commas, quotes\n"
         "doubled) with the payee keyed as FIRST/MIDDLE/LAST, the city line as CITY/ST/ZIP, a\n"
         "typed date and an amount like 1234.56 or \"1,234.56\". Passes each through GETNAME,\n"
         "GETCSZ, MIXCASE, DATEDIT, GETDAY and AMTNAME, and writes a register through POP:\n"
         "page headers, a table of the cheques with the amounts in words, and the total.\n"
         "Prints the document's name. Exits with 1 for a row a program refuses, with 3 when\n"
         "CSV cannot be read.\n"
         "\n"
         "example: quarn cheque-register --home /tmp/demo examples/cheques.csv\n",
     .options = {kHomeOption},
     .operands = {1, 1},
     .expects = "one CSV file",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
