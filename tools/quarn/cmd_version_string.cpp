// quarn version-string FILE NAME: one string of a file's version resource.
#include <cstdio>
#include <string>

#include "cli.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& args) {
  if (args.size() != 2) return usage_error("version-string", "expects FILE and NAME");
  QuarnRsFileName file;
  QuarnRsStringName name;
  if (args[0].size() > sizeof file.rs_file_name)
    return usage_error("version-string", "a file name has at most 50 characters");
  if (args[1].size() > sizeof name.rs_string_name || args[1].find(' ') != std::string_view::npos)
    return usage_error("version-string", "a string name has at most 20 characters, no spaces");
  put_field(file.rs_file_name, args[0]);
  put_field(name.rs_string_name, args[1]);
  QuarnRsResult result;
  QUARN_GETRESOURCESTRING(&result, &file, &name);
  const std::string_view value = trimmed(result.rs_result);
  if (value.empty())
    return failure("version-string",
                   "no string '" + std::string(args[1]) + "' in '" + std::string(args[0]) + "'");
  std::printf("%s\n", std::string(value).c_str());
  return kOk;
}

const Registration registration(
    {"version-string", "one string of a program file's version resource",
     "usage: quarn version-string FILE NAME\n"
     "\n"
     "Prints the string NAME (ProductVersion, FileVersion, CompanyName...) of the version\n"
     "resource of the program or library file FILE (at most 50 characters), in the first\n"
     "language the resource lists, as GETRESOURCESTRING reads it. Exits with 1 when the\n"
     "file, its version resource or the string is missing.\n",
     &run});

}  // namespace
}  // namespace quarn::cli
