#include "quarn/quarn.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CppApi, FieldsAndNumbers) {
  struct {
    char name[6];
    char amount[5];
  } record;
  quarn::set_text(record.name, "ANN");
  EXPECT_EQ(std::string(record.name, 6), "ANN   ");
  EXPECT_EQ(quarn::text(record.name), "ANN");
  EXPECT_TRUE(quarn::set_number(record.amount, -120, true));
  EXPECT_EQ(std::string(record.amount, 5), "0012P");
  EXPECT_EQ(quarn::number(record.amount, true), -120);
  EXPECT_EQ(quarn::number(record.amount, false), std::nullopt);
  EXPECT_FALSE(quarn::set_number(record.amount, 123456, false));
}

TEST(CppApi, CallsByNameAndIxiostat) {
  EXPECT_EQ(quarn::ixiostat("23"), "=23 - READ/REWRITE: Record Not Found! |");
  EXPECT_EQ(quarn::ixiostat("7Z"), ">XX - Unresolved error status 7Z! |");
  QuarnIxiostatRecord record;
  quarn::set_text(record.ix_status_code, "93");
  EXPECT_EQ(quarn::call("IXIOSTAT", record), 0);
  EXPECT_EQ(quarn::text(record.ix_status_message), "=93 - OPEN: File In Use or Locked! |");
  EXPECT_EQ(quarn::call("NO-SUCH-PROG", record), std::nullopt);
}

}  // namespace
