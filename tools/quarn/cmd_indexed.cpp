// quarn indexed export|import FILE --record-length N --key-length K [TEXT]: an indexed file
// as text lines, one record a line in key order, and back; quarn indexed copy FROM TO: an
// indexed file into another, each wherever its home folder keeps it.
#include <charconv>
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "indexed";

bool number_of(std::string_view text, int32_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int run(const Args& args) {
  if (args.empty() || (args[0] != "export" && args[0] != "import" && args[0] != "copy")) {
    return usage_error(kName, "expects export, import or copy");
  }
  const bool copy = args[0] == "copy";
  int32_t record_length = 0;
  int32_t key_length = 0;
  uint32_t options = 0;
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--allow-empty" && args[0] == "import") {
      options |= QUARN_IMPORT_ALLOW_EMPTY;
    } else if (arg == "--record-length" || arg == "--key-length") {
      if (i + 1 == args.size()) return usage_error(kName, std::string(arg) + " needs a number");
      int32_t& value = arg == "--record-length" ? record_length : key_length;
      if (!number_of(args[++i], value) || value < 1) {
        return usage_error(kName, std::string(arg) + " needs a number above 0");
      }
    } else if (arg.starts_with("--")) {
      return usage_error(kName, "unexpected '" + std::string(arg) + "'");
    } else {
      operands.emplace_back(arg);
    }
  }
  if (copy && operands.size() != 2) return usage_error(kName, "copy expects FROM and TO");
  if (operands.empty() || operands.size() > 2) {
    return usage_error(kName, "expects FILE and at most one TEXT");
  }
  if (record_length == 0) return usage_error(kName, "--record-length is required");
  if (key_length == 0) return usage_error(kName, "--key-length is required");
  if (key_length > record_length) {
    return usage_error(kName, "the key cannot be longer than the record");
  }
  char error[512] = "";
  if (copy) {
    const int32_t copied = quarn_indexed_copy(operands[0].c_str(), operands[1].c_str(),
                                              record_length, key_length, error, sizeof error);
    if (copied < 0) return failure(kName, error);
    std::printf("%d records copied from %s to %s\n", copied, operands[0].c_str(),
                operands[1].c_str());
    return kOk;
  }
  const char* text = operands.size() == 2 ? operands[1].c_str() : nullptr;
  const int32_t done =
      args[0] == "export"
          ? quarn_indexed_export(operands[0].c_str(), record_length, key_length, text, error,
                                 sizeof error)
          : quarn_indexed_import_options(operands[0].c_str(), record_length, key_length, text,
                                         options, error, sizeof error);
  return done == 0 ? kOk : failure(kName, error);
}

const Registration registration(
    {"indexed", "dump an indexed file as text lines, or build one from them",
     "usage: quarn indexed export FILE --record-length N --key-length K [TEXT]\n"
     "       quarn indexed import FILE --record-length N --key-length K [--allow-empty] [TEXT]\n"
     "       quarn indexed copy FROM TO --record-length N --key-length K\n"
     "\n"
     "An indexed file of N-byte records whose key is their first K bytes, as text: one\n"
     "record a line, exactly N bytes, in key order. export writes the lines to TEXT (or\n"
     "standard output); a record holding a line end cannot be written and stops it. import\n"
     "reads TEXT (or standard input): a shorter line is padded with spaces, an empty line\n"
     "is skipped, a longer line or a repeated key stops it with the line's number. The\n"
     "records of FILE are replaced only when every line was good, and a text without\n"
     "records is refused unless --allow-empty is given (then FILE is emptied). N and K\n"
     "must be those the file was made with (a file of other lengths is refused): the\n"
     "report control files are 'QUARN.RPT' (213, 17) and 'QUARN-STD.RPT' (256, 17), the\n"
     "control file 'QUARN.CTL' (148, 48).\n"
     "\n"
     "copy puts every record of FROM into TO (made when missing, its records replaced in\n"
     "one transaction, record for record), each file where its folder keeps it: SQLite\n"
     "files, or the PostgreSQL server of the folder's quarn-storage.conf. A home folder is\n"
     "moved to a server and back this way.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
