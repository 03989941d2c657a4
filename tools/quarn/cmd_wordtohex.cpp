// quarn wordtohex N [--swap]: a 16-bit word as four hexadecimal digits.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "text_args.hpp"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  const auto word = parse_word(line.operand(0));
  if (!word) {
    return usage_error("wordtohex", quoted(line.operand(0)) +
                                        " is not a 16-bit word (-32768 to 32767, or 0x0000 "
                                        "to 0xFFFF)");
  }
  const char byte_order = line.has("--swap") ? 'Y' : 'N';
  const auto bits = static_cast<std::uint32_t>(QUARN_WORDTOHEX(&*word, &byte_order));
  std::printf("%c%c%c%c\n", static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8 & 0xFF),
              static_cast<char>(bits >> 16 & 0xFF), static_cast<char>(bits >> 24 & 0xFF));
  return kOk;
}

const Registration registration(
    {.name = "wordtohex",
     .summary = "a 16-bit word as four hexadecimal digits",
     .synopsis = "N [--swap]",
     .description =
         "Prints the four hexadecimal digits WORDTOHEX returns for the word N: decimal, -32768\n"
         "to 32767, or hexadecimal, 0x0000 to 0xFFFF (taken as the word's bits). A negative\n"
         "word gives its absolute value (-32768 gives 8000).\n"
         "\n"
         "example: quarn wordtohex 0x1234 --swap   ->  3412\n",
     .options = {{.name = "--swap", .help = "put the low byte's two digits first"}},
     .operands = {1, 1},
     .expects = "one word",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
