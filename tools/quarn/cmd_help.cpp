// quarn help FILE [PAGE] [TOPIC]: opens a help page through HTMLHELP.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.hpp"
#include "home_option.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

int run(const Args& given) {
  Args args = given;
  std::string error;
  if (!take_home_option(args, error)) return usage_error("help", error);
  if (args.empty() || args.size() > 3) return usage_error("help", "expects FILE [PAGE] [TOPIC]");
  QuarnHelpRequest request;
  if (args[0].size() > sizeof request.hr_help_file)
    return usage_error("help", "a help file name has at most 128 characters");
  if ((args.size() > 1 && args[1].size() > sizeof request.hr_page) ||
      (args.size() > 2 && args[2].size() > sizeof request.hr_topic))
    return usage_error("help", "a page or topic has at most 50 characters");
  std::memset(request.hr_reserved, 0, sizeof request.hr_reserved);
  put_field(request.hr_help_file, args[0]);
  put_field(request.hr_page, args.size() > 1 ? args[1] : "");
  put_field(request.hr_topic, args.size() > 2 ? args[2] : "");
  QUARN_HTMLHELP(&request);
  return kOk;
}

const Registration registration(
    {"help", "open a page of the suite's help",
     "usage: quarn help [--home DIR] FILE [PAGE] [TOPIC]\n"
     "\n"
     "Runs HTMLHELP: starts \"wscript HOME\\openhelps.vbs FILE PAGE#TOPIC\" without\n"
     "waiting, HOME being the home folder. wscript is the program map's script host, which\n"
     "runs HOME/openhelps(.sh) or opens PAGE with the desktop's opener. When nothing can\n"
     "be started, HTMLHELP shows \"Unable to open helps, contact support.\" on standard\n"
     "error (it reports nothing else, so the exit status is 0).\n"
     "\n"
     "  --home DIR   the suite's home folder\n",
     &run});

}  // namespace
}  // namespace quarn::cli
