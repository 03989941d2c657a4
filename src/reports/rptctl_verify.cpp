// RPTCTL-VERIFY: compares the customer's report control file with the standard one and, in
// update mode, brings the customer's file up to date; every run is written to a log.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/ixiostat.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/clock.hpp"
#include "platform/indexed.hpp"
#include "platform/lineseq.hpp"
#include "platform/sysout.hpp"

namespace quarn {
namespace {

using frame::ConstField;
using platform::FileStatus;
namespace status = platform::status;

constexpr std::size_t kCustomerLength = 213;
constexpr std::size_t kStandardLength = 256;
constexpr std::size_t kKeyLength = 17;
// At most this much of the home folder is used for the file names.
constexpr std::size_t kMaxFolder = 100;

constexpr std::string_view kCustomerName = "QUARN.RPT";
constexpr std::string_view kStandardName = "QUARN-STD.RPT";
constexpr std::string_view kLogName = "Update.LOG";

constexpr std::string_view kCustomerError = "RptCtlFILE ERROR: ";
constexpr std::string_view kStandardError = "RptCtlFILE2 ERROR: ";
constexpr std::string_view kLogError = "Log File ERROR: ";
constexpr std::string_view kMatchFailed = "    -Match Failed";
constexpr std::string_view kOutOfSync = "    -Out Of Sync";
constexpr std::string_view kUnknownType = "    -Unknown Type";
constexpr std::string_view kUpdating = "    Updating/Adding";
constexpr std::string_view kCustomerLine = "    RPT REC = ";
constexpr std::string_view kStandardLine = "    STD REC = ";
constexpr std::string_view kNothingChanged = "    No Records Changed";

constexpr char kControl = 'C';
constexpr char kStyle = 'S';

// A record as the comparison sees it: the customer's whole record, or the first 213 bytes
// of the standard one.
using WorkArea = std::array<char, kCustomerLength>;

ConstField part(const WorkArea& area, std::size_t offset, std::size_t width) {
  return ConstField(area).subspan(offset, width);
}

// A display number of the record by value, or nothing when the bytes are not one.
std::optional<std::int64_t> number(const WorkArea& area, std::size_t offset, std::size_t width) {
  return frame::read_signed(part(area, offset, width));
}

bool text_is(const WorkArea& area, std::size_t offset, std::string_view text) {
  return frame::text_of(part(area, offset, text.size())) == text;
}

// ---- merging a control record ----

// The standard record opens its control: a space after the report part of the key and the
// sequence number 0.
bool first_of_control(const WorkArea& standard) {
  return standard[13] == ' ' && number(standard, 14, 3) == 0;
}

// Brings the customer's first record of a control in line with the standard one. True when
// a byte of it changed.
bool merge_control(WorkArea& customer, const WorkArea& standard) {
  const WorkArea before = customer;
  // The control's version, always the standard's.
  std::copy_n(standard.begin() + 162, 2, customer.begin() + 162);
  // The three headings (30-79, 80-114, 115-149) go together.
  constexpr std::size_t kHeadings = 30;
  constexpr std::size_t kHeadingsWidth = 120;
  if (!std::equal(customer.begin() + kHeadings, customer.begin() + kHeadings + kHeadingsWidth,
                  standard.begin() + kHeadings)) {
    std::copy_n(standard.begin() + kHeadings, kHeadingsWidth, customer.begin() + kHeadings);
  }
  // A number the customer never set takes the standard's, as plain digits.
  const auto own = number(customer, 159, 2);
  const auto given = number(standard, 159, 2);
  if (own == 0 && given && *given != 0) {
    frame::write_unsigned(frame::Field(customer).subspan(159, 2), *given < 0 ? -*given : *given);
  }
  return customer != before;
}

// ---- differences that are expected between the two files ----

struct ExpectedDifference {
  std::string_view key_begins;  // the customer's key from its second byte
  bool (*holds)(const WorkArea& customer, const WorkArea& standard);
};

constexpr std::array<ExpectedDifference, 6> kExpectedDifferences{{
    {"DNLIST", [](const WorkArea&, const WorkArea&) { return true; }},
    {"AG 4-8.+NEW", [](const WorkArea&, const WorkArea&) { return true; }},
    {"FA 2-4",
     [](const WorkArea& c, const WorkArea& s) {
       return number(c, 14, 3) == 0 && text_is(c, 17, "FA 2-4 IET=F") &&
              text_is(s, 17, "FA 2-4 IE=F ");
     }},
    {"FA 2-4 IE AB",
     [](const WorkArea& c, const WorkArea& s) {
       return number(c, 14, 3) == 0 && number(c, 29, 1) == 1 && number(s, 29, 1) == 2;
     }},
    {"FA 2-4 BGTWK",
     [](const WorkArea& c, const WorkArea&) {
       return number(c, 14, 3) == 2 && text_is(c, 34, "BUDGET");
     }},
    {"FS 2-4",
     [](const WorkArea& c, const WorkArea& s) {
       return number(c, 14, 3) == 0 && number(c, 154, 3) == 230 && number(s, 154, 3) == 220;
     }},
}};

bool expected_difference(const WorkArea& customer, const WorkArea& standard) {
  const std::string_view key = frame::text_of(part(customer, 1, kKeyLength - 1));
  return std::any_of(kExpectedDifferences.begin(), kExpectedDifferences.end(),
                     [&](const ExpectedDifference& row) {
                       return key.starts_with(row.key_begins) && row.holds(customer, standard);
                     });
}

// ---- the run ----

// Which file an error belongs to, by the label of its log line.
enum class Which { kCustomer, kStandard, kLog };

// The records of one type of one file, read in key order.
class Cursor {
 public:
  Cursor(platform::IndexedFile& file, std::size_t length) : file_(file), record_(length) {}

