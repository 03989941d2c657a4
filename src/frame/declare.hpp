// Declaring a program: one declaration gives its name, its typed records and its body, and
// from it come the record count and lengths (for calls by name), the C entry the public
// header declares (QUARN_START_EXE), and the symbols for GnuCOBOL ("START__EXE") and for
// dlsym() callers ("START-EXE").
//
//   std::int32_t start_exe(const QuarnSeCommandLine* line, const std::int16_t* show, ...);
//   QUARN_PROGRAM((START, EXE), quarn::start_exe, 5,
//                 (command_line, const QuarnSeCommandLine), (show_window, const std::int16_t),
//                 ...);
//
//  - The name is the program's exact name split at its hyphens: (START, EXE), (GETDATE).
//  - The body is a function `std::int32_t (R1*, R2*, ...)` over the records' pointers; it
//    gets a null pointer for a record that was not passed.
//  - The number is how many leading records the program needs (0: every record optional);
//    a call that lacks one is reported and does nothing.
//  - Each record is (name, type): its pointer in the C entry is `type*`, its length
//    sizeof(type). `char[64]` is 64 bytes reached through `char*`; Prefix<T, N> is the
//    first N bytes of a T; Callbacks<T> is a T* that is no record but a struct of callbacks
//    the caller provides (POP's caller's form). At most kMaxParams (6) records; none at
//    all is allowed.
//  - The C entry must be declared in include/quarn/quarn-m.h with exactly these parameter
//    types; it returns the body's result, or, where the header declares a pointer result,
//    the first record.
// Use it once per program, at global scope, after the body.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "frame/host.hpp"
#include "frame/program.hpp"
#include "quarn/quarn-m.h"

namespace quarn::frame {

// The first `Length` bytes of a T (GETDAY reads 12 bytes of a DATECHK record).
template <class T, std::size_t Length>
struct Prefix {};

// A parameter that is a struct of callbacks (a T), not a record of bytes.
template <class T>
struct Callbacks {};

template <class R>
struct RecordTraits {
  using Pointer = R*;
  static constexpr std::size_t kLength = sizeof(R);
  static constexpr bool kCallbacks = false;
};
template <class T, std::size_t N>
struct RecordTraits<T[N]> {
  using Pointer = T*;
  static constexpr std::size_t kLength = sizeof(T) * N;
  static constexpr bool kCallbacks = false;
};
template <class T, std::size_t Length>
struct RecordTraits<Prefix<T, Length>> {
  using Pointer = T*;
  static constexpr std::size_t kLength = Length;
  static constexpr bool kCallbacks = false;
};
template <class T, std::size_t Length>
struct RecordTraits<const Prefix<T, Length>> {
  using Pointer = const T*;
  static constexpr std::size_t kLength = Length;
  static constexpr bool kCallbacks = false;
};
template <class T>
struct RecordTraits<Callbacks<T>> {
  using Pointer = T*;
  static constexpr std::size_t kLength = sizeof(T);
  static constexpr bool kCallbacks = true;
};
template <class R>
using record_pointer_t = typename RecordTraits<R>::Pointer;

template <class F>
struct EntryResult;
template <class R, class... A>
struct EntryResult<R(A...)> {
  using type = R;
};
// The result type of a C entry as the public header declares it.
template <class F>
using entry_result_t = typename EntryResult<F>::type;

// A program made by QUARN_PROGRAM: its definition, and the typed entry its C entry uses.
// `Required` is a constant here, so that the check of the needed records is as many
// compares as there are needed records, on the entry's own arguments.
template <auto Body, int Required, class... Records>
class DeclaredProgram final : public Program {
 public:
  static constexpr int kCount = sizeof...(Records);
  static_assert(kCount <= kMaxParams, "a program takes at most kMaxParams records");
  static_assert(Required >= 0 && Required <= kCount, "a program needs at most its records");
  static_assert(std::is_same_v<decltype(Body), std::int32_t (*)(record_pointer_t<Records>...)>,
                "the body takes the records' pointers, in order, and returns std::int32_t");

  explicit DeclaredProgram(std::string_view name)
      : Program(ProgramDef{name,
                           kCount,
                           Required,
                           {RecordTraits<Records>::kLength...},
                           &untyped_body,
                           {RecordTraits<Records>::kCallbacks...}}) {}

  // A call through an exported symbol: records beyond what a GnuCOBOL caller passed are
  // treated as not passed. R is the entry's declared result. No exception leaves it: one
  // that a body let escape ends the process here rather than unwinding into a C or COBOL
  // caller, and so the frame needs no unwinding path. A C or C++ caller that nobody
  // observes takes the short way: it passed every record, and they stay in the arguments'
  // registers on the way to the body.
  template <class R>
  R enter(record_pointer_t<Records>... args) noexcept {
    const std::int32_t result = detail::entry_services.load(std::memory_order_relaxed) == 0
                                    ? run_unobserved(Pointers{args...})
                                    : enter_with_services(args...);
    if constexpr (std::is_pointer_v<R>) {
      static_assert(kCount > 0, "a pointer result is the first record");
      return static_cast<R>(std::get<0>(std::tie(args...)));
    } else {
      return result;
    }
  }

