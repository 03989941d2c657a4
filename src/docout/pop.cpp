// POP: the document output processor. Each call carries out one request of a report
// program on its request record and writes the document as rich text into a print file.
#include "docout/pop.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/quarn_control_file.hpp"
#include "docout/pop_output.hpp"
#include "docout/qim.hpp"
#include "forms/runtime.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/ixiostat.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/clock.hpp"
#include "platform/files.hpp"
#include "platform/process.hpp"
#include "quarn/quarn-m.h"
#include "system/start_request.hpp"

namespace quarn::docout {
namespace {

using frame::ConstField;
using frame::Field;
namespace files = platform::files;

constexpr std::string_view kMarker = "COKY ";
constexpr std::size_t kTitleWidth = 32;
constexpr std::size_t kMaxHomeFolder = 67;
constexpr int kMostPrintFiles = 26;
constexpr int kDefaultPrintFiles = 3;
// Print files are written in batches of this many bytes rather than a system call a line.
constexpr std::size_t kBatchSize = 64 * 1024;

constexpr std::string_view kMaxFilesSection = "POP-MAX-PRINT-FILES";
constexpr std::string_view kProcessorSection = "POP-RTF-PROCESSOR";
constexpr std::string_view kDefaultViewer = "Viewer\\zuvarezo.exe";
constexpr std::string_view kSuiteViewer = "ZUVAREZO.EXE";

constexpr std::string_view kUninitialised = "--Uninitialized data area.|";
constexpr std::string_view kCreateFailed =
    "--Program provided invalid parameters to CBL_CREATE_FILE call|.";
constexpr std::string_view kWriteFailed = "--Error writing to the report output file.|";
constexpr std::string_view kStartFailed = "--Unable to start RTF print/preview program. |";
constexpr std::string_view kNoForm = "--Caller did not provide a form. |";
constexpr std::string_view kDeleteFailed =
    "--Error deleting old print file. File may be open in another application or the "
    "viewer. |";
constexpr std::string_view kNoProgress = "--Unable to display print/preview progress. |";
constexpr std::string_view kCancelled = "Cancel was pressed by the operator";
constexpr std::string_view kNoPictureName = "ERROR: QUARN Image file name missing!";
constexpr std::string_view kPictureOpen = "ERROR opening QUARN Image file! Filename=";
constexpr std::string_view kPictureProperties = "ERROR reading QUARN Image file properties!";
constexpr std::string_view kPictureInvalid = "ERROR invalid QUARN Image file.";
constexpr std::string_view kWarningTitle = "Layout Encoding Warning";
constexpr std::string_view kWarningQuestion =
    "Do you wish to suppress these messages?  Press cancel to terminate the program.  ";

constexpr std::int32_t kCriticalStyle = 16;     // OK only, critical icon
constexpr std::int32_t kWarningStyle = 3 | 48;  // Yes, No, Cancel; warning icon
constexpr std::int32_t kYes = 6;
constexpr std::int32_t kNo = 7;
constexpr std::int32_t kCancel = 2;

// Fonts of INI: marker, digit, size, then bold.
constexpr std::string_view kBodyFont =
    "\x14"
    "110";
constexpr std::string_view kHeadingFont =
    "\x14"
    "012B";
constexpr std::string_view kSmallFont =
    "\x14"
    "008";
constexpr std::string_view kSecondBodyFont =
    "\x14"
    "010";

// The open print file: bytes are gathered in a batch and written at the file offset where
// the batch starts. The first failure is kept until the request reports it.
class PrintFile : public Spill {
 public:
  void spill(const char* bytes, std::size_t size) override {
    while (size > 0) {
      if (pending_ == batch_.size()) write_batch();
      const std::size_t n = std::min(size, batch_.size() - pending_);
      std::memcpy(batch_.data() + pending_, bytes, n);
      pending_ += n;
      bytes += n;
      size -= n;
    }
  }
  void write_batch() {
    if (pending_ == 0) return;
    if (fd_ >= 0 && !failed_) {
      status_ = files::write_at(fd_, written_, batch_.data(), pending_);
      failed_ = status_ != platform::status::kOk;
    }
    written_ += pending_;
    pending_ = 0;
  }
  void open(int fd, std::string name) {
    fd_ = fd;
    name_ = std::move(name);
    written_ = 0;
    pending_ = 0;
    failed_ = false;
    reported_ = false;
  }
  // Writes what is left and closes the file; false when a write or the close failed. A
  // failed document is removed: what it wrote is of no use, and on a full disk it would
  // keep the disk full. It is still held while it goes, so the name is still its own.
  bool close() {
    write_batch();
    bool ok = !failed_;
    if (fd_ >= 0) {
      if (!ok) files::remove_file(name_);
      const platform::FileStatus closed = files::close_file(fd_);
      if (ok && closed != platform::status::kOk) {
        status_ = closed;
        ok = false;
        // No longer held: left alone should another process have taken the name since.
        files::remove_unless_in_use(name_);
      }
    }
    fd_ = -1;
    return ok;
  }
  bool is_open() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // True once, for the request that met a failed write.
  bool take_failure() {
    if (!failed_ || reported_) return false;
    reported_ = true;
    return true;
  }
  std::uint64_t length() const { return written_ + pending_; }
  platform::FileStatus status() const { return status_; }

