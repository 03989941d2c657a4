// A POP request record, a caller record and a recording caller form, with a home folder of
// their own, a fixed clock and POP's process-wide state reset for each test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "control/quarn_control_file.hpp"
#include "docout/pop.hpp"
#include "forms/headless_runtime.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"
#include "platform/files.hpp"
#include "quarn/quarn-m.h"
#include "support/temp_folder.hpp"

namespace quarn::testing {

struct FormLog {
  struct Message {
    std::string title;
    std::string text;
    std::int32_t style;
  };
  std::vector<Message> messages;
  std::deque<std::int32_t> answers;
  int thru_events = 0;

  static std::int32_t display(void* context, const char* title, const char* text,
                              std::int32_t style) {
    auto* log = static_cast<FormLog*>(context);
    log->messages.push_back({title, text, style});
    if (log->answers.empty()) return style == 0 || style == 16 ? 1 : 7;  // OK, or No
    const std::int32_t answer = log->answers.front();
    log->answers.pop_front();
    return answer;
  }
  static void geometry(void*, std::int32_t* left, std::int32_t* top, std::int32_t* width,
                       std::int32_t* height) {
    *left = 10;
    *top = 20;
    *width = 640;
    *height = 480;
  }
  static void thru(void* context) { ++static_cast<FormLog*>(context)->thru_events; }
};

inline std::string pad(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

inline std::string font_field(std::string_view code) {
  return pad("\x14" + std::string(code), 11);
}

class PopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control::close_control_file();
    docout::reset_process_state();
    docout::set_clock([] {
      std::tm t{};
      t.tm_year = 126;
      t.tm_mon = 11;
      t.tm_mday = 10;
      t.tm_hour = 4;
      t.tm_min = 5;
      return t;
    });
    misc = frame::misc_area();
    ASSERT_NE(misc, nullptr);
    std::memset(misc, ' ', sizeof *misc);
    home = folder.path().string() + "/";
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, home.data(), home.size());
    frame::put_text(misc->xm_user_id, "AB");
    std::memcpy(misc->xm_station_no, "001", 3);
    std::memset(&rec, 'x', sizeof rec);
    std::memset(&caller, ' ', sizeof caller);
    frame::put_text(caller.pop_program_name, "CHQREG PROGRAM");
    frame::put_text(caller.pop_report_title, "MONTHLY REPORT");
    form = {&log, &FormLog::display, &FormLog::geometry, &FormLog::thru};
  }
  void TearDown() override {
    docout::reset_process_state();
    docout::set_clock(nullptr);
    platform::files::reset_syscalls();
    control::close_control_file();
  }

  // One request; returns the status.
  std::string request(std::string_view code) {
    frame::put_text(rec.pop_request, code);
    QUARN_POP(&rec, &caller, &form);
    return std::string(rec.pop_status, 2);
  }
  std::string message() const { return std::string(frame::trimmed(rec.pop_message_text)); }
  std::string print_file() const { return std::string(frame::trimmed(rec.pop_print_file_name)); }
  static std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void line(std::string_view text) { frame::put_text(rec.pop_line_text, text); }
  void layout(std::string_view blocks) { frame::put_text(rec.pop_line_layout, blocks); }
  // A control-file setting of this user and station.
  std::string setting(std::string_view method, std::string_view section,
                      std::string_view value = "") {
    QuarnControlRequest request;
    QuarnCtlMessage message;
    frame::put_text(request.ctl_method, method);
    frame::put_text(request.ctl_section, section);
    frame::put_text(request.ctl_value, value);
    control::control_file(request, message, {"TEST", ""});
    return std::string(frame::trimmed(request.ctl_value));
  }

  TempFolder folder;
  std::string home;
  QuarnXMiscExternalWs* misc = nullptr;
  QuarnPopRecord rec;
  QuarnPopCaller caller;
  FormLog log;
  QuarnCallerForm form;
};

// The three records of the file header and the two of the first section with INI's page.
inline const std::string kPortraitStart =
    "{\\rtf1\\ansi\\dntblnsbdb \\deflang1033\\deff1 {\\fonttbl{\\f0\\froman\\fcharset0\\fprq2 "
    "Times New Roman;}\r\n"
    "{\\f1\\fswiss\\fcharset0\\fprq2 Arial;}{\\f2\\fmodern\\fcharset0\\fprq2 Courier New;}}\r\n"
    "\\paperw12240\\paperh15840\\pgw12240\\pgh15840\\margl00720\\margr00720\\margt00720"
    "\\margb00720\\widowctl\r\n"
    "\\sectd\\sbknone\\pgwsxn12240\\pghsxn15840\r\n"
    "\\marglsxn00720\\margrsxn00720\\margtsxn00720\\margbsxn00720\\headery00720\\footery00720"
    "\r\n";

// The standard page header with INI's fonts and empty heading lines.
inline const std::string kStandardHeader =
    "{\\header \\pard \\plain \\ql\\tqc\\tx5400\\tqr\\tx10800\\plain \\f0\\fs016 12/10/2026 "
    "04:05\\par\r\n"
    "\\tab \\plain \\f0\\fs024\\b MONTHLY REPORT\\tab \\plain \\f0\\fs016 Page \\chpgn\\par\r\n"
    "\\tab \\plain \\f0\\fs024\\b \\par\r\n"
    "\\plain \\f0\\fs016 \\tab \\plain \\f0\\fs024\\b \\par\r\n"
    "\\plain \\f0\\fs016 \\tab \\plain \\f0\\fs024\\b \\par\\par\r\n"
    "}\r\n";

}  // namespace quarn::testing
