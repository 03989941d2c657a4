#include "frame/program.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarn::frame {
namespace {

// A program of the test's own, run through the same frame as the library's programs. Its
// static storage counts the calls; its record says what to do:
// "C" count, "R" call itself by name, "A" report the active indicator.
struct CounterStorage {
  int calls = 0;
} counter_storage;

extern Program counter_program;

std::int32_t counter_body(void* const* params) {
  char* record = static_cast<char*>(params[0]);
  ++counter_storage.calls;
  switch (record[0]) {
    case 'R': {
      void* again[] = {record};
      call_by_name("TEST-COUNTER  ", again);
      break;
    }
    case 'A':
      record[1] = counter_program.active_indicator() == kActive ? 'Y' : 'N';
      break;
    default:
      break;
  }
  return counter_storage.calls;
}

Program counter_program({"TEST-COUNTER", 2, 1, {4, 4}, &counter_body});

// Collects what the frame reports while a test runs.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    set_frame_observer([this](const FrameEvent& e) {
      if (e.program == "TEST-COUNTER") events_.push_back(e);
    });
    set_error_handler([this](const RuntimeError& e) {
      errors_.push_back({e.code, e.line, std::string(e.program), std::string(e.text)});
    });
  }
  void TearDown() override {
    set_frame_observer({});
    set_error_handler({});
  }
  std::int32_t call(char command) {
    char record[4] = {command, ' ', ' ', ' '};
    void* params[] = {record};
    std::int32_t result = -1;
    EXPECT_TRUE(call_by_name("TEST-COUNTER", params, &result));
    last_record_ = std::string(record, 4);
    return result;
  }

  struct Error {
    std::int32_t code;
    std::int32_t line;
    std::string program;
    std::string text;
  };
  std::vector<FrameEvent> events_;
  std::vector<Error> errors_;
  std::string last_record_;
};

// One test walks the whole life of the program, because the first-call indicator can be
// seen only once per process.
TEST_F(FrameTest, FirstCallIndicatorThenStaticStoragePersists) {
  EXPECT_EQ(counter_program.first_call_indicator(), kFirstCall);
  EXPECT_EQ(call('C'), 1);
  EXPECT_EQ(call('C'), 2);
  EXPECT_EQ(call('C'), 3);
  ASSERT_EQ(events_.size(), 6u);
  EXPECT_EQ(events_[0].kind, FrameEvent::kEnter);
  EXPECT_EQ(events_[0].first_call_indicator, kFirstCall);
  EXPECT_EQ(events_[1].kind, FrameEvent::kExit);
  EXPECT_EQ(events_[2].first_call_indicator, kLaterCall);
  EXPECT_EQ(events_[4].first_call_indicator, kLaterCall);
  EXPECT_EQ(counter_program.first_call_indicator(), kLaterCall);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FrameTest, ActiveIndicatorIsSetOnlyDuringTheCall) {
  EXPECT_EQ(counter_program.active_indicator(), 0);
  call('A');
  EXPECT_EQ(last_record_[1], 'Y');
  EXPECT_EQ(counter_program.active_indicator(), 0);
}

TEST_F(FrameTest, ReentryIsReportedAndNotRun) {
  const int before = counter_storage.calls;
  call('R');
  EXPECT_EQ(counter_storage.calls, before + 1) << "the inner call must not run";
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].code, 16);
  EXPECT_GT(errors_[0].line, 0);
  EXPECT_EQ(errors_[0].program, "TEST-COUNTER");
  EXPECT_NE(errors_[0].text.find("while it was running"), std::string::npos);
  EXPECT_EQ(counter_program.active_indicator(), 0) << "the outer call still exits";
  // The program works normally afterwards.
  call('C');
  EXPECT_EQ(errors_.size(), 1u);
}

TEST_F(FrameTest, MissingRecordIsReportedAndTheBodyDoesNotRun) {
  const int before = counter_storage.calls;
  std::int32_t result = -1;
  EXPECT_TRUE(call_by_name("TEST-COUNTER", {}, &result));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(counter_storage.calls, before);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].text.find("record 1 was not passed"), std::string::npos);
  // The optional second record may be left out.
  call('C');
  EXPECT_EQ(counter_storage.calls, before + 1);
}

TEST_F(FrameTest, CallsByNameIgnoreTrailingSpacesOnly) {
  EXPECT_NE(find_program("TEST-COUNTER  "), nullptr);
  EXPECT_NE(find_program("IXIOSTAT      "), nullptr);
  EXPECT_EQ(find_program("test-counter"), nullptr);
  EXPECT_EQ(find_program("  TEST-COUNTER"), nullptr);
  EXPECT_FALSE(call_by_name("NO-SUCH-PROG  ", {}));
}

TEST_F(FrameTest, ExportedEntryTreatsOmittedRecordsAsNotPassed) {
  // Outside a GnuCOBOL process every declared record counts as passed; a null one is not.
  const int before = counter_storage.calls;
  counter_program.enter_exported({nullptr, nullptr});
  EXPECT_EQ(counter_storage.calls, before);
  ASSERT_EQ(errors_.size(), 1u);
}

}  // namespace
}  // namespace quarn::frame
