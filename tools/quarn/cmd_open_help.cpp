// quarn open-help FILE [PAGE] [TOPIC]: opens a help page through HTMLHELP.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Parsed& line) {
  apply_home(line);
  QuarnHelpRequest request;
  const std::string_view file = line.operand(0);
  // File, page and topic go into a command line for the help script: bytes as given.
  const std::string_view page = line.count() > 1 ? line.operand(1) : "";
  const std::string_view topic = line.count() > 2 ? line.operand(2) : "";
  if (file.size() > sizeof request.hr_help_file)
    return usage_error("open-help", "a help file name has at most 128 characters");
  if (page.size() > sizeof request.hr_page || topic.size() > sizeof request.hr_topic)
    return usage_error("open-help", "a page or topic has at most 50 characters");
  if (line.has("--home")) {
    struct stat info {};
    if (::stat(std::string(line.value("--home")).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
      return cannot_run("open-help",
                        "the home folder " + home_for_messages(line) + " does not exist");
  }
  std::memset(request.hr_reserved, 0, sizeof request.hr_reserved);
  put_field(request.hr_help_file, file);
  put_field(request.hr_page, page);
  put_field(request.hr_topic, topic);
  QUARN_HTMLHELP(&request);
  return kOk;
}

const Registration registration(
    {.name = "open-help",
     .summary = "open a page of the suite's help",
     .synopsis = "[--home DIR] FILE [PAGE] [TOPIC]",
     .description =
         "Runs HTMLHELP: starts \"wscript HOME\\openhelps.vbs FILE PAGE#TOPIC\" without\n"
         "waiting, HOME being the home folder. wscript is the program map's script host, which\n"
         "runs HOME/openhelps(.sh) or opens PAGE with the desktop's opener. When nothing can\n"
         "be started, HTMLHELP shows \"Unable to open helps, contact support.\" (it reports\n"
         "nothing else, so the exit status is 0 then). Exits with 3 when the home folder\n"
         "does not exist.\n",
     .options = {kHomeOption},
     .operands = {1, 3},
     .expects = "FILE [PAGE] [TOPIC]",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