  // Positions at the first record of `type`, or at the first record when `type` is 0.
  FileStatus first(char type) {
    type_ = type;
    count_ = 0;
    std::array<char, kKeyLength> key{};
    key[0] = type;
    const FileStatus started = file_.start(key);
    if (started == status::kNotFound) return finish(status::kAtEnd);
    if (started != status::kOk) return finish(started);
    return next();
  }

  // Moves to the next record of the type.
  FileStatus next() {
    const FileStatus read = file_.read_next(record_);
    if (read != status::kOk) return finish(read);
    if (type_ != 0 && record_[0] != type_) return finish(status::kAtEnd);
    has_ = true;
    ++count_;
    return status::kOk;
  }

  // Moves past every record of the type `type`.
  FileStatus skip_type(char type) {
    std::array<char, kKeyLength> key;
    key.fill('\xFF');
    key[0] = type;
    const FileStatus started = file_.start(key, true);
    if (started == status::kNotFound) return finish(status::kAtEnd);
    if (started != status::kOk) return finish(started);
    return next();
  }

  bool has() const { return has_; }
  FileStatus ended_with() const { return ended_with_; }
  long count() const { return count_; }
  const std::vector<char>& record() const { return record_; }
  std::span<const char> key() const { return std::span<const char>(record_).first(kKeyLength); }
  WorkArea work_area() const {
    WorkArea area;
    std::copy_n(record_.begin(), area.size(), area.begin());
    return area;
  }

 private:
  FileStatus finish(FileStatus result) {
    has_ = false;
    ended_with_ = result;
    return result;
  }

  platform::IndexedFile& file_;
  std::vector<char> record_;
  char type_ = 0;
  bool has_ = false;
  FileStatus ended_with_ = status::kOk;
  long count_ = 0;
};

// What one walk over a type of both files came to.
struct Walk {
  long standard_count = 0;
  long customer_count = 0;
  long loops = 0;
  long pairs = 0;
  long written = 0;
  FileStatus loop_status = status::kAtEnd;
};

class Run {
 public:
  Run(char mode, char& result, const std::string& folder)
      : mode_(mode), result_(result), folder_(folder) {}

