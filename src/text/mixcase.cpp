// MIXCASE: upper-case text into mixed case, in word or sentence style, with the suite's
// abbreviations, address words and name suffixes put back as they are written.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The list words are 2 to 5 letters, the first a capital.
constexpr std::size_t kShortestWord = 2;
constexpr std::size_t kLongestWord = 5;

constexpr bool is_lower(char c) {
  return c >= 'a' && c <= 'z';
}
constexpr bool is_upper(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr char to_upper(char c) {
  return is_lower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

template <std::size_t N>
constexpr bool list_words_fit(const std::array<Entry, N>& list) {
  for (const Entry& entry : list) {
    const std::string_view word = entry.written;
    if (word.size() < kShortestWord || word.size() > kLongestWord || !is_upper(word[0]))
      return false;
    for (const char c : word) {
      if (!is_lower(c) && !is_upper(c)) return false;
    }
  }
  return true;
}
static_assert(list_words_fit(kGeneral) && list_words_fit(kAddress) && list_words_fit(kNames));

// ---- Eight bytes at a time ----
// The text is read as 64-bit numbers of eight bytes each ("lanes"), byte i in bits 8i to
// 8i+7 (the codec's loads and stores), so that one operation works on eight bytes. A
// test of the bytes answers with the high bit of each byte that passes.
using Lanes = std::uint64_t;
constexpr std::size_t kLaneBytes = sizeof(Lanes);
constexpr Lanes kEveryByte = 0x0101010101010101;
constexpr Lanes kHighBits = kEveryByte * 0x80;
constexpr Lanes kSevenBits = ~kHighBits;
// The bit that tells a letter's cases apart ('a' - 'A'); a test's high bit >> 2 is that bit.
constexpr char kCaseBit = 'a' - 'A';
constexpr Lanes kCaseBits = kEveryByte * kCaseBit;
constexpr int kHighToCase = 2;

Lanes load(const char* at) {
  return frame::digits::load_bytes(at, kLaneBytes);
}
void store(char* at, Lanes lanes) {
  frame::digits::store_bytes(at, lanes, kLaneBytes);
}

// The letters A-Z and a-z. With the case bit set a capital reads as its small letter. The
// sums are made on the low seven bits of each byte, so none carries into the next byte; a
// byte of 0x80 or more never passes.
constexpr Lanes letters(Lanes lanes) {
  const Lanes folded = (lanes | kCaseBits) & kSevenBits;
  const Lanes from_a = folded + kEveryByte * (0x80 - 'a');
  const Lanes after_z = folded + kEveryByte * (0x7F - 'z');
  return from_a & ~after_z & ~lanes & kHighBits;
}
// The bytes equal to `c`: those that the exclusive or makes zero. Adding 0x7F to the low
// seven bits sets the high bit of every byte but a zero one, again without a carry.
constexpr Lanes bytes_equal(Lanes lanes, char c) {
  const Lanes zero_where_equal = lanes ^ kEveryByte * static_cast<unsigned char>(c);
  return ~(((zero_where_equal & kSevenBits) + kSevenBits) | zero_where_equal) & kHighBits;
}
// A test's answer as eight bits, bit i for byte i: the multiplication adds up copies of the
// high bits shifted so that the high bit of byte i lands on bit 56 + i, and every other copy
// below bit 56 or past bit 63 (they never meet, so nothing carries).
constexpr Lanes byte_bits(Lanes high_bits) {
  return high_bits * 0x0002040810204081 >> 56;
}

// ---- The list words' index ----
// A word's key is its letters in capitals, in the places they have in a lane: the list
// words are 2 to 5 letters, so equal keys mean equal words. One table holds every word of
// the three lists at a slot of its own, found from the key by a multiplication (a perfect
// hash, its multiplier found at compile time), so that a word is looked up once for all
// the lists, and says what putting the word back takes wherever it stands.
constexpr Lanes key_of(std::string_view word) {
  Lanes key = 0;
  for (std::size_t i = 0; i < word.size(); ++i)
    key |= Lanes{static_cast<unsigned char>(to_upper(word[i]))} << 8 * i;
  return key;
}

// Which lists are in play: the exception set.
enum class Lists { kGeneral, kGeneralAndAddress, kGeneralAndNames };
constexpr Lists lists_of(char exception_set) {
  return exception_set == 'A'   ? Lists::kGeneralAndAddress
         : exception_set == 'N' ? Lists::kGeneralAndNames
                                : Lists::kGeneral;
}

// Where a word stands decides whether it is put back: the lists in play, the style and
// whether it starts the text. Each such situation has a number, 0 to 11.
constexpr std::size_t kSituations = 12;
constexpr std::size_t situation(Lists lists, bool word_style, bool first) {
  return static_cast<std::size_t>(lists) * 4 + (word_style ? 2 : 0) + (first ? 1 : 0);
}

// The entry if it applies where the word stands, or null.
constexpr const Entry* applying(const Entry* entry, bool first, bool word_style) {
  if (entry == nullptr) return nullptr;
  if (entry->place != Place::kAnywhere && first) return nullptr;
  if (entry->place == Place::kWordStyleNotFirst && !word_style) return nullptr;
  return entry;
}

// Whether a word with these entries (null where a list lacks it) is put back: the general
// list first, then the address list when it is in play, or the names in word style.
constexpr bool put_back(const Entry* general, const Entry* address, const Entry* names, Lists lists,
                        bool word_style, bool first) {
  const Entry* entry = applying(general, first, word_style);
  if (entry == nullptr && lists == Lists::kGeneralAndAddress) {
    entry = applying(address, first, word_style);
  } else if (entry == nullptr && lists == Lists::kGeneralAndNames && word_style) {
    entry = applying(names, first, word_style);
  }
  return entry != nullptr;
}

struct Slot {
  Lanes key = 0;  // 0: no word here
  // In each situation, bit i set where the word put back needs a capital at its letter i
  // that the conversion did not give it; none where it is not put back.
  std::array<std::uint8_t, kSituations> capitals_due{};
};

// 256 slots for the 45 words: room enough that a multiplier giving each word a slot of its
// own turns up within a few tries, which keeps the work at compile time small.
constexpr int kIndexBits = 8;
struct Index {
  Lanes multiplier = 0;
  std::array<Slot, std::size_t{1} << kIndexBits> slots{};

  constexpr std::size_t slot_of(Lanes key) const {
    return static_cast<std::size_t>(key * multiplier >> (64 - kIndexBits));
  }
};

// The entry of the word with this key in a list, or null.
template <std::size_t N>
constexpr const Entry* entry_in(const std::array<Entry, N>& list, Lanes key) {
  for (const Entry& entry : list) {
    if (key_of(entry.written) == key) return &entry;
  }
  return nullptr;
}

constexpr Index build_index() {
  // Every word once, whatever lists it is in.
  std::array<Lanes, kGeneral.size() + kAddress.size() + kNames.size()> keys{};
  std::size_t count = 0;
  const auto gather = [&](const auto& list) {
    for (const Entry& entry : list) {
      const Lanes key = key_of(entry.written);
      if (std::find(keys.begin(), keys.begin() + count, key) == keys.begin() + count)
        keys[count++] = key;
    }
  };
  gather(kGeneral);
  gather(kAddress);
  gather(kNames);

  Index index;
  for (Lanes odd = 1;; odd += 2) {
    if (odd > 1'000) throw "no multiplier gives every list word a slot of its own";
    index.multiplier = 0x9E3779B97F4A7C15 * odd;  // the golden ratio's bits, spread further
    std::array<bool, std::size_t{1} << kIndexBits> taken{};
    bool distinct = true;
    for (std::size_t i = 0; i < count && distinct; ++i) {
      bool& slot_taken = taken[index.slot_of(keys[i])];
      distinct = !slot_taken;
      slot_taken = true;
    }
    if (distinct) break;
  }

  for (std::size_t i = 0; i < count; ++i) {
    const Entry* general = entry_in(kGeneral, keys[i]);
    const Entry* address = entry_in(kAddress, keys[i]);
    const Entry* names = entry_in(kNames, keys[i]);
    const Entry* any = general != nullptr ? general : address != nullptr ? address : names;
    // A word in more than one list is written the same in each.
    for (const Entry* entry : {general, address, names}) {
      if (entry != nullptr && entry->written != any->written)
        throw "a word is written differently in two lists";
    }
    unsigned capitals = 0;
    for (std::size_t letter = 0; letter < any->written.size(); ++letter) {
      if (is_upper(any->written[letter])) capitals |= 1u << letter;
    }
    Slot& slot = index.slots[index.slot_of(keys[i])];
    slot.key = keys[i];
    for (const Lists lists :
         {Lists::kGeneral, Lists::kGeneralAndAddress, Lists::kGeneralAndNames}) {
      for (const bool word_style : {false, true}) {
        for (const bool first : {false, true}) {
          if (!put_back(general, address, names, lists, word_style, first)) continue;
          // Word style gave the first letter its capital already.
          slot.capitals_due[situation(lists, word_style, first)] =
              static_cast<std::uint8_t>(word_style ? capitals & ~1u : capitals);
        }
      }
    }
  }
  return index;
}
constexpr Index kIndex = build_index();

// ---- The conversion ----
// One pass over the text, eight bytes at a time, writes every letter small (and, in word
// style, every word's first letter a capital) and marks, one bit for each byte, where the
// spaces, letters and full stops are. The capitals still due are few and are put in from
// the marks: the sentences' first letters, then the list words' capitals.
constexpr std::size_t kTextWidth = sizeof(QuarnMixcaseRecord::mc_text);
constexpr std::size_t kTextLanes = (kTextWidth + kLaneBytes - 1) / kLaneBytes;

// The text worked on: the field's bytes, then spaces, which stand for its end, with room for
// eight bytes read from any byte of the field.
using Padded = std::array<char, (kTextLanes + 1) * kLaneBytes>;

// One bit for each byte of the text, bit i for byte i.
__extension__ typedef unsigned __int128 Bits;
static_assert(sizeof(Padded) <= sizeof(Bits) * 8);
constexpr Bits bit(std::size_t at) {
  return Bits{1} << at;
}
std::size_t lowest_bit(Bits bits) {
  const auto low = static_cast<Lanes>(bits);
  const int at =
      low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<Lanes>(bits >> 64));
  return static_cast<std::size_t>(at);
}
// Calls visit(at) for every bit set, lowest first, a half at a time.
template <class Visit>
void for_each_bit(Bits bits, Visit visit) {
  const auto each = [&](Lanes half, std::size_t base) {
    for (; half != 0; half &= half - 1)
      visit(base + static_cast<std::size_t>(std::countr_zero(half)));
  };
  each(static_cast<Lanes>(bits), 0);
  each(static_cast<Lanes>(bits >> 64), 64);
}

// What the text holds where; the bytes after the field count as spaces.
struct Marks {
  Bits spaces = 0;
  Bits letters = 0;
  Bits full_stops = 0;  // in sentence style only
};

// Writes the source into `converted` with every letter small, and in word style with the
// first letter of every word a capital; returns the source's marks.
Marks convert_case(const Padded& source, Padded& converted, bool word_style) {
  Marks marks;
  Lanes letters_before = 0;  // of the lane before: none before the text
  // Sixty-four bits of marks at a time, eight a lane: shifting all 128 bits by a varying
  // count would cost several operations a lane.
  for (std::size_t half = 0; half < 2; ++half) {
    Lanes spaces = 0;
    Lanes letters_seen = 0;
    Lanes full_stops = 0;
    for (std::size_t in_half = 0; in_half < 8; ++in_half) {
      const std::size_t at = (8 * half + in_half) * kLaneBytes;
      if (at >= kTextWidth) break;
      const Lanes lanes = load(source.data() + at);
      const Lanes letter = letters(lanes);
      Lanes small = lanes | letter >> kHighToCase;
      if (word_style) {
        // A letter after anything but a letter starts a word.
        const Lanes capital = letter & ~(letter << 8 | letters_before >> 56);
        small &= ~(capital >> kHighToCase);
      } else {
        full_stops |= byte_bits(bytes_equal(lanes, '.')) << 8 * in_half;
      }
      letters_before = letter;
      spaces |= byte_bits(bytes_equal(lanes, ' ')) << 8 * in_half;
      letters_seen |= byte_bits(letter) << 8 * in_half;

      store(converted.data() + at, small);
    }
    marks.spaces |= Bits{spaces} << 64 * half;
    marks.letters |= Bits{letters_seen} << 64 * half;
    marks.full_stops |= Bits{full_stops} << 64 * half;
  }
  marks.spaces |= ~Bits{0} << kTextWidth;
  return marks;
}

// Sentence style: the first byte of the text, and the first byte that is not a space after
// each full stop but one that starts the text, into a capital (a byte that is no letter
// stays as it is). Returns where they are.
Bits capitalise_sentences(Padded& converted, const Marks& marks) {
  Bits capitals = bit(0);
  converted[0] = to_upper(converted[0]);
  for_each_bit(marks.full_stops & ~bit(0), [&](std::size_t stop) {
    const Bits after = ~marks.spaces & ~(bit(stop + 1) - 1);
    if (after == 0) return;
    const std::size_t at = lowest_bit(after);
    capitals |= bit(at);
    converted[at] = to_upper(converted[at]);
  });
  return capitals;
}

// Puts back the list words as written. Only a whole word counts: it starts the text or
// follows a space, and a space or the end of the field follows it (the last word of a full
// field counts as followed by the padding it has no room for). Punctuation is part of a
// word, so "Ne," is not "NE". A list word is taken in the case the conversion gave it, all
// small letters but the first, which may be a capital: so a list word that starts a
// sentence is put back too. Putting it back is giving capitals to the letters written so.
void put_back_list_words(const Padded& source, Padded& converted, const Marks& marks, Bits capitals,
                         Lists lists, bool word_style) {
  const Bits small_letters = marks.letters & ~capitals;
  const std::size_t where = situation(lists, word_style, false);
  // The places where a word of each length may be a list word, for all places at once: a
  // letter first in the text or after a space, then small letters, then a space.
  Bits run = marks.letters & (marks.spaces << 1 | bit(0));
  for (std::size_t length = 1; length <= kLongestWord; ++length) {
    if (length >= kShortestWord) {
      const Lanes in_capitals = ((Lanes{1} << 8 * length) - 1) & ~kCaseBits;
      for_each_bit(run & marks.spaces >> length, [&](std::size_t at) {
        const Lanes key = load(source.data() + at) & in_capitals;
        const Slot& slot = kIndex.slots[kIndex.slot_of(key)];
        if (slot.key != key) return;
        for (unsigned due = slot.capitals_due[where + (at == 0 ? 1 : 0)]; due != 0;
             due &= due - 1) {
          // A small letter: its capital is without the case bit.
          converted[at + static_cast<std::size_t>(std::countr_zero(due))] &= ~kCaseBit;
        }
      });
    }
    run &= small_letters >> length;
  }
}

std::int32_t mixcase(QuarnMixcaseRecord* passed) {
  auto& record = *passed;
  const frame::Field text(record.mc_text);
  const bool word_style = record.mc_style[0] != 'S';

  Padded source;
  std::memcpy(source.data(), text.data(), kTextWidth);
  std::memset(source.data() + kTextWidth, ' ', source.size() - kTextWidth);
  Padded converted;
  const Marks marks = convert_case(source, converted, word_style);
  const Bits capitals = word_style ? marks.letters & ~(marks.letters << 1)  // as convert_case
                                   : capitalise_sentences(converted, marks);
  put_back_list_words(source, converted, marks, capitals, lists_of(record.mc_exception_set[0]),
                      word_style);

  std::memcpy(text.data(), converted.data(), kTextWidth);
  frame::clear(record.mc_style);
  frame::clear(record.mc_exception_set);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((MIXCASE), quarn::mixcase, 1, (record, QuarnMixcaseRecord));
