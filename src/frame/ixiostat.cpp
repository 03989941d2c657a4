// IXIOSTAT: the suite's wording of a two-character file status.
#include "frame/ixiostat.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

struct StatusRow {
  std::string_view code;
  std::string_view message;
};

// Searched in this order; the first row whose code equals the status wins.
constexpr std::array<StatusRow, 44> kStatusTable{{
    {"00", "=00 - OK |"},
    {"02", ">00 - I/O: Duplicate Record Key! |"},
    {"04", ">9X - READ: Record Size Exceeds Max! |"},
    {"05", ">00 - OPEN: OPTIONAL File Did Not Exist! |"},
    {"07", ">00 - OPEN: Non-reel File! |"},
    {"0A", ">9X - ACM: No Input Message! |"},
    {"OB", ">9X - ACM: Output Messages > Max! |"},  // letter O, then B
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
}};

constexpr std::string_view kUnresolved = ">XX - Unresolved error status ";

// The rows' messages at the width of the record's field, space-padded, so that a message
// found is one copy of a known size.
using MessageField = std::array<char, sizeof QuarnIxiostatRecord::ix_status_message>;
constexpr auto kMessageFields = [] {
  std::array<MessageField, kStatusTable.size()> fields{};
  for (std::size_t row = 0; row < kStatusTable.size(); ++row) {
    if (kStatusTable[row].message.size() > MessageField{}.size()) throw "a message is too long";
    frame::put_text(fields[row], kStatusTable[row].message);
  }
  return fields;
}();

// The two code characters of a status as one number, for a cheap walk of the table.
constexpr std::uint16_t code_number(char first, char second) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(first) << 8 |
                                    static_cast<unsigned char>(second));
}

// An index over the table: the rows' codes hashed into twice as many slots as there are
// rows, each slot the row number + 1 (0: empty), a collision taking the next free slot. A
// status is found in one or two probes instead of a walk from the first row.
constexpr std::size_t kSlots = 128;
constexpr std::size_t slot_of(std::uint16_t code) {
  return (code ^ code >> 5) % kSlots;
}
constexpr auto kIndex = [] {
  std::array<std::uint8_t, kSlots> slots{};
  for (std::size_t row = 0; row < kStatusTable.size(); ++row) {
    std::size_t slot = slot_of(code_number(kStatusTable[row].code[0], kStatusTable[row].code[1]));
    while (slots[slot] != 0)
      slot = (slot + 1) % kSlots;
    slots[slot] = static_cast<std::uint8_t>(row + 1);
  }
  return slots;
}();

// The message of a status, or null when the table has none.
const MessageField* find_message(std::uint16_t wanted) {
  for (std::size_t slot = slot_of(wanted);; slot = (slot + 1) % kSlots) {
    const std::uint8_t entry = kIndex[slot];
    if (entry == 0) return nullptr;
    const StatusRow& row = kStatusTable[entry - 1];
    if (code_number(row.code[0], row.code[1]) == wanted) return &kMessageFields[entry - 1];
  }
}

// Every row is found through the index, and a code is in the table only once (so the
// first row with a code is the only one).
constexpr bool index_finds_every_row() {
  for (std::size_t row = 0; row < kStatusTable.size(); ++row) {
    const std::uint16_t code = code_number(kStatusTable[row].code[0], kStatusTable[row].code[1]);
    std::size_t slot = slot_of(code);
    while (kIndex[slot] != row + 1) {
      if (kIndex[slot] == 0) return false;
      const StatusRow& other = kStatusTable[kIndex[slot] - 1];
      if (code_number(other.code[0], other.code[1]) == code) return false;
      slot = (slot + 1) % kSlots;
    }
  }
  return true;
}
static_assert(index_finds_every_row());

std::int32_t ixiostat(QuarnIxiostatRecord* passed) {
  auto& record = *passed;
  const std::string_view status(record.ix_status_code, 2);
  frame::Field message(record.ix_status_message);

  if (const MessageField* found = find_message(code_number(status[0], status[1]))) {
    std::ranges::copy(*found, message.begin());
    return 0;
  }
  // ">XX - Unresolved error status " and the status, then "! |", written in place: a text
  // made on the stack and copied out would be read back in wider pieces than it was
  // written, which stalls the copy.
  static_assert(kUnresolved.size() + 5 <= sizeof record.ix_status_message);
  frame::put_text(message, kUnresolved);
  const auto end = std::copy(status.begin(), status.end(), message.begin() + kUnresolved.size());
  std::copy_n("! |", 3, end);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((IXIOSTAT), quarn::ixiostat, 1, (record, QuarnIxiostatRecord));

bool quarn::frame::word_file_status(QuarnIxiostatRecord& record) {
  void* const params[] = {&record};
  return call_by_name("IXIOSTAT", params);
}

bool quarn::frame::word_file_status(QuarnCtlMessage& message) {
  static_assert(sizeof(QuarnCtlMessage) == sizeof(QuarnIxiostatRecord));
  void* const params[] = {&message};
  return call_by_name("IXIOSTAT", params);
}
