// MIXCASE: upper-case text into mixed case, in word or sentence style, with the suite's
// abbreviations, address words and name suffixes put back as they are written.
#include <emmintrin.h>
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "frame/block.hpp"
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
// The bit that tells a letter's cases apart.
constexpr char kCaseBit = 'a' - 'A';

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

// ---- Sixteen bytes at a time ----
// The text is tested and converted a block of sixteen bytes at a time (frame/block.hpp). A
// test answers with a mask, bit i for byte i of the block and no bit above those sixteen;
// write_case reads a mask's sixteen low bits only.
namespace block {

using frame::block::kBytes;
using frame::block::load;
using Mask = unsigned;

// 0xFF in the bytes that are letters, A-Z and a-z. With the case bit set a capital reads as
// its small letter; adding 0x80 - 'a' moves 'a'-'z', and no other byte, to 0x80-0x99, the
// lowest bytes read as signed.
__m128i letters(__m128i bytes) {
  const __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(kCaseBit));
  const __m128i moved = _mm_add_epi8(folded, _mm_set1_epi8(static_cast<char>(0x80 - 'a')));
  return _mm_cmplt_epi8(moved, _mm_set1_epi8(static_cast<char>(0x80 + 'z' - 'a' + 1)));
}

// Where the sixteen bytes at `at` hold letters.
Mask letters_at(const char* at) {
  return frame::block::mask(letters(load(at)));
}

// Where the sixteen bytes at `at` hold the byte c.
Mask bytes_at(const char* at, char c) {
  return frame::block::mask(frame::block::equal(load(at), c));
}

// Writes the sixteen bytes at `from` to `to` with every letter small but those whose bit is
// set in `capitals`, which become capitals; the other bytes stay as they are.
void write_case(const char* from, char* to, Mask capitals) {
  const __m128i bytes = load(from);
  // The mask's low byte into bytes 0-7 and its high byte into bytes 8-15; byte i then keeps
  // the bit of its own place (i mod 8) and is all ones where that bit is set.
  __m128i spread = _mm_cvtsi32_si128(capitals);
  spread = _mm_unpacklo_epi8(spread, spread);
  spread = _mm_unpacklo_epi16(spread, spread);
  spread = _mm_unpacklo_epi32(spread, spread);
  const __m128i place = _mm_set1_epi64x(0x8040201008040201);
  const __m128i capital = _mm_cmpeq_epi8(_mm_and_si128(spread, place), place);
  // Every letter's case bit set, then cleared again where a capital is due.
  const __m128i case_bits = _mm_and_si128(letters(bytes), _mm_set1_epi8(kCaseBit));
  const __m128i small = _mm_or_si128(bytes, case_bits);
  frame::block::store(to, _mm_xor_si128(small, _mm_and_si128(case_bits, capital)));
}

}  // namespace block

// ---- The list words' index ----
// A word's key is its letters in capitals as eight bytes read from the text (the codec's
// load), letter i in byte i and zeros after the word: the list words are 2 to 5 letters, so
// equal keys mean equal words. One table holds every word of the three lists at a slot of its
// own, found from the key by a multiplication (a perfect hash, its multiplier found at compile
// time), so that a word is looked up once for all the lists, and says where the word is put
// back and how it is written.
using Key = std::uint64_t;
constexpr std::size_t kKeyBytes = sizeof(Key);
// Every byte's case bit cleared: the letters read as capitals.
constexpr Key kInCapitals = ~(0x0101010101010101 * Key{kCaseBit});
// A word's letters as they stand, letter i in byte i and zeros after the word.
constexpr Key bytes_of(std::string_view word) {
  Key bytes = 0;
  for (std::size_t i = 0; i < word.size(); ++i)
    bytes |= Key{static_cast<unsigned char>(word[i])} << 8 * i;
  return bytes;
}
constexpr Key key_of(std::string_view word) {
  return bytes_of(word) & kInCapitals;
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
  Key key = 0;      // 0: no word here
  Key written = 0;  // the word as written, in the key's form
  // Bit s set where the word is put back in situation s.
  std::uint16_t put_back_in = 0;
};
static_assert(kSituations <= 16);

// 256 slots for the 45 words: room enough that a multiplier giving each word a slot of its
// own turns up within a few tries, which keeps the work at compile time small.
constexpr int kIndexBits = 8;
struct Index {
  Key multiplier = 0;
  std::array<Slot, std::size_t{1} << kIndexBits> slots{};

