// CHECKPATH: whether files can be created in a folder, by creating and deleting a probe
// file there; can create the folder when it is missing.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/program.hpp"
#include "platform/files.hpp"

namespace quarn {
namespace {

constexpr std::string_view kProbeName = "CKPERK9CV.QNC";

std::int32_t checkpath(QuarnCheckpathRecord* passed) {
  auto& record = *passed;
  frame::Field status(record.cp_status);

  // The folder part: up to and including the last separator, in the path as far as its
  // first zero byte.
  std::string_view path(record.cp_path, sizeof record.cp_path);
  path = path.substr(0, path.find('\0'));
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) {
    frame::put_text(status, "79");
    return 0;
  }
  const std::string_view folder = path.substr(0, separator + 1);
  // The probe name is never cut short: a shorter name could be someone's file, which the
  // deletion below would remove.
  const std::string probe = std::string(folder) + std::string(kProbeName);

  platform::files::remove_file(probe);  // a leftover probe, or a link planted in its place
  int fd = -1;
  if (platform::files::create_new_file(probe, &fd) != platform::status::kOk) {
    const bool created = record.cp_create_flag[0] == 'Y' &&
                         platform::files::make_folder(folder) == platform::status::kOk;
    frame::put_text(status, created ? "73" : "74");
    return 0;
  }
  if (platform::files::close_file(fd) != platform::status::kOk) {
    frame::put_text(status, "75");
    return 0;
  }
  frame::put_text(status,
                  platform::files::remove_file(probe) == platform::status::kOk ? "00" : "75");
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((CHECKPATH), quarn::checkpath, 1, (record, QuarnCheckpathRecord));