 private:
  int fd_ = -1;
  std::string name_;
  std::uint64_t written_ = 0;
  std::size_t pending_ = 0;
  bool failed_ = false;
  bool reported_ = false;
  platform::FileStatus status_ = platform::status::kOk;
  std::array<char, kBatchSize> batch_{};
};

struct PrintFileUse {
  std::string name;
  std::uint64_t last_use;  // a use counter: orders the files by time of use
};

// Process-wide storage.
struct State {
  PrintFile file;
  Output out{file};
  char warnings = 'Y';
  std::vector<PrintFileUse> uses;
  std::uint64_t use_counter = 0;
  std::shared_ptr<forms::ProgressWindow> progress;
};

State& state() {
  static State* const s = new State;
  return *s;
}

bool is_set(char c) {
  return c == 'Y' || c == '1';
}

bool is_table(char mode) {
  return mode == 'C' || mode == 'F';
}

// The suite's wording of what a print-file routine came to, for the end of a message. The
// routines are given a path, so one that leads to no file is worded as "91": a path that is
// not valid, or a file that does not exist.
std::string file_status_text(platform::FileStatus status) {
  const std::string_view code = status == platform::status::kMissing ? "91" : status;
  QuarnIxiostatRecord record;
  std::memcpy(record.ix_status_code, code.data(), 2);
  frame::clear(record.ix_status_message);
  if (!frame::word_file_status(record) || frame::trimmed(record.ix_status_message).empty())
    return " - IXIOSTAT call error (original STAT=" + std::string(code) + ")";
  return std::string(frame::trimmed(record.ix_status_message));
}

std::string field_string(ConstField field) {
  return std::string(frame::trimmed(field));
}

// One call of POP: its records, the message title and the warnings of the encoders.
class Request : public Warner {
 public:
  Request(QuarnPopRecord& rec, const QuarnPopCaller& caller, QuarnCallerForm* form)
      : rec_(rec), caller_title_(caller.pop_report_title), form_(form), s_(state()) {
    const ConstField name(caller.pop_program_name);
    const std::string_view word = frame::text_of(name.first(frame::first_space(name)));
    frame::put_text(title_, word);
    frame::put_text(Field(title_).subspan(word.size()), ":POP");
  }

  void run();

  bool warn(std::string_view warning, std::size_t position) override {
    if (s_.warnings != 'Y') return true;
    char ptr[4];
    frame::write_unsigned(Field(ptr),
                          static_cast<std::int64_t>(std::min<std::size_t>(position, 9999)));
    std::string question(kWarningQuestion);
    question += warning;
    question += " (PTR=";
    question.append(ptr, 4);
    question += ")";
    frame::put_text(rec_.pop_message_text, question);
    const std::int32_t answer = display(kWarningTitle, question, kWarningStyle);
    if (answer == kYes) s_.warnings = 'N';
    if (answer != kCancel) return true;
    frame::put_text(rec_.pop_status, "XX");
    return false;
  }

 private:
  std::int32_t display(std::string_view title, std::string_view text, std::int32_t style) {
    // Nothing shown is nothing answered: a form without messages must not silence the
    // warnings for the rest of the process.
    if (form_ == nullptr || form_->display_message == nullptr) return kNo;
    const std::string title_z(frame::trimmed(ConstField(title.data(), title.size())));
    const std::string text_z(text);
    return form_->display_message(form_->context, title_z.c_str(), text_z.c_str(), style);
  }

  // A failed request: status, message, and the message shown unless the caller asked not.
  void fail(std::string_view message, std::string_view status = "XX") {
    frame::put_text(rec_.pop_status, status);
    frame::put_text(rec_.pop_message_text, message);
    if (rec_.pop_message_switch[0] != 'Y')
      display(std::string_view(title_, kTitleWidth), message, kCriticalStyle);
  }
  bool failed() const { return rec_.pop_status[0] != '0'; }

  void initialise();
  bool start_document();
  bool choose_print_file();
  void build_print_folder();
  void write_file_header();
  void write_section(bool first);
  void write_standard_header();
  void write_caller_group(std::string_view opening);
  void write_line();
  void write_table_line();
  void write_page();
  void place_picture();
  void progress();
  void remove_progress();
  void close_document();
  void hand_over(bool print);
  void purge_print_files();
  void end_record();
  void check_writes();
  void close_open_row();

  std::string control(std::string_view method, std::string_view section, std::string_view value);

