// quarn version-string FILE NAME: one string of a file's version resource.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  const std::string_view path = line.operand(0);  // a path: bytes as given
  QuarnRsFileName file;
  QuarnRsStringName name;
  if (path.size() > sizeof file.rs_file_name)
    return usage_error("version-string", "a file name has at most 50 characters");
  const std::string string_name =
      record_text(line.operand(1), name.rs_string_name, "a string name");
  if (string_name.find(' ') != std::string::npos)
    return usage_error("version-string", "a string name has no spaces");
  std::string native(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  if (const auto why = unreadable(native)) return cannot_run("version-string", *why);
  put_field(file.rs_file_name, path);
  put_field(name.rs_string_name, string_name);
  QuarnRsResult result;
  QUARN_GETRESOURCESTRING(&result, &file, &name);
  const std::string_view value = trimmed(result.rs_result);
  if (value.empty()) {
    return failure("version-string",
                   quoted(path) + " has no version string " + quoted(line.operand(1)) +
                       " (or no version resource); names are spelt as ProductVersion, "
                       "FileVersion, CompanyName ...");
  }
  std::printf("%s\n", to_terminal(value).c_str());
  return kOk;
}

const Registration registration(
    {.name = "version-string",
     .summary = "one string of a program file's version resource",
     .synopsis = "FILE NAME",
     .description =
         "Prints the string NAME (ProductVersion, FileVersion, CompanyName...) of the version\n"
         "resource of the program or library file FILE (at most 50 characters), in the first\n"
         "language the resource lists, as GETRESOURCESTRING reads it. Exits with 1 when the\n"
         "version resource or the string is missing, with 3 when FILE cannot be opened.\n",
     .operands = {2, 2},
     .expects = "FILE and NAME",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
