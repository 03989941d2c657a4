#include "frame/declare.hpp"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "quarn/quarn-m.h"

// A program of the test's own with six optional records, as the form programs have: its
// C entry is declared as the public header declares the library's.
extern "C" int32_t QUARN_TEST_SIX(char* a, char* b, std::int32_t* c, QuarnIxiostatRecord* d,
                                  const char* e, QuarnDatechkRecord* f);

namespace {

std::array<bool, 6> seen{};

std::int32_t test_six(char* a, char* b, std::int32_t* c, QuarnIxiostatRecord* d, const char* e,
                      QuarnDatechkRecord* f) {
  seen = {a != nullptr, b != nullptr, c != nullptr, d != nullptr, e != nullptr, f != nullptr};
  return 6;
}

}  // namespace

QUARN_PROGRAM((TEST, SIX), test_six, 0, (a, char[3]), (b, char[40]), (c, std::int32_t),
              (d, QuarnIxiostatRecord), (e, const char),
              (f, ::quarn::frame::Prefix<QuarnDatechkRecord, 12>));

// A program without records.
extern "C" int32_t QUARN_TEST_NONE(void);
namespace {
std::int32_t test_none() {
  return 7;
}
}  // namespace
QUARN_PROGRAM((TEST, NONE), test_none, 0);

// A program with a needed record, called through its C entry. Its record says what to do:
// "A" show the active indicator in the record, "R" call itself through its entry, "O"
// install an observer that counts events.
extern "C" int32_t QUARN_TEST_ENTRY(char* command, char* optional);
namespace {
int entry_runs = 0;
int observed_events = 0;
std::int32_t test_entry(char* command, char*);
}  // namespace
QUARN_PROGRAM((TEST, ENTRY), test_entry, 1, (command, char[2]), (optional, char[2]));
namespace {
std::int32_t test_entry(char* command, char*) {
  ++entry_runs;
  switch (command[0]) {
    case 'A':
      command[1] =
          quarn::programs::TEST_ENTRY.active_indicator() == quarn::frame::kActive ? 'Y' : 'N';
      break;
    case 'R':
      QUARN_TEST_ENTRY(command, nullptr);
      break;
    case 'O':
      quarn::frame::set_frame_observer([](const quarn::frame::FrameEvent&) { ++observed_events; });
      break;
  }
  return 0;
}
}  // namespace

namespace quarn::frame {
namespace {

TEST(Declaration, LengthsAndCountComeFromTheRecordTypes) {
  size_t lengths[6] = {};
  ASSERT_EQ(quarn_program_info("TEST-SIX", lengths, 6), 6);
  EXPECT_EQ(std::vector<size_t>(lengths, lengths + 6),
            (std::vector<size_t>{3, 40, 4, sizeof(QuarnIxiostatRecord), 1, 12}));
}

TEST(Declaration, CallbacksAreMarkedAndTheRestAreRecords) {
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(quarn_program_parameter_kind("TEST-SIX", i), QUARN_PARAMETER_RECORD) << i;
  EXPECT_EQ(quarn_program_parameter_kind("TEST-SIX", 6), -1);
  // POP's third parameter, the caller's form, is declared as callbacks.
  EXPECT_EQ(quarn_program_parameter_kind("POP", 2), QUARN_PARAMETER_CALLBACKS);
  size_t lengths[3] = {};
  ASSERT_EQ(quarn_program_info("POP", lengths, 3), 3);
  EXPECT_EQ(lengths[2], sizeof(QuarnCallerForm));
}

TEST(Declaration, EveryRecordMayBeLeftOut) {
  // Called by name with no records at all, as CALL "TEST-SIX" without USING does.
  int32_t result = 0;
  ASSERT_EQ(quarn_call("TEST-SIX", nullptr, 0, &result), 0);
  EXPECT_EQ(result, 6);
  EXPECT_EQ(seen, (std::array<bool, 6>{}));
  // Through the C entry, a null record is not passed and the others are.
  char a[3];
  QuarnIxiostatRecord d;
  EXPECT_EQ(QUARN_TEST_SIX(a, nullptr, nullptr, &d, nullptr, nullptr), 6);
  EXPECT_EQ(seen, (std::array<bool, 6>{true, false, false, true, false, false}));
}

// The C entry of a caller that nobody observes takes a shorter way through the frame; it
// keeps the indicators, the check of needed records and the reentry check.
TEST(Declaration, AnUnobservedCallThroughTheCEntryKeepsTheFrame) {
  std::vector<std::string> errors;
  set_error_handler([&errors](const RuntimeError& e) {
    errors.push_back(std::string(e.program) + ": " + std::string(e.text));
  });
  const Program& program = quarn::programs::TEST_ENTRY;
  char command[2] = {'A', ' '};
  EXPECT_EQ(program.first_call_indicator(), kFirstCall);
  QUARN_TEST_ENTRY(command, nullptr);
  // The first call found out that this is no GnuCOBOL process: the next ones go short.
  ASSERT_EQ(detail::entry_services.load(), 0);
  QUARN_TEST_ENTRY(command, nullptr);
  EXPECT_EQ(command[1], 'Y');
  EXPECT_EQ(program.active_indicator(), 0);
  EXPECT_EQ(program.first_call_indicator(), kLaterCall);
  EXPECT_EQ(entry_runs, 2);

  command[0] = 'R';
  QUARN_TEST_ENTRY(command, nullptr);
  EXPECT_EQ(entry_runs, 3) << "the inner call must not run";
  QUARN_TEST_ENTRY(nullptr, command);
  EXPECT_EQ(entry_runs, 3) << "a call without its needed record must not run";
  EXPECT_EQ(errors,
            (std::vector<std::string>{
                "TEST-ENTRY: TEST-ENTRY was called while it was running; the call is not run",
                "TEST-ENTRY: parameter record 1 was not passed; the call does nothing"}));
  EXPECT_EQ(program.active_indicator(), 0);

  // An observer installed during a call sees no exit without its entry; the next call is
  // seen whole.
  command[0] = 'O';
  QUARN_TEST_ENTRY(command, nullptr);
  EXPECT_EQ(observed_events, 0);
  command[0] = 'C';
  QUARN_TEST_ENTRY(command, nullptr);
  EXPECT_EQ(observed_events, 2);
  set_frame_observer({});
  EXPECT_EQ(detail::entry_services.load(), 0);
  set_error_handler({});
}

// A program without records asks too, so that its later calls go the short way as well.
TEST(Declaration, AProgramWithoutRecordsFindsOutWhereItRuns) {
  EXPECT_EQ(QUARN_TEST_NONE(), 7);
  EXPECT_EQ(detail::entry_services.load(), 0);
  EXPECT_EQ(QUARN_TEST_NONE(), 7);
}

TEST(Declaration, TheGnuCobolAndExactNamesAreTheCEntry) {
  void* self = dlopen(nullptr, RTLD_NOW);
  ASSERT_NE(self, nullptr);
  void* entry = dlsym(self, "QUARN_TEST_SIX");
  EXPECT_NE(entry, nullptr);
  EXPECT_EQ(dlsym(self, "TEST__SIX"), entry);
  EXPECT_EQ(dlsym(self, "TEST-SIX"), entry);
  dlclose(self);
}

}  // namespace
}  // namespace quarn::frame
