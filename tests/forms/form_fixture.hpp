// Forms under test: a fresh home folder in X-MISC-EXTERNAL-WS (its own control file), a
// headless runtime of the test's own in force, and helpers to write and read files.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "control/control_fixture.hpp"
#include "forms/headless_runtime.hpp"
#include "frame/codec.hpp"
#include "support/file_contents.hpp"

namespace quarn::testing {

class FormTest : public ControlFileTest {
 protected:
  void SetUp() override {
    ControlFileTest::SetUp();
    home = folder.path().string() + "/";
    const auto length = static_cast<std::int16_t>(home.size());
    frame::write_be16(misc->xm_folder_length, length);
    frame::clear(misc->xm_document_folder);
    frame::clear(misc->xm_browse_folder);
    previous = forms::set_runtime(&runtime);
  }
  void TearDown() override {
    forms::set_runtime(previous);
    ControlFileTest::TearDown();
  }

  void script(std::string_view text) {
    ASSERT_TRUE(runtime.set_script(text)) << runtime.script_error();
  }
  // Every step taken, none of them refused.
  void expect_script_done() {
    EXPECT_EQ(runtime.pending_steps(), 0u);
    for (const std::string& fault : runtime.script_faults())
      ADD_FAILURE() << "script: " << fault;
  }
  std::vector<std::string> message_texts() const {
    std::vector<std::string> texts;
    for (const auto& m : runtime.messages())
      texts.push_back(m.text);
    return texts;
  }

  // `text` as a quoted text of a script.
  static std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out + "\"";
  }
  static void write_file(const std::string& path, std::string_view contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << contents;
  }

  forms::HeadlessRuntime runtime;
  forms::Runtime* previous = nullptr;
  std::string home;
};

}  // namespace quarn::testing
