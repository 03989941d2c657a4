#include <gtest/gtest.h>

#include <string>

#include "frame/program.hpp"
#include "quarn/quarn-m.h"

namespace {

// Calls IXIOSTAT through its exported entry with the status and a message field full of
// leftovers, and returns the whole 64-character record.
std::string describe(const std::string& status) {
  QuarnIxiostatRecord record;
  std::string(64, '#').copy(reinterpret_cast<char*>(&record), 64);
  status.copy(record.ix_status_code, 2);
  QUARN_IXIOSTAT(&record);
  return std::string(reinterpret_cast<const char*>(&record), 64);
}

std::string padded(const std::string& status, const std::string& message) {
  return status + message + std::string(62 - message.size(), ' ');
}

struct Row {
  const char* code;
  const char* message;
};

// The suite's wording, as the applications' users have always seen it.
const Row kRows[] = {
    {"00", "=00 - OK |"},
    {"02", ">00 - I/O: Duplicate Record Key! |"},
    {"04", ">9X - READ: Record Size Exceeds Max! |"},
    {"05", ">00 - OPEN: OPTIONAL File Did Not Exist! |"},
    {"07", ">00 - OPEN: Non-reel File! |"},
    {"0A", ">9X - ACM: No Input Message! |"},
    {"OB", ">9X - ACM: Output Messages > Max! |"},
    {"10", "=10 - READ: End of File! |"},
    {"14", ">10 - READ: Relative Key Out of Range! |"},
    {"21", ">9X - REWRITE: Primary Key Change! |"},
    {"22", ">00 - WRITE: Duplicate Primary Key! |"},
    {"23", "=23 - READ/REWRITE: Record Not Found! |"},
    {"24", ">9X - WRITE: Key Out Of Range! |"},
    {"30", ">9X - HARDWARE Error! |"},
    {"34", ">9X - WRITE: Area Shortage! |"},
    {"35", ">91 - OPEN: File Does Not Exist! |"},
    {"37", ">9X - I/O: Function Not Supported! |"},
    {"38", ">93 - OPEN: File CLOSE-LOCKed! |"},
    {"39", ">9X - OPEN: File Attribute Conflict! |"},
    {"41", "=9X - OPEN: File Already Open! |"},
    {"42", ">00 - CLOSE: File Not Opened! |"},
    {"43", ">9X - I/O: Delete, Rewrite, or Seq Read Error! |"},
    {"44", ">9X - WRITE/REWRITE: Record Length Conflict! |"},
    {"46", ">9X - READ NEXT/PREV: Start Not Specified! |"},
    {"47", ">9X - START/READ: File Opened In Wrong mode! |"},
    {"48", ">9X - WRITE: File Opened In Wrong Mode! |"},
    {"49", ">9X - REWRITE: File Opened In Wrong Mode! |"},
    {"90", ">9X - I/O: General Error! |"},
    {"91", "=91 - OPEN: Path Invalid or File Does Not Exist! |"},
    {"92", ">9X - RDM: Exclusive Error! |"},
    {"93", "=93 - OPEN: File In Use or Locked! |"},
    {"99", "=99 - EXCLUSIVE ERROR: Record Locked! |"},
    {"9B", ">9X - ACM: Destination Error! |"},
    {"9E", ">9X - FORM RTS: Read Released! |"},
    {"9F", ">9X - ACM: Monitoring Time or Destination error! |"},
    {"9G", ">9X - ACM: Messages > Max! |"},
    {"9H", ">9X - ACM: Insufficient File Area! |"},
    {"XB", "=XB - I/O MODULE: Busy! |"},
    {"XC", "=XC - I/O MODULE: Cancel! |"},
    {"XD", "=XD - I/O MODULE: Access Denied! |"},
    {"XF", "=XF - I/O MODULE: File data changed since retrieved! |"},
    {"XK", "=XK - I/O MODULE: Invalid key! |"},
    {"XI", ">XX - I/O MODULE: Invalid Method = |"},
    {"XX", "=XX - I/O MODULE: General Error! |"},
};

TEST(Ixiostat, EveryRowOfTheTable) {
  static_assert(std::size(kRows) == 44);
  for (const Row& row : kRows) {
    EXPECT_EQ(describe(row.code), padded(row.code, row.message)) << "status " << row.code;
  }
}

TEST(Ixiostat, UnknownStatusesGetTheFallback) {
  const std::string unknown[] = {"7Z",
                                 "0B",  // digit zero: only the letter O finds a row
                                 "xb",  // no case folding
                                 "  ", std::string("\x00\xFF", 2), "O"};
  for (const std::string& status : unknown) {
    const std::string code = (status + "  ").substr(0, 2);
    EXPECT_EQ(describe(code), padded(code, ">XX - Unresolved error status " + code + "! |"))
        << "status " << code;
  }
  // The worked example: 27 spaces after the text.
  EXPECT_EQ(describe("7Z").substr(2), ">XX - Unresolved error status 7Z! |" + std::string(27, ' '));
}

TEST(Ixiostat, CalledByNameWithAPaddedName) {
  QuarnIxiostatRecord record;
  std::string(64, ' ').copy(reinterpret_cast<char*>(&record), 64);
  std::string("XI").copy(record.ix_status_code, 2);
  void* params[] = {&record};
  ASSERT_TRUE(quarn::frame::call_by_name("IXIOSTAT      ", params));
  EXPECT_EQ(std::string(record.ix_status_message, 36), ">XX - I/O MODULE: Invalid Method = |");
}

}  // namespace