  // A call from another program of the library (GETCSZ calls GETSTATE): the same frame as
  // a call by name with every record passed, but the body is reached with its records
  // typed, not through its untyped form.
  std::int32_t call_typed(record_pointer_t<Records>... args) noexcept {
    return run_typed(Pointers{args...});
  }

 private:
  using Pointers = std::tuple<record_pointer_t<Records>...>;
  using Indexes = std::index_sequence_for<Records...>;

  // The index of the first needed record that was not passed, or -1.
  static int first_missing(const Pointers& records) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
      int missing = -1;
      ((missing < 0 && static_cast<int>(I) < Required && std::get<I>(records) == nullptr
            ? (missing = static_cast<int>(I), 0)
            : 0),
       ...);
      return missing;
    }
    (Indexes{});
  }
  // The records as the untyped body and an observer see them.
  static std::array<void*, kCount + 1> untyped(const Pointers& records) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
      return std::array<void*, kCount + 1>{
          const_cast<void*>(static_cast<const void*>(std::get<I>(records)))...};
    }
    (Indexes{});
  }
  static std::int32_t untyped_body(void* const* records) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
      return Body(static_cast<record_pointer_t<Records>>(records[I])...);
    }
    (Indexes{});
  }
  // A call from a GnuCOBOL process or one observed: records the caller did not pass are
  // dropped, and an observer sees entry and exit. Out of line, so that the short way keeps
  // no registers for it.
  [[gnu::noinline]] std::int32_t enter_with_services(record_pointer_t<Records>... args) noexcept {
    Pointers records{args...};
    // Asked even by a program without records: the first call of any program finds out
    // whether this is a GnuCOBOL process, and outside one the later calls go the short way.
    const int passed = passed_params(kCount);
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      ((static_cast<int>(I) >= passed ? (std::get<I>(records) = nullptr, 0) : 0), ...);
    }
    (Indexes{});
    return run_typed(records);
  }
  std::int32_t run_typed(const Pointers& records) noexcept {
    ProgramFrame frame(*this, [&records] { return untyped(records); });
    return frame.entered() ? run_body(records) : 0;
  }
  [[gnu::always_inline]] std::int32_t run_unobserved(const Pointers& records) noexcept {
    ProgramFrame frame(*this);
    return frame.entered() ? run_body(records) : 0;
  }
  [[gnu::always_inline]] static std::int32_t run_body(const Pointers& records) {
    if constexpr (Required > 0) {
      if (const int missing = first_missing(records); missing >= 0) [[unlikely]] {
        detail::report_missing_record(missing);
        return 0;
      }
    }
    return std::apply(Body, records);
  }
};

}  // namespace quarn::frame

// ---- the declaration ----

#define QUARN_PP_CAT(a, b) QUARN_PP_CAT_(a, b)
#define QUARN_PP_CAT_(a, b) a##b
#define QUARN_PP_STR(x) QUARN_PP_STR_(x)
#define QUARN_PP_STR_(x) #x
#define QUARN_PP_NARGS(...) QUARN_PP_NARGS_(__VA_ARGS__ __VA_OPT__(, ) 6, 5, 4, 3, 2, 1, 0)
#define QUARN_PP_NARGS_(_1, _2, _3, _4, _5, _6, n, ...) n

// m applied to each argument, the results separated by commas (LIST) or not (SEQ).
#define QUARN_PP_LIST(m, ...) \
  QUARN_PP_CAT(QUARN_PP_LIST_, QUARN_PP_NARGS(__VA_ARGS__))(m __VA_OPT__(, ) __VA_ARGS__)
#define QUARN_PP_LIST_0(m)
#define QUARN_PP_LIST_1(m, a) m(a)
#define QUARN_PP_LIST_2(m, a, b) m(a), m(b)
#define QUARN_PP_LIST_3(m, a, b, c) m(a), m(b), m(c)
#define QUARN_PP_LIST_4(m, a, b, c, d) m(a), m(b), m(c), m(d)
#define QUARN_PP_LIST_5(m, a, b, c, d, e) m(a), m(b), m(c), m(d), m(e)
#define QUARN_PP_LIST_6(m, a, b, c, d, e, f) m(a), m(b), m(c), m(d), m(e), m(f)
#define QUARN_PP_SEQ(m, ...) \
  QUARN_PP_CAT(QUARN_PP_SEQ_, QUARN_PP_NARGS(__VA_ARGS__))(m __VA_OPT__(, ) __VA_ARGS__)
