// ENLOOKUP: the library's stand-in for the suite's lookup form, which ORGEDIT opens for
// the master-organisation id through EN-GLOBAL-EXTERNAL-WS. It lists the ids and names of
// "ENLOOKUP.TXT" in the home folder (one "ID NAME" a line). An id given in full (mode "I")
// that the list holds is taken at once; otherwise the user chooses from the list (with no
// list there is nothing to choose, and the lookup returns at once). An
// application puts its own lookup in its place with quarn_set_lookup_program().
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/enlookup/enlookup.hpp"
#include "forms/form_call.hpp"
#include "forms/loader.hpp"
#include "frame/codec.hpp"
#include "frame/declare.hpp"
#include "frame/external.hpp"
#include "frame/misc_area.hpp"
#include "frame/program.hpp"
#include "platform/lineseq.hpp"

namespace quarn {
namespace {

constexpr std::string_view kListFile = "ENLOOKUP.TXT";
constexpr std::string_view kList = "Lookup-CmList";
constexpr std::string_view kOk = "Lookup-OK-CmBtn";
constexpr std::string_view kCancel = "Lookup-CANCEL-CmBtn";

using K = forms::ControlKind;
constexpr std::array<forms::ControlDef, 4> kControls{{
    {"Lookup-CmStatic", K::kLabel, "&Organizations", "", {8, 8, 384, 20}},
    {kList, K::kList, "", "Choose the organization", {8, 30, 384, 220}},
    {kOk, K::kButton, "&OK", "", {202, 260, 90, 30}},
    {kCancel, K::kButton, "&Cancel", "", {302, 260, 90, 30}},
}};
constexpr forms::FormDef kForm{"EnLookup", "Organization Lookup", 400, 300, kControls, kOk,
                               kCancel};

std::atomic<QuarnLookupProgram> replacement{nullptr};

struct Entry {
  std::string id;
  std::string name;
};

std::vector<Entry> read_list() {
  std::vector<Entry> entries;
  QuarnXMiscExternalWs* misc = frame::misc_area();
  if (misc == nullptr) return entries;
  platform::lineseq::LineReader reader;
  if (reader.open(frame::home_folder(*misc) + std::string(kListFile)) != platform::status::kOk)
    return entries;
  std::string line;
  while (reader.read(line) == platform::status::kOk) {
    const std::string_view text(line);
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) continue;
    const std::size_t end = text.find(' ', begin);
    const std::string_view id = text.substr(begin, end - begin);
    std::string_view name = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    entries.push_back({std::string(id.substr(0, 20)), std::string(name)});
  }
  return entries;
}

void choose(QuarnEnGlobalExternalWs& en, const Entry& entry) {
  frame::put_text(en.en_id, entry.id);
  frame::put_text(en.en_name, entry.name);
  en.en_status[0] = '0';
}

class LookupEvents final : public forms::FormEvents {
 public:
  LookupEvents(QuarnEnGlobalExternalWs& en, std::vector<Entry> entries)
      : en_(en), entries_(std::move(entries)) {}

  void load(forms::Form& form) override {
    const std::string_view given = frame::trimmed(en_.en_id);
    std::int64_t preset = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      form.add_item(kList, entries_[i].id + "  " + entries_[i].name);
      if (preset < 0 && !given.empty() && entries_[i].id.starts_with(given))
        preset = static_cast<std::int64_t>(i);
    }
    form.set_control_property(kList, forms::property::kListIndex, forms::Value(preset));
    form.set_focus(kList);
  }

  void click(forms::Form& form, std::string_view name) override {
    if (name == kOk) {
      const std::int64_t index =
          forms::control_number(form, kList, forms::property::kListIndex, -1);
      if (index < 0 || index >= static_cast<std::int64_t>(entries_.size())) return;
      choose(en_, entries_[static_cast<std::size_t>(index)]);
      form.end();
    } else if (name == kCancel) {
      form.end();
    }
  }

 private:
  QuarnEnGlobalExternalWs& en_;
  std::vector<Entry> entries_;
};

std::int32_t enlookup() {
  if (QuarnLookupProgram other = replacement.load()) return other();
  auto* en = frame::external<QuarnEnGlobalExternalWs>("EN-GLOBAL-EXTERNAL-WS");
  if (en == nullptr) return 0;
  std::vector<Entry> entries = read_list();
  if (entries.empty()) return 0;  // nothing to choose from: nothing chosen
  if (en->en_mode[0] == 'I') {
    const std::string_view given = frame::trimmed(en->en_id);
    for (const Entry& entry : entries) {
      if (entry.id != given) continue;
      choose(*en, entry);
      return 0;
    }
  }
  LookupEvents events(*en, std::move(entries));
  forms::form_runtime().run_form(kForm, events, {});
  return 0;
}

}  // namespace

QuarnLookupProgram forms::set_lookup_program(QuarnLookupProgram program) {
  return replacement.exchange(program);
}

}  // namespace quarn

QUARN_PROGRAM((ENLOOKUP), quarn::enlookup, 0);
