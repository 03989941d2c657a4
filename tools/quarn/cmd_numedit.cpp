// quarn numedit TEXT: a number typed as free text, as NUMEDIT reads it.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  QuarnNumeditRecord record;
  put_field(record.ne_text, record_text(line.operand(0), record.ne_text));
  put_field(record.ne_number, "");
  QUARN_NUMEDIT(&record);
  std::int64_t value = 0;
  if (quarn_read_display(record.ne_number, sizeof record.ne_number, 1, &value) != 0)
    return failure("numedit", "the result is not a number: " + printable(record.ne_number));
  const std::uint64_t magnitude =
      value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : value;
  std::printf("%s%" PRIu64 ".%05" PRIu64 "\n", value < 0 ? "-" : "", magnitude / 100000,
              magnitude % 100000);
  return kOk;
}

const Registration registration(
    {.name = "numedit",
     .summary = "a number typed as free text, read as NUMEDIT reads it",
     .synopsis = "TEXT",
     .description =
         "Prints the number NUMEDIT reads from TEXT (up to 24 characters) with its five\n"
         "decimals. Every digit counts, everything else is skipped; the first point divides\n"
         "the integer part (13 digits kept) from the decimals (5 kept); a '-' anywhere makes\n"
         "the number negative. Give a text that begins with '-' and a letter after '--'.\n"
         "\n"
         "example: quarn numedit '$1,234.56-'   ->  -1234.56000\n",
     .operands = {1, 1},
     .expects = "one text",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