  constexpr std::size_t slot_of(Key key) const {
    return static_cast<std::size_t>(key * multiplier >> (64 - kIndexBits));
  }
};

// The entry of the word with this key in a list, or null.
template <std::size_t N>
constexpr const Entry* entry_in(const std::array<Entry, N>& list, Key key) {
  for (const Entry& entry : list) {
    if (key_of(entry.written) == key) return &entry;
  }
  return nullptr;
}

constexpr Index build_index() {
  // Every word once, whatever lists it is in.
  std::array<Key, kGeneral.size() + kAddress.size() + kNames.size()> keys{};
  std::size_t count = 0;
  const auto gather = [&](const auto& list) {
    for (const Entry& entry : list) {
      const Key key = key_of(entry.written);
      if (std::find(keys.begin(), keys.begin() + count, key) == keys.begin() + count)
        keys[count++] = key;
    }
  };
  gather(kGeneral);
  gather(kAddress);
  gather(kNames);

  Index index;
  for (Key odd = 1;; odd += 2) {
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
    Slot& slot = index.slots[index.slot_of(keys[i])];
    slot.key = keys[i];
    slot.written = bytes_of(any->written);
    for (const Lists lists :
         {Lists::kGeneral, Lists::kGeneralAndAddress, Lists::kGeneralAndNames}) {
      for (const bool word_style : {false, true}) {
        for (const bool first : {false, true}) {
          if (put_back(general, address, names, lists, word_style, first))
            slot.put_back_in |= 1u << situation(lists, word_style, first);
        }
      }
    }
  }
  return index;
}
constexpr Index kIndex = build_index();

// ---- The conversion ----
// One pass over the text, a block at a time, marks where the letters, spaces and full stops
// are, one bit for each byte. From the marks come the capitals, the words' or the sentences'
// first letters, and a second pass writes every letter small but the capitals. Then the list
// words are put back as they are written.
constexpr std::size_t kTextWidth = sizeof(QuarnMixcaseRecord::mc_text);
constexpr std::size_t kBlocks = (kTextWidth + block::kBytes - 1) / block::kBytes;

// The text worked on: the field's bytes, then spaces, which stand for its end, to the end of
// the last block.
using Padded = std::array<char, kBlocks * block::kBytes>;
static_assert(kTextWidth >= block::kBytes);
// A list word's key is read from any byte where a word of two letters can start.
static_assert(kTextWidth - kShortestWord + kKeyBytes <= sizeof(Padded));

// One bit for each byte of the text, bit i for byte i.
__extension__ typedef unsigned __int128 Bits;
static_assert(sizeof(Padded) <= sizeof(Bits) * 8);
constexpr Bits bit(std::size_t at) {
  return Bits{1} << at;
}
// Calls visit(at) for every bit set, lowest first, a half at a time.
template <class Visit>
void for_each_bit(Bits bits, Visit visit) {
  const auto each = [&](std::uint64_t half, std::size_t base) {
    for (; half != 0; half &= half - 1)
      visit(base + static_cast<std::size_t>(std::countr_zero(half)));
  };
  each(static_cast<std::uint64_t>(bits), 0);
  each(static_cast<std::uint64_t>(bits >> 64), 64);
}

// The bits of the bytes where `test` (a block's test) holds: the blocks' masks side by side,
// four to a half of the bits.
template <class Test>
Bits bits_where(const Padded& text, Test test) {
  std::array<std::uint64_t, 2> halves{};
  for (std::size_t i = 0; i < kBlocks; ++i) {
    const std::uint64_t mask = test(text.data() + i * block::kBytes);
    halves[i / 4] |= mask << block::kBytes * (i % 4);
  }
  return Bits{halves[1]} << 64 | halves[0];
}
Bits bytes_where(const Padded& text, char c) {
  return bits_where(text, [c](const char* at) { return block::bytes_at(at, c); });
}

// Where the text holds spaces, letters and, in sentence style only, full stops; the bytes
// after the field count as spaces.
struct Marks {
  Bits full_stops = 0;
  Bits spaces = 0;
  Bits letters = 0;
};

// The full stops are marked first, so that fewer blocks are held at once.
Marks marks_of(const Padded& text, bool word_style) {
  return {word_style ? 0 : bytes_where(text, '.'), bytes_where(text, ' ') | ~Bits{0} << kTextWidth,
          bits_where(text, block::letters_at)};
}