  void go() {
    if (!open_log()) return;
    start_line();
    if (open_files()) {
      compare_and_update();
    }
    finish();
  }

 private:
  bool updating() const { return mode_ == 'U'; }
  std::string path(std::string_view name) const { return folder_ + std::string(name); }

  // ---- the log ----

  bool open_log() {
    const std::string log_path = path(kLogName);
    platform::lineseq::WriteMode how = platform::lineseq::WriteMode::kExtend;
    if (!updating()) {
      // A log from an earlier run means the check has been done.
      platform::lineseq::LineReader earlier;
      if (earlier.open(log_path) == status::kOk) {
        result_ = '1';
        return false;
      }
      how = platform::lineseq::WriteMode::kNew;
    }
    if (const FileStatus opened = log_.open(log_path, how); opened != status::kOk) {
      result_ = '9';
      // The log cannot take its own error: the display device shows it.
      platform::sysout(error_text(kLogError, opened));
      return false;
    }
    return true;
  }

  void line(std::string_view text) {
    if (log_failed_) return;
    if (const FileStatus written = log_.write(text); written != status::kOk) log_failure(written);
  }

  void log_failure(FileStatus failure) {
    log_failed_ = true;
    failed_ = true;
    result_ = '9';
    platform::sysout(error_text(kLogError, failure));
  }

  // A record for the log: control bytes shown as ".", trailing spaces dropped.
  void record_line(std::string_view label, std::span<const char> record) {
    std::string text(label);
    for (const char c : frame::trimmed(record)) {
      const auto byte = static_cast<unsigned char>(c);
      text += byte < 0x20 || byte == 0x7F ? '.' : c;
    }
    line(text);
  }

  void pair_lines(std::string_view what, std::span<const char> customer,
                  std::span<const char> standard) {
    line(what);
    record_line(kCustomerLine, customer);
    record_line(kStandardLine, standard);
  }

  void count_line(std::string_view label, long value) {
    line(std::string(label) + " " + std::to_string(value));
  }

  // "Check Started" or "Update Started", the date as MM/DD/YYYY and the time as HH:MM:SS.
  void start_line() {
    const platform::LocalTime now = platform::local_now();
    const auto digits = [](int value, std::size_t width) {
      std::string text = std::to_string(value < 0 ? 0 : value);
      return text.size() < width ? std::string(width - text.size(), '0') + text : text;
    };
    line(std::string(updating() ? "Update" : "Check") + " Started " + digits(now.month, 2) + "/" +
         digits(now.day, 2) + "/" + digits(now.year, 4) + " " + digits(now.hour, 2) + ":" +
         digits(now.minute, 2) + ":" + digits(now.second, 2));
  }

  // The label, the status and IXIOSTAT's wording of it.
  static std::string error_text(std::string_view label, FileStatus failure) {
    QuarnIxiostatRecord wording;
    frame::clear(wording.ix_status_code);
    frame::put_text(wording.ix_status_code, failure);
    frame::clear(wording.ix_status_message);
    frame::word_file_status(wording);
    return std::string(label) + std::string(frame::trimmed(ConstField(
                                    reinterpret_cast<const char*>(&wording), sizeof wording)));
  }

  void file_error(Which which, FileStatus failure) {
    failed_ = true;
    result_ = '9';
    if (which == Which::kLog) {
      log_failure(failure);
      return;
    }
    line(error_text(which == Which::kCustomer ? kCustomerError : kStandardError, failure));
  }

  // ---- the report control files ----