  bool encode_layout(ConstField layout) { return docout::encode_layout(s_.out, layout, *this); }
  bool encode_line(ConstField line, char mode) {
    const LineContext context{mode, rec_.pop_current_font, rec_.pop_underline_code[0],
                              rec_.pop_body_font};
    return docout::encode_line(s_.out, line, context, *this);
  }
  void font(ConstField wanted) {
    select_font(s_.out, wanted, rec_.pop_current_font, rec_.pop_underline_code[0]);
  }
  void forget_font() { frame::clear(rec_.pop_current_font); }
  void word(std::string_view words) { s_.out.word(words); }
  void number(std::uint32_t value) { s_.out.number(value); }
  void digits(ConstField field) { s_.out.word(frame::text_of(field)); }
  std::uint32_t twips_of(ConstField field) {
    return static_cast<std::uint32_t>(frame::read_unsigned(field).value_or(0));
  }
  bool table_row_open() const { return rec_.pop_table_state[1] == '1'; }
  // The record's document is the print file open in this process. A handle that names no
  // open file (a record copied, or kept from an earlier process) starts a new document
  // rather than writing nowhere.
  bool document_open() const {
    return s_.file.is_open() && frame::read_be32(rec_.pop_file_handle) == s_.file.fd() + 1;
  }