#define QUARN_PP_SEQ_0(m)
#define QUARN_PP_SEQ_1(m, a) m(a)
#define QUARN_PP_SEQ_2(m, a, b) m(a) m(b)
#define QUARN_PP_SEQ_3(m, a, b, c) m(a) m(b) m(c)
#define QUARN_PP_SEQ_4(m, a, b, c, d) m(a) m(b) m(c) m(d)
#define QUARN_PP_SEQ_5(m, a, b, c, d, e) m(a) m(b) m(c) m(d) m(e)
#define QUARN_PP_SEQ_6(m, a, b, c, d, e, f) m(a) m(b) m(c) m(d) m(e) m(f)

// The program's names from its parts: C (START_EXE), GnuCOBOL (START__EXE), exact.
#define QUARN_NAME_(kind, parts) QUARN_PP_CAT(QUARN_NAME_##kind##_, QUARN_PP_NARGS parts) parts
#define QUARN_NAME_C_1(a) a
#define QUARN_NAME_C_2(a, b) a##_##b
#define QUARN_NAME_C_3(a, b, c) a##_##b##_##c
#define QUARN_NAME_C_4(a, b, c, d) a##_##b##_##c##_##d
#define QUARN_NAME_COBOL_1(a) a
#define QUARN_NAME_COBOL_2(a, b) a##__##b
#define QUARN_NAME_COBOL_3(a, b, c) a##__##b##__##c
#define QUARN_NAME_COBOL_4(a, b, c, d) a##__##b##__##c##__##d
#define QUARN_NAME_EXACT_1(a) #a
#define QUARN_NAME_EXACT_2(a, b) #a "-" #b
#define QUARN_NAME_EXACT_3(a, b, c) #a "-" #b "-" #c
#define QUARN_NAME_EXACT_4(a, b, c, d) #a "-" #b "-" #c "-" #d
// A one-part name is its own GnuCOBOL name: one alias; a hyphenated name has two.
#define QUARN_ALIASES_(parts, entry, id) \
  QUARN_PP_CAT(QUARN_ALIASES_, QUARN_PP_NARGS parts)(parts, entry, id)
// The entry lets no exception out (its frame is noexcept), and its aliases say so too.
#define QUARN_ALIAS_(entry, symbol, id)                   \
  extern "C" QUARN_API decltype(entry) id __asm__(symbol) \
      __attribute__((alias(QUARN_PP_STR(entry)), nothrow))
#define QUARN_ALIASES_1(parts, entry, id) \
  QUARN_ALIAS_(entry, QUARN_PP_STR(QUARN_NAME_(COBOL, parts)), QUARN_PP_CAT(quarn_cobol_, id))
#define QUARN_ALIASES_MANY_(parts, entry, id)                                                   \
  QUARN_ALIAS_(entry, QUARN_PP_STR(QUARN_NAME_(COBOL, parts)), QUARN_PP_CAT(quarn_cobol_, id)); \
  QUARN_ALIAS_(entry, "\"" QUARN_NAME_(EXACT, parts) "\"", QUARN_PP_CAT(quarn_exact_, id))
#define QUARN_ALIASES_2 QUARN_ALIASES_MANY_
#define QUARN_ALIASES_3 QUARN_ALIASES_MANY_
#define QUARN_ALIASES_4 QUARN_ALIASES_MANY_

#define QUARN_RECORD_NAME_(name, ...) name
#define QUARN_RECORD_TYPE_(name, ...) __VA_ARGS__
#define QUARN_RECORD_PARAM_(record) \
  ::quarn::frame::record_pointer_t<QUARN_RECORD_TYPE_ record> QUARN_RECORD_NAME_ record
#define QUARN_RECORD_ARG_(record) QUARN_RECORD_NAME_ record
#define QUARN_RECORD_TEMPLATE_ARG_(record) , QUARN_RECORD_TYPE_ record

#define QUARN_PROGRAM(parts, body, required, ...) \
  QUARN_PROGRAM_(parts, QUARN_NAME_(C, parts), body, required __VA_OPT__(, ) __VA_ARGS__)
#define QUARN_PROGRAM_(parts, id, body, required, ...)                                            \
  namespace quarn::programs {                                                                     \
  ::quarn::frame::DeclaredProgram<&body,                                                          \
                                  required QUARN_PP_SEQ(QUARN_RECORD_TEMPLATE_ARG_, __VA_ARGS__)> \
      id(QUARN_NAME_(EXACT, parts));                                                              \
  }                                                                                               \
  extern "C" QUARN_API ::quarn::frame::entry_result_t<decltype(QUARN_PP_CAT(QUARN_, id))>         \
  QUARN_PP_CAT(QUARN_, id)(QUARN_PP_LIST(QUARN_RECORD_PARAM_, __VA_ARGS__)) {                     \
    return ::quarn::programs::id                                                                  \
        .enter<::quarn::frame::entry_result_t<decltype(QUARN_PP_CAT(QUARN_, id))>>(               \
            QUARN_PP_LIST(QUARN_RECORD_ARG_, __VA_ARGS__));                                       \
  }                                                                                               \
  QUARN_ALIASES_(parts, QUARN_PP_CAT(QUARN_, id), id)
