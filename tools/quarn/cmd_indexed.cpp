// quarn indexed export|import FILE --record-length N --key-length K [TEXT]: an indexed file
// as text lines, one record a line in key order, and back; quarn indexed copy FROM TO: an
// indexed file into another, each wherever its home folder keeps it.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"
#include "status_text.hpp"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "indexed";

// A checked option's number.
std::int32_t number_of(std::string_view text) {
  std::int32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The library's description of a failure, with the suite's wording of its status after a
// line of the tool's own, and the exit status it calls for.
int report_failure(const std::string& error, std::int32_t record_length, std::int32_t key_length) {
  std::string message = error;
  std::string code;
  if (const std::size_t at = error.rfind("(status "); at != std::string::npos) {
    code = error.substr(at + 8, 2);
    message = error.substr(0, at);
    while (message.ends_with(' '))
      message.pop_back();
    if (code == "39") {
      message += ": the file was made with other lengths than --record-length " +
                 std::to_string(record_length) + " --key-length " + std::to_string(key_length) +
                 " (QUARN.RPT 213 17, QUARN-STD.RPT 256 17, QUARN.CTL 148 48)";
    } else if (code == "35" || code == "91") {
      message += ": check the name and that its folder exists";
    }
    message += "\n" + ixiostat_text(code);
  }
  const bool opening = error.starts_with("cannot open") || error.starts_with("cannot create") ||
                       error.starts_with("cannot write") || error.starts_with("cannot put");
  return complain(kName, message, opening || is_open_status(code) ? kCannotRun : kFailure);
}

int run(const Parsed& line) {
  const std::string_view action = line.operand(0);
  if (action != "export" && action != "import" && action != "copy")
    return usage_error(kName, "expects export, import or copy, not " + quoted(action));
  if (line.has("--allow-empty") && action != "import")
    return usage_error(kName, "--allow-empty is for import");
  if (!line.has("--record-length")) return usage_error(kName, "--record-length is required");
  if (!line.has("--key-length")) return usage_error(kName, "--key-length is required");
  const std::int32_t record_length = number_of(line.value("--record-length"));
  const std::int32_t key_length = number_of(line.value("--key-length"));
  if (key_length > record_length) {
    return usage_error(kName, "the key cannot be longer than the record");
  }
  const std::string file(line.operand(1));
  if (action == "copy") {
    if (line.count() != 3) return usage_error(kName, "copy expects FROM and TO");
    const std::string to(line.operand(2));
    char error[512] = "";
    const int32_t copied = quarn_indexed_copy(file.c_str(), to.c_str(), record_length, key_length,
                                              error, sizeof error);
    if (copied < 0) return report_failure(error, record_length, key_length);
    std::printf("%d records copied from %s to %s\n", copied, file.c_str(), to.c_str());
    return kOk;
  }
  const std::string text = line.count() == 3 ? std::string(line.operand(2)) : std::string();
  const char* text_name = line.count() == 3 ? text.c_str() : nullptr;
  char error[512] = "";
  const int32_t done =
      action == "export"
          ? quarn_indexed_export(file.c_str(), record_length, key_length, text_name, error,
                                 sizeof error)
          : quarn_indexed_import_options(file.c_str(), record_length, key_length, text_name,
                                         line.has("--allow-empty") ? QUARN_IMPORT_ALLOW_EMPTY : 0u,
                                         error, sizeof error);
  return done == 0 ? kOk : report_failure(error, record_length, key_length);
}

std::optional<std::string> positive(std::string_view value) {
  if (digits<1, 9>(value) || number_of(value) < 1)
    return "needs a number above 0, not " + quoted(value);
  return std::nullopt;
}

const Registration registration(
    {.name = "indexed",
     .summary = "dump an indexed file as text lines, or build one from them",
     .synopsis = "export FILE --record-length N --key-length K [TEXT]\n"
                 "import FILE --record-length N --key-length K [--allow-empty] [TEXT]\n"
                 "copy FROM TO --record-length N --key-length K",
     .description =
         "An indexed file of N-byte records whose key is their first K bytes, as text: one\n"
         "record a line, exactly N bytes, in key order. export writes the lines to TEXT (or\n"
         "standard output); a record holding a line end cannot be written and stops it. import\n"
         "reads TEXT (or standard input): a shorter line is padded with spaces, an empty line\n"
         "is skipped, a longer line or a repeated key stops it with the line's number. The\n"
         "records of FILE are replaced only when every line was good, and a text without\n"
         "records is refused unless --allow-empty is given. copy puts every record of FROM\n"
         "into TO (made when missing, its records replaced in one transaction), each file\n"
         "where its folder keeps it: SQLite files, or the PostgreSQL server of the folder's\n"
         "quarn-storage.conf; a home folder is moved to a server and back this way. N and K\n"
         "must be those the file was made with (other lengths are refused): the report\n"
         "control files are 'QUARN.RPT' (213, 17) and 'QUARN-STD.RPT' (256, 17), the control\n"
         "file 'QUARN.CTL' (148, 48). The lines are the records' bytes (code page 1252), not\n"
         "converted. Exits with 1 for a bad line or an empty text, with 3 when a file cannot\n"
         "be opened or written.\n",
     .options = {{.name = "--record-length",
                  .value = "N",
                  .help = "the length of a record",
                  .check = positive},
                 {.name = "--key-length",
                  .value = "K",
                  .help = "the length of the key, the start of the record",
                  .check = positive},
                 {.name = "--allow-empty", .help = "import: an empty text empties FILE"}},
     .operands = {2, 3},
     .expects = "export or import, FILE and at most one TEXT; or copy, FROM and TO",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
