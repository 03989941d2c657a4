// A control file of its own for each test: X-MISC-EXTERNAL-WS pointed at a fresh home
// folder, a user and a station, and the process's control file closed before and after.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "control/quarn_control_file.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"
#include "quarn/quarn-m.h"
#include "support/backends.hpp"
#include "support/temp_folder.hpp"

namespace quarn::testing {

inline void set_home_folder(QuarnXMiscExternalWs& misc, const std::string& folder) {
  std::memset(misc.xm_home_folder, 0, sizeof misc.xm_home_folder);
  std::memcpy(misc.xm_home_folder, folder.data(),
              std::min(folder.size(), sizeof misc.xm_home_folder));
}

inline void sign_on(QuarnXMiscExternalWs& misc, std::string_view user, std::string_view station) {
  frame::put_text(misc.xm_user_id, user);
  std::memcpy(misc.xm_station_no, station.data(), 3);
}

class ControlFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control::close_control_file();
    misc = frame::misc_area();
    ASSERT_NE(misc, nullptr);
    std::memset(misc, ' ', sizeof *misc);
    set_home_folder(*misc, folder.path().string() + "/");
    sign_on(*misc, "AB", "001");
    frame::clear(misc->xm_preferences);
  }
  void TearDown() override { control::close_control_file(); }

  // One request; returns the status, leaves the value and message in the members.
  std::string request(std::string_view method, std::string_view section,
                      std::string_view value = "", std::string_view program = "",
                      std::string_view form = "") {
    frame::put_text(req.ctl_method, method);
    frame::put_text(req.ctl_section, section);
    frame::put_text(req.ctl_value, value);
    std::memset(req.ctl_status, '?', 2);
    std::memset(&message, ' ', sizeof message);
    std::string program_id(control::kProgramIdWidth, ' ');
    std::string form_id(control::kFormIdWidth, ' ');
    program_id.replace(0, std::min(program.size(), program_id.size()), program.substr(0, 14));
    form_id.replace(0, std::min(form.size(), form_id.size()), form.substr(0, 16));
    EXPECT_EQ(quarn_control_file(&req, &message, program_id.data(), form_id.data()), 0);
    return std::string(req.ctl_status, 2);
  }
  std::string value() const { return std::string(frame::trimmed(req.ctl_value)); }
  std::string message_text() const {
    return std::string(
        frame::trimmed(frame::ConstField(reinterpret_cast<const char*>(&message), 64)));
  }

  TempFolder folder;
  QuarnXMiscExternalWs* misc = nullptr;
  QuarnControlRequest req{};
  QuarnCtlMessage message{};
};

// The same, with the home folder on each backend in turn.
class ControlFileOnBothTest : public ControlFileTest,
                              public ::testing::WithParamInterface<TestBackend> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(use_backend(GetParam(), folder.path()));
    ControlFileTest::SetUp();
  }
  void TearDown() override {
    ControlFileTest::TearDown();
    drop_backend(GetParam(), folder.path());
  }
  // Whether the records are in a file of the home folder (SQLite) or not (a server).
  bool files_in_folder() const { return GetParam() == TestBackend::kSqlite; }
};

}  // namespace quarn::testing
