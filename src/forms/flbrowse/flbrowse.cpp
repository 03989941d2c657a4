// FLBROWSE: the open-file dialog, started in the remembered folder (or the home folder's
// data folder), over the browse fields of X-MISC-EXTERNAL-WS. Its form has no controls of
// its own, so the dialog opens directly.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "forms/form_call.hpp"
#include "forms/loader.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

constexpr std::size_t kWorkWidth = 128;
constexpr std::size_t kFileBuffer = 256;  // the longest path the dialog can hand back is 255

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

struct State {
  std::array<char, kFileBuffer> file{};  // the chosen path, zero-padded
  std::array<char, kWorkWidth> work{};   // the start folder being checked
  std::array<char, sizeof(QuarnXMiscExternalWs::xm_browse_title) + 1> title{};
};
State state;

// CHECKPATH by name on the work field; blanks it unless the folder can be written to.
void keep_if_writable(std::array<char, kWorkWidth>& work) {
  QuarnCheckpathRecord check;
  std::memcpy(check.cp_path, work.data(), sizeof check.cp_path);
  check.cp_create_flag[0] = ' ';
  frame::put_text(check.cp_status, "");
  void* params[] = {&check};
  if (!frame::call_by_name("CHECKPATH", params) || frame::text_of(check.cp_status) != "00")
    frame::clear(work);
}

// The dialog's initial folder: the work field up to its last character, without a final
// separator ("C:\DATA\ORG\" gives "C:\DATA\ORG", "C:\" gives "C:"); a root stays a root.
std::string initial_folder(const std::array<char, kWorkWidth>& work) {
  std::string_view folder(work.data(), work.size());
  folder = folder.substr(0, folder.find('\0'));
  const std::size_t last = folder.find_last_not_of(' ');
  if (last == std::string_view::npos) return {};
  folder = folder.substr(0, last + 1);
  if (folder.size() > 1 && is_separator(folder.back())) folder.remove_suffix(1);
  return std::string(folder);
}

// The filter pairs of a 128-byte filter in the dialog's form: description and pattern,
// each ended by a zero byte, the list ended by an empty description.
std::vector<std::pair<std::string, std::string>> filter_pairs(frame::ConstField filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string_view rest = frame::text_of(filter);
  while (true) {
    const std::size_t description_end = rest.find('\0');
    if (description_end == std::string_view::npos || description_end == 0) break;
    const std::string_view description = rest.substr(0, description_end);
    rest.remove_prefix(description_end + 1);
    const std::size_t pattern_end = rest.find('\0');
    if (pattern_end == std::string_view::npos) break;  // a pattern cut off by the field's end
    pairs.emplace_back(description, rest.substr(0, pattern_end));
    rest.remove_prefix(pattern_end + 1);
  }
  return pairs;
}

std::int32_t flbrowse(QuarnFormOwner* owner, std::int32_t* modal_style, std::int32_t* outcome,
                      QuarnFormPlace* place, char* runtime_name) {
  const forms::FormCall call(owner, modal_style, outcome, place, runtime_name);
  QuarnXMiscExternalWs* misc = frame::misc_area();
  forms::Runtime& runtime = forms::form_runtime();
  if (misc == nullptr) {
    call.finish(false, call.options().place, runtime.kind());
    return 0;
  }

  // 1. The file buffer is cleared; the title is all of its 32 characters.
  state.file.fill('\0');
  std::memcpy(state.title.data(), misc->xm_browse_title, sizeof misc->xm_browse_title);
  state.title.back() = '\0';

  // 2. The remembered folder, when it can still be written to.
  state.work.fill(' ');
  std::memcpy(state.work.data(), misc->xm_browse_folder, sizeof misc->xm_browse_folder);
  if (!frame::is_blank(state.work)) keep_if_writable(state.work);

  // 3. Else the home folder's data folder, checked the same way.
  if (frame::is_blank(state.work)) {
    const int length = frame::read_be16(misc->xm_folder_length);
    const std::size_t count =
        static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(kWorkWidth)));
    std::string folder(misc->xm_home_folder, std::min(count, sizeof misc->xm_home_folder));
    folder = folder.substr(0, folder.find('\0'));
    folder += !folder.empty() && folder.back() == '\\' ? "DATA\\" : "DATA/";
    frame::put_text(state.work, folder);
    keep_if_writable(state.work);
  }

  // 4-5. The dialog, with the filter pairs of XM-BROWSE-PATH.
  forms::OpenFileRequest request;
  request.title = std::string(state.title.data(), std::strlen(state.title.data()));
  request.filters = filter_pairs(misc->xm_browse_path);
  request.initial_folder = initial_folder(state.work);
  const std::optional<std::string> chosen = runtime.open_file(request);
  // A path that does not fit the file buffer is a dialog error, as a too small buffer is.
  const bool ok = chosen && !chosen->empty() && chosen->size() < kFileBuffer;

  // 6-8. The result, the path and the folder it is in.
  frame::write_unsigned(misc->xm_browse_result, ok ? 1 : 0);
  if (!ok) {
    frame::clear(misc->xm_browse_path);
  } else {
    std::copy(chosen->begin(), chosen->end(), state.file.begin());
    std::memcpy(misc->xm_browse_path, state.file.data(), sizeof misc->xm_browse_path);
    const std::string_view path(misc->xm_browse_path, sizeof misc->xm_browse_path);
    // The last separator from position 128 down to position 3.
    for (std::size_t i = path.size(); i-- > 2;) {
      if (!is_separator(path[i])) continue;
      frame::put_text(misc->xm_browse_folder, path.substr(0, i + 1));
      break;
    }
  }
  call.finish(ok, call.options().place, runtime.kind());
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((FLBROWSE), quarn::flbrowse, 0, (owner, QuarnFormOwner), (modal_style, std::int32_t),
              (outcome, std::int32_t), (place, QuarnFormPlace), (runtime, char[8]));