  bool open_files() {
    FileStatus opened = standard_.open(path(kStandardName), platform::OpenMode::kInput);
    if (opened == status::kOk) opened = standard_.begin();
    if (opened != status::kOk) {
      file_error(Which::kStandard, opened);
      return false;
    }
    // The customer's file is never made here: a missing file is an error, not an empty one.
    opened = customer_.open(path(kCustomerName), platform::OpenMode::kInput);
    if (opened == status::kOk && updating()) {
      customer_.close();
      opened = customer_.open(path(kCustomerName), platform::OpenMode::kInputOutput);
    }
    // An update holds the file from here to its commit, so that it is all or nothing.
    if (opened == status::kOk) opened = customer_.begin();
    if (opened != status::kOk) {
      file_error(Which::kCustomer, opened);
      return false;
    }
    return true;
  }

  void compare_and_update() {
    // The check logs what it finds; an update logs it once, where it acts on it.
    const bool details = !updating();
    line(" ---- Controls Version Number ----");
    Walk controls = walk(kControl, false, details);
    if (failed_) return;
    line("    Check Status = " + std::string(1, result_) +
         "  Controls Processed = " + std::to_string(controls.pairs));
    count_line("    Std  Controls =", controls.standard_count);
    count_line("    Cust Controls =", controls.customer_count);
    count_line("    Loop Count =", controls.loops);
    line("    Loop Status = " + std::string(controls.loop_status));
    if (stop_after_walk(controls)) return;

    line(" ---- Styles Version Number ----");
    Walk styles = walk(kStyle, false, details);
    if (failed_) return;
    line("    Check Status = " + std::string(1, result_));
    count_line("    Std  Styles =", styles.standard_count);
    count_line("    Cust Styles =", styles.customer_count);
    if (stop_after_walk(styles)) return;

    if (!unknown_types(standard_, kStandardLength, kStandardLine, Which::kStandard)) return;
    if (!unknown_types(customer_, kCustomerLength, kCustomerLine, Which::kCustomer)) return;

    if (!updating()) return;
    line(" ---- Controls Update ----");
    controls = walk(kControl, true, true);
    if (failed_ || stop_after_walk(controls)) return;
    count_line("    Updated Controls =", controls.written);
    line(" ---- Styles Update ----");
    styles = walk(kStyle, true, true);
    if (failed_ || stop_after_walk(styles)) return;
    count_line("    Updated Styles =", styles.written);
  }

  // A walk that a read error ended stops the run.
  bool stop_after_walk(const Walk& walk) {
    if (walk.loop_status == status::kAtEnd) return false;
    file_error(read_error_of_, walk.loop_status);
    return true;
  }

  // Walks the records of `type` of both files in key order. A key in both files makes a
  // pair; a standard record whose key the customer's file lacks means the files are out of
  // step there (reading goes on with the next standard record, and the customer's record
  // waits for it); a customer record that the standard file lacks is the customer's own and
  // is passed over. `apply` writes what the update changes.
  Walk walk(char type, bool apply, bool details) {
    Walk result;
    Cursor s(standard_, kStandardLength);
    Cursor c(customer_, kCustomerLength);
    s.first(type);
    c.first(type);
    while (!failed_ && (s.has() || c.has())) {
      ++result.loops;
      const int order = !s.has()   ? 1
                        : !c.has() ? -1
                                   : std::memcmp(s.key().data(), c.key().data(), kKeyLength);
      if (order == 0) {
        ++result.pairs;
        compare_pair(type, s.work_area(), c.work_area(), apply, details, result);
        s.next();
        c.next();
      } else if (order < 0) {
        missing_record(s.work_area(), c, apply, details, result);
        s.next();
      } else {
        c.next();
      }
    }
    result.standard_count = s.count();
    result.customer_count = c.count();
    // The status that ended the reading: the end of both, or the first failing read.
    result.loop_status = s.ended_with();
    read_error_of_ = Which::kStandard;
    if (result.loop_status == status::kAtEnd) {
      result.loop_status = c.ended_with();
      read_error_of_ = Which::kCustomer;
    }
    return result;
  }