// Word style: every letter that does not follow a letter starts a word.
Bits word_starts(const Marks& marks) {
  return marks.letters & ~(marks.letters << 1);
}

// Sentence style: the first byte of the text, and the first byte that is not a space after
// each full stop but one that starts the text (a byte that is no letter stays as it is).
// Found for every full stop at once: the bit of the byte after each stop, added to the
// spaces' bits, carries through the spaces that follow the stop and comes to rest on the
// first byte that is not one. (A stop's next byte starts a run of spaces or is no space
// itself, and no such run holds a second bit to add; a carry out of the top is a stop with
// only spaces after it.)
Bits sentence_starts(const Marks& marks) {
  const Bits after_stops = (marks.full_stops & ~bit(0)) << 1;
  return ((marks.spaces + after_stops) & ~marks.spaces) | bit(0);
}

// Puts back the list words of the text, as written, into the converted field. Only a whole
// word counts: it starts the text or follows a space, and a space or the end of the field
// follows it (the last word of a full field counts as followed by the padding it has no room
// for). Punctuation is part of a word, so "Ne," is not "NE". A list word is taken in the case
// the conversion gives it, all small letters but the first, which may be a capital: so a list
// word that starts a sentence is put back too. (No word's or sentence's first letter falls
// inside a whole word of letters, so the letters after the first are small.)
void put_back_list_words(const Padded& text, frame::Field field, const Marks& marks, Lists lists,
                         bool word_style) {
  // The places where a word of each length may be a list word, for all places at once: a
  // letter first in the text or after a space, then letters, then a space. All are found
  // before any is looked up, so that the lookups keep only their own places at hand.
  std::array<Bits, kLongestWord + 1> places{};
  Bits run = marks.letters & (marks.spaces << 1 | bit(0));
  for (std::size_t length = 1; length <= kLongestWord; ++length) {
    places[length] = run & marks.spaces >> length;
    run &= marks.letters >> length;
  }
  // Unrolled, each length's mask and store are constants; the word that starts the text is
  // looked up on its own, so that the others' situation is a constant.
#pragma GCC unroll 4
  for (std::size_t length = kShortestWord; length <= kLongestWord; ++length) {
    const Key in_capitals = ((Key{1} << 8 * length) - 1) & kInCapitals;
    const auto put_back = [&](std::size_t at, std::size_t where) {
      const Key key = frame::digits::load_bytes(text.data() + at, kKeyBytes) & in_capitals;
      const Slot& slot = kIndex.slots[kIndex.slot_of(key)];
      if (slot.key == key && (slot.put_back_in >> where & 1) != 0)
        frame::digits::store_bytes(field.data() + at, slot.written, length);
    };
    if ((places[length] & bit(0)) != 0) put_back(0, situation(lists, word_style, true));
    for_each_bit(places[length] & ~bit(0),
                 [&](std::size_t at) { put_back(at, situation(lists, word_style, false)); });
  }
}

std::int32_t mixcase(QuarnMixcaseRecord* passed) {
  auto& record = *passed;
  const frame::Field text(record.mc_text);
  const bool word_style = record.mc_style[0] != 'S';

  Padded work;
  std::memcpy(work.data(), text.data(), kTextWidth);
  std::memset(work.data() + kTextWidth, ' ', work.size() - kTextWidth);
  const Marks marks = marks_of(work, word_style);
  const Bits capitals = word_style ? word_starts(marks) : sentence_starts(marks);
  // Converted into the field a block at a time; the last block is the field's last sixteen
  // bytes, which overlap the block before and are converted alike.
#pragma GCC unroll kBlocks
  for (std::size_t at = 0; at < kTextWidth; at += block::kBytes) {
    const std::size_t from = std::min(at, kTextWidth - block::kBytes);
    block::write_case(work.data() + from, text.data() + from,
                      static_cast<block::Mask>(capitals >> from));
  }
  put_back_list_words(work, text, marks, lists_of(record.mc_exception_set[0]), word_style);

  frame::clear(record.mc_style);
  frame::clear(record.mc_exception_set);
  return 0;
}

}  // namespace
}  // namespace quarn

QUARN_PROGRAM((MIXCASE), quarn::mixcase, 1, (record, QuarnMixcaseRecord));
