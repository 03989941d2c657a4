#include "forms/shared/form_services.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "frame/codec.hpp"

#include "frame/program.hpp"
#include "platform/process.hpp"
#include "quarn/quarn-m.h"
#include "system/start_request.hpp"

namespace quarn::forms {

bool open_form(std::string_view program) {
  return frame::call_by_name(program, {});
}

void open_help(std::string_view help_file, std::string_view page, std::string_view topic) {
  QuarnHelpRequest request;
  std::memset(&request, ' ', sizeof request);
  frame::put_text(request.hr_help_file, help_file);
  frame::put_text(request.hr_page, page);
  frame::put_text(request.hr_topic, topic);
  void* params[] = {&request};
  frame::call_by_name("HTMLHELP", params);
}

bool print_form(Form& form, std::string_view base) {
  const std::optional<std::string> picture = form.capture(base);
  if (!picture) return false;
  system::StartRequest start{};
  // Quoted so that a space or a quote in the home folder's name cannot split the picture's
  // path or add arguments.
  return start.run("PRINTIMAGE " + platform::process::quoted_argument(*picture, true), 1, 0) != 0;
}

void put_filter(std::span<char> field, std::string_view filter) {
  std::fill(field.begin(), field.end(), '\0');
  const auto next_part = [&filter] {
    const std::size_t bar = filter.find('|');
    const std::string_view part = filter.substr(0, bar);
    filter = bar == std::string_view::npos ? std::string_view{} : filter.substr(bar + 1);
    return part;
  };
  std::size_t at = 0;
  while (!filter.empty()) {
    const std::string_view description = next_part();
    const std::string_view pattern = next_part();
    // Both parts with their zero bytes, and room for the list's final zero byte.
    if (at + description.size() + pattern.size() + 3 > field.size()) break;
    for (const std::string_view part : {description, pattern}) {
      std::copy(part.begin(), part.end(), field.begin() + static_cast<std::ptrdiff_t>(at));
      at += part.size() + 1;
    }
  }
}

std::string_view open_file_prompt(char code) {
  constexpr std::array<std::pair<char, std::string_view>, 7> kPrompts{{
      {'1', "** Please select an address book from the file menu to begin **"},
      {'2', "** Please select a donations file set from the file menu to begin **"},
      {'3', "** Please select a ledger from the file menu to begin **"},
      {'4', "** Please select an asset file from the file menu to begin **"},
      {'5', "** Please select a remittance file set from the file menu to begin **"},
      {'8', "** Please use the file menu to select an ORGFILE to begin **"},
      {'9', "** Please select a report control file from the file menu to begin **"},
  }};
  for (const auto& [c, text] : kPrompts)
    if (c == code) return text;
  return "** Please use the file menu to select a file to begin **";
}

}  // namespace quarn::forms
