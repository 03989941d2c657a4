#include "frame/declare.hpp"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <array>
#include <cstring>

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
