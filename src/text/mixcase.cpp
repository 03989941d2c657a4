// MIXCASE: upper-case text into mixed case, in word or sentence style, with the suite's
// abbreviations, address words and name suffixes put back as they are written.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "frame/codec.hpp"
#include "frame/declare.hpp"
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

constexpr bool is_upper(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr bool is_lower(char c) {
  return c >= 'a' && c <= 'z';
}
constexpr bool is_letter(char c) {
  return is_upper(c) || is_lower(c);
}
constexpr char to_upper(char c) {
  return is_lower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char to_lower(char c) {
  return is_upper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// A word's letters in capitals, one byte each, as one number: the words of the lists are
// 2 to 5 letters, so equal keys mean equal words.
constexpr std::uint64_t key_of(std::string_view word) {
  std::uint64_t key = 0;
  for (const char c : word)
    key = key << 8 | static_cast<unsigned char>(to_upper(c));
  return key;
}

// A list's keys in ascending order, each with its entry, for a binary search.
struct Keyed {
  std::uint64_t key;
  const Entry* entry;
};
template <std::size_t N>
constexpr std::array<Keyed, N> keyed(const std::array<Entry, N>& list) {
  std::array<Keyed, N> keys{};
  for (std::size_t i = 0; i < N; ++i)
    keys[i] = {key_of(list[i].written), &list[i]};
  std::sort(keys.begin(), keys.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  return keys;
}
constexpr auto kGeneralKeys = keyed(kGeneral);
constexpr auto kAddressKeys = keyed(kAddress);
constexpr auto kNameKeys = keyed(kNames);

// The list entry for a word, or null.
template <std::size_t N>
const Entry* find_entry(const std::array<Keyed, N>& keys, std::uint64_t key, bool first,
                        bool word_style) {
  const auto it =
      std::lower_bound(keys.begin(), keys.end(), key,
                       [](const Keyed& k, std::uint64_t wanted) { return k.key < wanted; });
  if (it == keys.end() || it->key != key) return nullptr;
  const Entry& entry = *it->entry;
  if (entry.place != Place::kAnywhere && first) return nullptr;
  if (entry.place == Place::kWordStyleNotFirst && !word_style) return nullptr;
  return &entry;
}

// After the basic conversion a list word reads in lower case, or with a capital first
// letter where the conversion gave it one (word style capitalises every word, sentence
// style the first word of the text and of each sentence). Both forms are taken, so that a
// list word that starts a sentence is put back too.
bool may_be_list_word(std::string_view word) {
  if (word.size() < kShortestWord || word.size() > kLongestWord || !is_letter(word[0]))
    return false;
  return std::all_of(word.begin() + 1, word.end(), is_lower);
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
    if (may_be_list_word(word)) {
      const std::uint64_t key = key_of(word);
      const bool first = at == 0;
      const Entry* entry = find_entry(kGeneralKeys, key, first, word_style);
      if (entry == nullptr && exception_set == 'A') {
        entry = find_entry(kAddressKeys, key, first, word_style);
      } else if (entry == nullptr && exception_set == 'N' && word_style) {
        entry = find_entry(kNameKeys, key, first, word_style);
      }
      if (entry != nullptr)
        std::copy(entry->written.begin(), entry->written.end(), text.begin() + at);
    }
    at = end;
  }
}

std::int32_t mixcase(QuarnMixcaseRecord* passed) {
  auto& record = *passed;
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

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((MIXCASE), quarn::mixcase, 1, (record, QuarnMixcaseRecord));