  QuarnPopRecord& rec_;
  const char* caller_title_;
  QuarnCallerForm* form_;
  State& s_;
  char title_[kTitleWidth];
};

void Request::run() {
  frame::put_text(rec_.pop_status, "00");
  const std::string_view code(rec_.pop_request, 3);
  // Every line of a report is a request: the codes are compared as three fixed bytes.
  const auto is = [&](std::string_view name) {
    return std::memcmp(code.data(), name.data(), 3) == 0;
  };
  if (is("INI")) {
    // A document still open in this record is closed first, so that the abandoned print file
    // is left whole (with its closing brace) rather than cut off.
    if (document_open()) close_document();
    initialise();
  } else if (std::memcmp(rec_.pop_marker, kMarker.data(), kMarker.size()) != 0) {
    fail(kUninitialised);
  } else if (form_ == nullptr) {
    frame::put_text(rec_.pop_status, "XX");
    frame::put_text(rec_.pop_message_text, kNoForm);
  } else if (is("CLS") || is("CLV") || is("CLP")) {
    close_document();
    if (!failed() && !is("CLS")) hand_over(is("CLP"));
  } else if (is("PPF")) {
    purge_print_files();
  } else {
    constexpr std::string_view kWriting[] = {"WRI", "SEC", "WHD", "WH1", "WFT",
                                             "WF1", "PAG", "PIC", "STA"};
    if (std::none_of(std::begin(kWriting), std::end(kWriting), is)) {
      fail("--Unknown request code \"" + std::string(code) + "\".|");
    } else if (document_open() || start_document()) {
      if (is("WRI")) {
        write_line();
      } else if (is("SEC")) {
        if (rec_.pop_first_section[0] == 'Y') {
          // The document's first section has just been written with these settings.
          rec_.pop_first_section[0] = 'N';
        } else {
          close_open_row();
          write_section(false);
          if (rec_.pop_header_style[0] == 'B') write_standard_header();
        }
      } else if (is("WHD")) {
        write_caller_group("{\\header \\pard \\plain ");
      } else if (is("WH1")) {
        write_caller_group("{\\headerf \\pard \\plain ");
      } else if (is("WFT")) {
        write_caller_group("{\\footer \\pard\\plain ");
      } else if (is("WF1")) {
        write_caller_group("{\\footerf \\pard\\plain ");
      } else if (is("PAG")) {
        write_page();
      } else if (is("PIC")) {
        place_picture();
      } else {
        progress();
      }
      check_writes();
    }
  }
  rec_.pop_message_switch[0] = 'N';
  if (rec_.pop_cancel_switch[0] == 'Y') {
    frame::put_text(rec_.pop_status, "XC");
    frame::put_text(rec_.pop_message_text, kCancelled);
  }
}

void Request::initialise() {
  auto* bytes = reinterpret_cast<char*>(&rec_);
  std::memset(bytes, ' ', offsetof(QuarnPopRecord, pop_cancel_switch) + 1);
  std::memset(bytes + offsetof(QuarnPopRecord, pop_spacing_before), ' ',
              sizeof rec_ - offsetof(QuarnPopRecord, pop_spacing_before));
  rec_.pop_output_kind[0] = 'P';
  frame::put_text(rec_.pop_body_font, kBodyFont);
  rec_.pop_orientation[0] = 'P';
  frame::put_text(rec_.pop_paper_width, "0850");
  frame::put_text(rec_.pop_paper_height, "1100");
  for (char* margin :
       {rec_.pop_left_margin, rec_.pop_right_margin, rec_.pop_top_margin, rec_.pop_bottom_margin})
    frame::put_text(Field(margin, 4), "0050");
  rec_.pop_header_page[0] = 'Y';
  for (char* heading : {rec_.pop_heading_font_0, rec_.pop_heading_font_1, rec_.pop_heading_font_2,
                        rec_.pop_heading_font_3})
    frame::put_text(Field(heading, kFontFieldWidth), kHeadingFont);
  frame::put_text(rec_.pop_small_font, kSmallFont);
  frame::put_text(rec_.pop_second_body_font, kSecondBodyFont);
  frame::put_text(rec_.pop_starting_page, "00000");
  frame::put_text(rec_.pop_table_state, "00");
  rec_.pop_section_break[0] = '0';
  rec_.pop_message_switch[0] = 'N';
  rec_.pop_cancel_switch[0] = 'N';
  frame::put_text(rec_.pop_status, "00");
  rec_.pop_header_style[0] = 'B';
  rec_.pop_page_break_before[0] = '0';
  rec_.pop_document_started[0] = 'N';
  rec_.pop_header_row_pending[0] = 'Y';
  for (char* binary : {rec_.pop_file_handle, rec_.pop_file_offset, rec_.pop_binary_3})
    frame::write_be32(binary, 0);
  frame::write_be16(rec_.pop_binary_1, 0);
  frame::write_be16(rec_.pop_binary_2, 0);
  frame::put_text(rec_.pop_marker, "COKY");
  rec_.pop_marker_end[0] = ' ';
}

// ---- starting a document ----

bool Request::start_document() {
  // Page geometry. A size that is not four digits takes INI's value.
  const auto hundredths = [](ConstField field, std::uint32_t otherwise) {
    const auto value = frame::read_unsigned(field);
    return value ? static_cast<std::uint32_t>(*value) : otherwise;
  };
  std::uint32_t width = twips(hundredths(rec_.pop_paper_width, 850));
  std::uint32_t height = twips(hundredths(rec_.pop_paper_height, 1100));
  if (rec_.pop_orientation[0] == 'L') std::swap(width, height);
  const std::pair<char*, std::uint32_t> geometry[] = {
      {rec_.pop_paper_width_twips, width},
      {rec_.pop_paper_height_twips, height},
      {rec_.pop_left_margin_twips, twips(hundredths(rec_.pop_left_margin, 50))},
      {rec_.pop_right_margin_twips, twips(hundredths(rec_.pop_right_margin, 50))},
      {rec_.pop_top_margin_twips, twips(hundredths(rec_.pop_top_margin, 50))},
      {rec_.pop_bottom_margin_twips, twips(hundredths(rec_.pop_bottom_margin, 50))}};
  for (const auto& [field, value] : geometry)
    frame::write_unsigned(Field(field, 5), std::min<std::uint32_t>(value, 99999));

  build_print_folder();
  if (!choose_print_file()) return false;

  frame::write_be32(rec_.pop_file_offset, 0);
  frame::put_text(rec_.pop_table_state, "00");
  rec_.pop_header_row_pending[0] = 'Y';
  rec_.pop_document_started[0] = 'Y';
  forget_font();
  // Only header-page switch "Y" asks for the standard page header.
  if (rec_.pop_header_style[0] == 'B' && rec_.pop_header_page[0] != 'Y')
    rec_.pop_header_style[0] = 'H';
  write_file_header();
  write_section(true);
  if (rec_.pop_header_style[0] == 'B') write_standard_header();
  rec_.pop_first_section[0] = 'Y';
  return true;
}

void Request::build_print_folder() {
  std::string folder;
  if (const QuarnXMiscExternalWs* misc = frame::misc_area()) {
    folder = frame::home_folder(*misc);
    if (folder.size() > kMaxHomeFolder) folder.resize(kMaxHomeFolder);
  }
  switch (rec_.pop_output_kind[0]) {
    case 'P':
      folder += "PRINT";
      break;
    case 'F':
      folder += "PDF";
      break;
    case 'D':
      folder += "dPDF";
      break;
    default:
      folder += "TEMP";
      break;
  }
  frame::put_text(rec_.pop_print_folder, folder);
  if (folder.size() < sizeof rec_.pop_print_folder) rec_.pop_print_folder[folder.size()] = '\0';
}

std::string print_folder_of(const QuarnPopRecord& rec) {
  const ConstField field(rec.pop_print_folder);
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(field.data(), static_cast<std::size_t>(end - field.begin()));
}

std::string print_file_name(const std::string& folder, int n) {
  std::string name = folder;
  if (n > 1) name += static_cast<char>('A' + n - 2);
  return name + ".rtf";
}

std::string Request::control(std::string_view method, std::string_view section,
                             std::string_view value) {
  QuarnControlRequest request;
  QuarnCtlMessage message;
  frame::put_text(request.ctl_method, method);
  frame::put_text(request.ctl_section, section);
  frame::put_text(request.ctl_value, value);
  frame::put_text(request.ctl_status, "  ");
  const std::string_view title(title_, kTitleWidth);
  const std::string program(title.substr(0, title.find(':')));
  control::control_file(request, message, {program, ""});
  if (std::string_view(request.ctl_status, 2) != "00") return {};
  return field_string(request.ctl_value);
}

bool Request::choose_print_file() {
  const std::string kept = control("GetUserStationControl", kMaxFilesSection, "");
  int keep = 0;
  if (!kept.empty() && kept.size() <= 2 && std::all_of(kept.begin(), kept.end(), ::isdigit))
    keep = std::stoi(kept);
  if (keep < 1 || keep > kMostPrintFiles) {
    keep = kDefaultPrintFiles;
    control("SaveUserStationControl", kMaxFilesSection, "3");
  }

  // The files kept, least recently used first; a file never used counts as oldest, and
  // among equals the lower number comes first.
  const std::string folder = print_folder_of(rec_);
  std::vector<std::pair<std::uint64_t, int>> order;
  for (int n = 1; n <= keep; ++n) {
    const std::string name = print_file_name(folder, n);
    const auto use = std::find_if(s_.uses.begin(), s_.uses.end(),
                                  [&](const PrintFileUse& u) { return u.name == name; });
    order.emplace_back(use == s_.uses.end() ? 0 : use->last_use, n);
  }
  std::sort(order.begin(), order.end());

  // A document left open in this process is ended first.
  if (s_.file.is_open()) s_.file.close();
  // The first that can be deleted and made again is taken. One that cannot (open in
  // another process, held by a viewer) is passed over; only when every one is held does
  // the document fail, naming the least recently used.
  std::string chosen;
  int fd = -1;
  for (const auto& [last_use, n] : order) {
    const std::string name = print_file_name(folder, n);
    const platform::FileStatus removed = files::remove_unless_in_use(name);
    if (removed != platform::status::kOk && removed != platform::status::kMissing) continue;
    const platform::FileStatus created = files::create_held_file(name, &fd);
    // Taken by another process in between: as good as held.
    if (created == platform::status::kBusy) continue;
    if (created != platform::status::kOk) {
      fail(std::string(kCreateFailed) + file_status_text(created));
      return false;
    }
    chosen = name;
    break;
  }
  if (chosen.empty()) {
    fail(std::string(kDeleteFailed) + print_file_name(folder, order.front().second));
    return false;
  }
  s_.file.open(fd, chosen);
  frame::write_be32(rec_.pop_file_handle, fd + 1);
  frame::put_text(rec_.pop_print_file_name, chosen);
  const auto use = std::find_if(s_.uses.begin(), s_.uses.end(),
                                [&](const PrintFileUse& u) { return u.name == chosen; });
  if (use == s_.uses.end()) {
    s_.uses.push_back({chosen, ++s_.use_counter});
  } else {
    use->last_use = ++s_.use_counter;
  }
  return true;
}

void Request::end_record() {
  s_.out.end_record();
  frame::write_be32(rec_.pop_file_offset, static_cast<std::int32_t>(s_.file.length()));
}

void Request::check_writes() {
  if (s_.file.take_failure()) fail(std::string(kWriteFailed) + file_status_text(s_.file.status()));
}

void Request::write_file_header() {
  word("{\\rtf1\\ansi\\dntblnsbdb \\deflang1033\\deff");
  const char digit = rec_.pop_body_font[1];
  word(std::string_view(digit >= '0' && digit <= '9' ? &digit : "0", 1));
  word(" {\\fonttbl{\\f0\\froman\\fcharset0\\fprq2 Times New Roman;}");
  end_record();
  word("{\\f1\\fswiss\\fcharset0\\fprq2 Arial;}{\\f2\\fmodern\\fcharset0\\fprq2 Courier New;}}");
  end_record();
  word("\\paperw");
  digits(rec_.pop_paper_width_twips);
  word("\\paperh");
  digits(rec_.pop_paper_height_twips);
  word("\\pgw");
  digits(rec_.pop_paper_width_twips);
  word("\\pgh");
  digits(rec_.pop_paper_height_twips);
  if (rec_.pop_orientation[0] == 'L') word("\\lndscp");
  word("\\margl");
  digits(rec_.pop_left_margin_twips);
  word("\\margr");
  digits(rec_.pop_right_margin_twips);
  word("\\margt");
  digits(rec_.pop_top_margin_twips);
  word("\\margb");
  digits(rec_.pop_bottom_margin_twips);
  word("\\widowctl");
  end_record();
}

void Request::write_section(bool first) {
  word(first ? "\\sectd" : "\\sect\\sectd");
  if (rec_.pop_section_break[0] != '9') word("\\sbknone");
  if (frame::read_unsigned(rec_.pop_starting_page).value_or(0) != 0) {
    word("\\pgnstarts");
    digits(rec_.pop_starting_page);
    word("\\pgnrestart");
  }
  word("\\pgwsxn");
  digits(rec_.pop_paper_width_twips);
  word("\\pghsxn");
  digits(rec_.pop_paper_height_twips);
  if (rec_.pop_header_page[0] == '1') word("\\titlepg");
  if (rec_.pop_orientation[0] == 'L') word("\\lndscpsxn");
  end_record();
  word("\\marglsxn");
  digits(rec_.pop_left_margin_twips);
  word("\\margrsxn");
  digits(rec_.pop_right_margin_twips);
  word("\\margtsxn");
  digits(rec_.pop_top_margin_twips);
  word("\\margbsxn");
  digits(rec_.pop_bottom_margin_twips);
  word("\\headery");
  digits(rec_.pop_top_margin_twips);
  word("\\footery");
  digits(rec_.pop_bottom_margin_twips);
  end_record();
}

void Request::write_standard_header() {
  const std::uint32_t page = twips_of(rec_.pop_paper_width_twips);
  const std::uint32_t margins =
      twips_of(rec_.pop_left_margin_twips) + twips_of(rec_.pop_right_margin_twips);
  const std::uint32_t right = page > margins ? page - margins : 0;
  // Fonts chosen outside the group mean nothing inside it, and the reverse.
  forget_font();
  word("{\\header \\pard \\plain \\ql\\tqc\\tx");
  number(right / 2);
  word("\\tqr\\tx");
  number(right);
  font(rec_.pop_small_font);
  const platform::LocalTime now = platform::local_now();
  char stamp[16];
  frame::write_unsigned(Field(stamp, 2), now.month);
  stamp[2] = '/';
  frame::write_unsigned(Field(stamp + 3, 2), now.day);
  stamp[5] = '/';
  frame::write_unsigned(Field(stamp + 6, 4), now.year);
  stamp[10] = ' ';
  frame::write_unsigned(Field(stamp + 11, 2), now.hour);
  stamp[13] = ':';
  frame::write_unsigned(Field(stamp + 14, 2), now.minute);
  s_.out.text(std::string_view(stamp, sizeof stamp));
  word("\\par");
  end_record();

  font(rec_.pop_small_font);
  word("\\tab ");
  font(rec_.pop_heading_font_0);
  // The caller record ends at the title: its 40 characters are read from there.
  encode_text(s_.out, ConstField(caller_title_, 40));
  word("\\tab ");
  font(rec_.pop_small_font);
  s_.out.text("Page ");
  word("\\chpgn\\par");
  end_record();

  const std::pair<const char*, const char*> lines[] = {
      {rec_.pop_heading_font_1, rec_.pop_heading_line_1},
      {rec_.pop_heading_font_2, rec_.pop_heading_line_2},
      {rec_.pop_heading_font_3, rec_.pop_heading_line_3}};
  for (const auto& [heading_font, text] : lines) {
    font(rec_.pop_small_font);
    word("\\tab ");
    font(ConstField(heading_font, kFontFieldWidth));
    encode_text(s_.out, ConstField(text, 100));
    word(text == rec_.pop_heading_line_3 ? "\\par\\par" : "\\par");
    end_record();
  }
  word("}");
  end_record();
  forget_font();
}

// ---- headers, footers, lines, pages ----

void Request::write_caller_group(std::string_view opening) {
  rec_.pop_first_section[0] = 'N';
  forget_font();
  word(opening);
  // A header or footer is made of paragraphs, whatever the line mode of the body.
  if (encode_layout(rec_.pop_line_layout)) encode_line(rec_.pop_line_text, ' ');
  word("}");
  end_record();
  forget_font();
}

void Request::close_open_row() {
  if (!table_row_open()) return;
  word("\\pard \\plain \\intbl\\cell");
  word("\\row");
  rec_.pop_table_state[1] = '0';
}

void Request::write_line() {
  rec_.pop_first_section[0] = 'N';
  if (is_table(rec_.pop_line_mode[0])) {
    write_table_line();
    return;
  }
  if (rec_.pop_table_state[0] == '1') {
    // Leaving the table: its last row is closed and a paragraph ends it.
    close_open_row();
    word("\\plain \\par");
    frame::put_text(rec_.pop_table_state, "00");
    rec_.pop_header_row_pending[0] = 'Y';
  }
  if (rec_.pop_header_style[0] == 'B') {
    word("\\pard ");
    if (is_set(rec_.pop_line_spacing_switch[0])) {
      word("\\sl-");
      word(frame::text_of(rec_.pop_line_spacing));
      word("\\slmult0 ");
    }
    if (is_set(rec_.pop_page_break_before[0])) word("\\pagebb");
    if (const auto before = frame::read_unsigned(rec_.pop_spacing_before); before && *before > 0) {
      word("\\sb");
      number(static_cast<std::uint32_t>(*before));
    }
    if (is_set(rec_.pop_keep_with_next[0])) word("\\keepn");
    if (encode_layout(rec_.pop_line_layout)) {
      word("\\plain");
      encode_line(rec_.pop_line_text, ' ');
    }
  } else {
    word("\\pard \\plain ");
    // "\plain" dropped the font: the text selects it again.
    forget_font();
    if (encode_layout(rec_.pop_line_layout)) encode_line(rec_.pop_line_text, ' ');
  }
  end_record();
}

void Request::write_table_line() {
  const char mode = rec_.pop_line_mode[0];
  rec_.pop_table_state[0] = '1';
  if (rec_.pop_header_row_pending[0] == 'Y' && !frame::trimmed(rec_.pop_header_row_text).empty()) {
    close_open_row();
    word("\\trowd");
    if (!encode_layout(rec_.pop_header_row_layout)) return end_record();
    word("\\pard \\plain \\intbl \\trhdr ");
    forget_font();
    if (!encode_line(rec_.pop_header_row_text, mode)) return end_record();
    // A heading row without an end mark goes on in the next line, as a body row does.
    const std::string_view heading = frame::trimmed(rec_.pop_header_row_text);
    rec_.pop_table_state[1] = heading.find(kEndMark) == std::string_view::npos ? '1' : '0';
    end_record();
  }
  rec_.pop_header_row_pending[0] = 'N';
  // A row whose line had no end mark goes on in the next line.
  if (!table_row_open()) {
    word("\\trowd");
    if (!encode_layout(rec_.pop_row_layout)) return end_record();
  }
  word("\\plain");
  encode_line(rec_.pop_line_text, mode);
  const std::string_view text = frame::trimmed(rec_.pop_line_text);
  rec_.pop_table_state[1] = text.find(kEndMark) == std::string_view::npos ? '1' : '0';
  end_record();
}

void Request::write_page() {
  rec_.pop_first_section[0] = 'N';
  if (rec_.pop_table_state[0] == '1') {
    close_open_row();
    // The column headings are repeated at the top of the new page.
    rec_.pop_header_row_pending[0] = 'Y';
  }
  word("\\plain \\pard \\page\\par");
  end_record();
  forget_font();
}

void Request::place_picture() {
  const std::string name = field_string(rec_.pop_picture_file);
  if (name.empty()) return fail(kNoPictureName, "91");
  qim::Picture picture;
  switch (qim::read(name, &picture)) {
    case qim::ReadStatus::kOk:
      break;
    case qim::ReadStatus::kCannotOpen:
      return fail(std::string(kPictureOpen) + name);
    case qim::ReadStatus::kBadProperties:
      return fail(kPictureProperties);
    case qim::ReadStatus::kNotQim:
    case qim::ReadStatus::kBadData:
      return fail(kPictureInvalid);
  }
  rec_.pop_first_section[0] = 'N';
  const auto position = [](ConstField field) {
    return twips(static_cast<std::uint32_t>(frame::read_unsigned(field).value_or(0)));
  };
  word("{\\pard \\pvpg\\phpg \\posx");
  number(position(rec_.pop_picture_x));
  word(" \\posy");
  number(position(rec_.pop_picture_y));
  end_record();
  // Pixels at 96 to the inch: 15 twips each.
  word("{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picwgoal");
  number(picture.properties.width * 15);
  word("\\pichgoal");
  number(picture.properties.height * 15);
  // A blank type takes the picture's own.
  const std::string type = field_string(rec_.pop_picture_type);
  const bool png = type == "PNG" || (type.empty() && picture.properties.type == qim::Type::kPng);
  word(png ? "\\pngblip" : "\\jpegblip");
  end_record();
  for (const std::string& record : picture.hex_records) {
    s_.out.text(record);
    end_record();
  }
  word("}}\\par}");
  end_record();
  forget_font();
}

// ---- progress window ----

void Request::remove_progress() {
  if (!s_.progress) return;
  s_.progress->deactivate();
  s_.progress.reset();
}

void Request::progress() {
  const std::string text = field_string(rec_.pop_progress_text);
  frame::clear(rec_.pop_progress_text);
  if (text.empty()) {
    remove_progress();
    if (form_->thru_events != nullptr) form_->thru_events(form_->context);
    return;
  }
  if (!s_.progress) {
    s_.progress = forms::runtime().create_progress(forms::kProgressProgId);
    if (!s_.progress) return fail(kNoProgress);
    forms::Rect over;
    if (form_->geometry != nullptr)
      form_->geometry(form_->context, &over.left, &over.top, &over.width, &over.height);
    s_.progress->position(over);
    s_.progress->activate();
  }
  s_.progress->set_text(text);
  s_.progress->thru_events();
  if (s_.progress->cancelled()) rec_.pop_cancel_switch[0] = 'Y';
}

// ---- closing and handing over ----

void Request::close_document() {
  if (document_open()) {
    close_open_row();
    word("}");
    end_record();
    const bool written = s_.file.close();
    s_.file.take_failure();
    frame::write_be32(rec_.pop_file_handle, 0);
    frame::write_be32(rec_.pop_file_offset, 0);
    frame::put_text(rec_.pop_table_state, "00");
    if (!written) fail(std::string(kWriteFailed) + file_status_text(s_.file.status()));
  } else {
    frame::write_be32(rec_.pop_file_handle, 0);
    frame::write_be32(rec_.pop_file_offset, 0);
  }
  remove_progress();
}

void Request::hand_over(bool print) {
  std::string home;
  if (const QuarnXMiscExternalWs* misc = frame::misc_area()) home = frame::home_folder(*misc);
  std::string program = control("GetUserStationControl", kProcessorSection, "");
  if (program.empty()) {
    // Quoted, so that a space in the home folder does not split the program's path; a
    // path with a quote cannot be written as a program at all.
    const std::string viewer = home + std::string(kDefaultViewer);
    program = platform::process::quoted_program(viewer);
    if (program.empty()) {
      fail(std::string(kStartFailed) + (print ? " Printer=" : " Viewer=") + viewer + "|");
      return;
    }
    control("SaveUserStationControl", kProcessorSection, program);
  }
  const std::string quoted =
      platform::process::quoted_argument(field_string(rec_.pop_print_file_name), true);
  std::string command = program;
  if (!print) {
    command += " " + quoted;
  } else {
    // The suite's own viewer takes "/p" run together with the file name.
    std::string base = program.substr(program.find_last_of("\\/") + 1);
    std::erase(base, '"');
    std::transform(base.begin(), base.end(), base.begin(), ::toupper);
    command += (base == kSuiteViewer ? " /p" : " /p ") + quoted;
  }
  system::StartRequest start;
  if (start.run(command, 1, 0) == 0)
    fail(std::string(kStartFailed) + (print ? " Printer=" : " Viewer=") + command + "|");
}

void Request::purge_print_files() {
  build_print_folder();
  const std::string folder = print_folder_of(rec_);
  std::string undeleted;
  for (int n = 1; n <= kMostPrintFiles + 1; ++n) {
    const std::string name = print_file_name(folder, n);
    // The document being written stays.
    if (document_open() && name == field_string(rec_.pop_print_file_name)) continue;
    const platform::FileStatus removed = files::remove_unless_in_use(name);
    if (removed != platform::status::kOk && removed != platform::status::kMissing &&
        undeleted.empty())
      undeleted = name;
  }
  if (!undeleted.empty()) fail(std::string(kDeleteFailed) + undeleted);
}

std::int32_t pop(QuarnPopRecord* request, QuarnPopCaller* caller, QuarnCallerForm* form) {
  Request(*request, *caller, form).run();
  return 0;
}

// The caller form for callers without a window: the form runtime's message boxes and
// active form.
std::int32_t runtime_message(void*, const char* title, const char* text, std::int32_t style) {
  return forms::runtime().message_box(title, text, style);
}

void runtime_geometry(void*, std::int32_t* left, std::int32_t* top, std::int32_t* width,
                      std::int32_t* height) {
  const auto form = forms::runtime().active_form();
  if (!form) {
    *left = *top = *width = *height = 0;
    return;
  }
  *left = static_cast<std::int32_t>(forms::number_property(*form, forms::property::kLeft));
  *top = static_cast<std::int32_t>(forms::number_property(*form, forms::property::kTop));
  *width = static_cast<std::int32_t>(forms::number_property(*form, forms::property::kWidth));
  *height = static_cast<std::int32_t>(forms::number_property(*form, forms::property::kHeight));
}

QuarnCallerForm runtime_form{nullptr, &runtime_message, &runtime_geometry, nullptr};

}  // namespace

QuarnCallerForm* runtime_caller_form() {
  return &runtime_form;
}

void set_clock(std::function<std::tm()> clock) {
  if (!clock) {
    platform::set_clock({});
    return;
  }
  platform::set_clock([clock = std::move(clock)] {
    const std::tm t = clock();
    return platform::LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                               t.tm_hour,        t.tm_min,     t.tm_sec};
  });
}

void reset_process_state() {
  State& s = state();
  s.file.close();
  s.file.take_failure();
  s.warnings = 'Y';
  s.uses.clear();
  s.use_counter = 0;
  if (s.progress) s.progress->deactivate();
  s.progress.reset();
}

}  // namespace quarn::docout

QUARN_PROGRAM((POP), quarn::docout::pop, 2, (request, QuarnPopRecord), (caller, QuarnPopCaller),
              (form, ::quarn::frame::Callbacks<QuarnCallerForm>));
