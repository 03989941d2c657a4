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

int run(const Args& args) {
  if (args.size() != 1) return usage_error("numedit", "expects one text");
  QuarnNumeditRecord record;
  if (const auto message = too_long(args[0], record.ne_text))
    return usage_error("numedit", *message);
  put_field(record.ne_text, args[0]);
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
    {"numedit", "a number typed as free text, read as NUMEDIT reads it",
     "usage: quarn numedit TEXT\n"
     "\n"
     "Prints the number NUMEDIT reads from TEXT (up to 24 characters) with its five\n"
     "decimals. Every digit counts, everything else is skipped; the first point divides\n"
     "the integer part (13 digits kept) from the decimals (5 kept); a '-' anywhere makes\n"
     "the number negative.\n"
     "\n"
     "example: quarn numedit '$1,234.56-'   ->  -1234.56000\n",
     &run});

}  // namespace
}  // namespace quarn::cli
