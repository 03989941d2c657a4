// MIXCASE: upper-case text into mixed case, in word or sentence style, with the suite's
// abbreviations, address words and name suffixes put back as they are written.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/export.hpp"
#include "frame/program.hpp"

namespace quarn {
namespace {

// Where an entry of a list applies.
enum class Place {
  kAnywhere,           // any whole word, in both styles
  kNotFirst,           // a whole word after a space, never the one that starts the text
  kWordStyleNotFirst,  // as kNotFirst, and in word style only
};

struct Entry {
  std::string_view written;  // the form put into the text; the word is its upper case
  Place place;
};

constexpr std::array<Entry, 28> kGeneral{{
    {"UPS", Place::kAnywhere},  {"USPS", Place::kAnywhere},  {"SE", Place::kAnywhere},
    {"NE", Place::kAnywhere},   {"SW", Place::kAnywhere},    {"NW", Place::kAnywhere},
    {"NSF", Place::kAnywhere},  {"IRS", Place::kAnywhere},   {"NWYC", Place::kAnywhere},
    {"ABC", Place::kAnywhere},  {"FHES", Place::kAnywhere},  {"HHES", Place::kAnywhere},
    {"WWC", Place::kAnywhere},  {"LLU", Place::kAnywhere},   {"SWUC", Place::kAnywhere},
    {"SUC", Place::kAnywhere},  {"PUC", Place::kAnywhere},   {"NPUC", Place::kAnywhere},
    {"MAU", Place::kAnywhere},  {"VAZ", Place::kAnywhere},   {"CUC", Place::kAnywhere},
    {"AUC", Place::kAnywhere},  {"NADEI", Place::kAnywhere}, {"NAD", Place::kAnywhere},
    {"ADRA", Place::kAnywhere}, {"GCAS", Place::kAnywhere},  {"GC", Place::kAnywhere},
    {"SDA", Place::kAnywhere},
}};

constexpr std::array<Entry, 5> kAddress{{
    {"RR", Place::kAnywhere},
    {"PO", Place::kAnywhere},
    {"POBox", Place::kAnywhere},
    {"Box", Place::kAnywhere},
    {"MD", Place::kWordStyleNotFirst},
}};

// Applied in word style only.
constexpr std::array<Entry, 13> kNames{{
    {"III", Place::kNotFirst},
    {"II", Place::kNotFirst},
    {"IV", Place::kNotFirst},
    {"LLd", Place::kNotFirst},
    {"JD", Place::kNotFirst},
    {"CPA", Place::kNotFirst},
    {"DMin", Place::kNotFirst},
    {"MDiv", Place::kNotFirst},
    {"EdD", Place::kNotFirst},
    {"PhD", Place::kNotFirst},
    {"DDS", Place::kNotFirst},
    {"DO", Place::kNotFirst},
    {"MD", Place::kNotFirst},
}};

// Lengths of the list words.
constexpr std::size_t kShortestWord = 2;
constexpr std::size_t kLongestWord = 5;

template <std::size_t N>
constexpr bool lengths_within(const std::array<Entry, N>& list) {
  for (const Entry& entry : list) {
    if (entry.written.size() < kShortestWord || entry.written.size() > kLongestWord) return false;
  }
  return true;
}
static_assert(lengths_within(kGeneral) && lengths_within(kAddress) && lengths_within(kNames));

bool is_upper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool is_lower(char c) {
  return c >= 'a' && c <= 'z';
}
bool is_letter(char c) {
  return is_upper(c) || is_lower(c);
}
char to_upper(char c) {
  return is_lower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
char to_lower(char c) {
  return is_upper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// The list entry for a word as the basic conversion left it, or null. After that
// conversion a word reads in lower case, or with a capital first letter where the
// conversion gave it one (word style capitalises every word, sentence style the first
// word of the text and of each sentence); both forms are taken, so that a list word that
// starts a sentence is put back too.
template <std::size_t N>
const Entry* find_entry(const std::array<Entry, N>& list, std::string_view word, bool first,
                        bool word_style) {
  for (const Entry& entry : list) {
    if (entry.written.size() != word.size()) continue;
    if (entry.place != Place::kAnywhere && first) continue;
    if (entry.place == Place::kWordStyleNotFirst && !word_style) continue;
    if (to_upper(word[0]) != to_upper(entry.written[0])) continue;
    bool same = true;
    for (std::size_t i = 1; i < word.size() && same; ++i)
      same = word[i] == to_lower(entry.written[i]);
    if (same) return &entry;
  }
  return nullptr;
}

// Puts back every list word of the text. Only a whole word counts: it starts the text or
// follows a space, and a space or the end of the field follows it (the last word of a
// full field counts as followed by the padding it has no room for). Punctuation is part of
// a word, so "Ne," is not "NE".
void restore_list_words(frame::Field text, char exception_set, bool word_style) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && text[end] != ' ')
      ++end;
    const std::string_view word(text.data() + at, end - at);
    if (word.size() >= kShortestWord && word.size() <= kLongestWord) {
      const bool first = at == 0;
      const Entry* entry = find_entry(kGeneral, word, first, word_style);
      if (entry == nullptr && exception_set == 'A') {
        entry = find_entry(kAddress, word, first, word_style);
      } else if (entry == nullptr && exception_set == 'N' && word_style) {
        entry = find_entry(kNames, word, first, word_style);
      }
      if (entry != nullptr)
        std::copy(entry->written.begin(), entry->written.end(), text.begin() + at);
    }
    at = end;
  }
}

std::int32_t mixcase(void* const* params) {
  auto& record = *static_cast<QuarnMixcaseRecord*>(params[0]);
  const frame::Field text(record.mc_text);
  const bool word_style = record.mc_style[0] != 'S';
  const char exception_set = record.mc_exception_set[0];

  if (frame::trimmed(text).empty()) {
    frame::clear(record.mc_style);
    frame::clear(record.mc_exception_set);
    return 0;
  }

  std::transform(text.begin(), text.end(), text.begin(), to_lower);
  text[0] = to_upper(text[0]);
  if (word_style) {
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (is_letter(text[i]) && !is_letter(text[i - 1])) text[i] = to_upper(text[i]);
    }
  } else {
    bool capital_due = false;
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (capital_due && text[i] != ' ') {
        text[i] = to_upper(text[i]);
        capital_due = false;
      }
      if (text[i] == '.') capital_due = true;
    }
  }

  restore_list_words(text, exception_set, word_style);

  frame::clear(record.mc_style);
  frame::clear(record.mc_exception_set);
  return 0;
}

frame::Program program({"MIXCASE", 1, 1, {sizeof(QuarnMixcaseRecord)}, &mixcase});

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_MIXCASE(QuarnMixcaseRecord* record) {
  return quarn::program.enter_exported({record});
}
QUARN_EXPORT_AS(QUARN_MIXCASE, "MIXCASE", quarn_mixcase_cobol);