  void compare_pair(char type, const WorkArea& standard, WorkArea customer, bool apply,
                    bool details, Walk& walk) {
    const bool changed =
        type == kControl && first_of_control(standard) && merge_control(customer, standard);
    if (customer != standard && !expected_difference(customer, standard)) {
      result_ = '2';
      if (details) pair_lines(kMatchFailed, customer, standard);
    }
    if (!changed) return;
    result_ = '2';
    if (apply) stored(customer_.rewrite(customer), customer, standard, walk);
  }

  void missing_record(const WorkArea& standard, const Cursor& customer, bool apply, bool details,
                      Walk& walk) {
    result_ = '2';
    if (details) {
      WorkArea at_hand;
      at_hand.fill(' ');
      if (customer.has()) at_hand = customer.work_area();
      pair_lines(kOutOfSync, at_hand, standard);
    }
    if (apply) stored(customer_.write(standard), standard, standard, walk);
  }

  // After a record was written to the customer's file: counted and logged, or the error.
  void stored(FileStatus written, const WorkArea& record, const WorkArea& standard, Walk& walk) {
    if (written != status::kOk) {
      file_error(Which::kCustomer, written);
      return;
    }
    ++walk.written;
    pair_lines(kUpdating, record, standard);
  }

  // Records of a type other than control and style are neither compared nor changed; each
  // is named once in the log.
  bool unknown_types(platform::IndexedFile& file, std::size_t length, std::string_view label,
                     Which which) {
    Cursor cursor(file, length);
    cursor.first(0);
    while (cursor.has()) {
      const char type = cursor.record()[0];
      if (type == kControl || type == kStyle) {
        cursor.skip_type(type);
        continue;
      }
      line(kUnknownType);
      record_line(label, cursor.record());
      cursor.next();
    }
    if (cursor.ended_with() != status::kAtEnd) {
      file_error(which, cursor.ended_with());
      return false;
    }
    return true;
  }

  // ---- the end of the run ----

  void finish() {
    if (updating() && customer_.in_transaction()) {
      // The log is made safe before the update is, so that no change goes unrecorded.
      if (!failed_ && !log_failed_) {
        if (const FileStatus flushed = log_.flush(); flushed != status::kOk) {
          log_failure(flushed);
        }
      }
      if (failed_) {
        customer_.rollback();
        line(kNothingChanged);
      } else if (const FileStatus committed = customer_.commit(); committed != status::kOk) {
        file_error(Which::kCustomer, committed);
        line(kNothingChanged);
      }
    }
    customer_.close();
    standard_.close();
    if (const FileStatus closed = log_.close(); closed != status::kOk && !log_failed_) {
      log_failure(closed);
    }
  }

  char mode_;
  char& result_;
  std::string folder_;
  platform::lineseq::LineWriter log_;
  platform::IndexedFile customer_{{kCustomerLength, 0, kKeyLength}};
  platform::IndexedFile standard_{{kStandardLength, 0, kKeyLength}};
  Which read_error_of_ = Which::kCustomer;
  bool failed_ = false;
  bool log_failed_ = false;
};

// The home folder: the first XM-FOLDER-LENGTH characters of XM-HOME-FOLDER, never more
// than the field holds.
std::string folder_of(const QuarnXMiscExternalWs& area) {
  const int length = frame::read_be16(area.xm_folder_length);
  const auto count = static_cast<std::size_t>(
      std::clamp(length, 0, static_cast<int>(std::min(sizeof area.xm_home_folder, kMaxFolder))));
  return std::string(area.xm_home_folder, count);
}

std::int32_t rptctl_verify(QuarnRptctlVerifyRecord* passed) {
  auto& record = *passed;
  char& result = record.rv_result[0];
  result = '0';
  const char mode = record.rv_mode[0];
  if (mode != 'C' && mode != 'U') return 0;
  const QuarnXMiscExternalWs* area = frame::misc_area();
  if (area == nullptr) {
    result = '9';
    return 0;
  }
  Run(mode, result, folder_of(*area)).go();
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((RPTCTL, VERIFY), quarn::rptctl_verify, 1, (record, QuarnRptctlVerifyRecord));
