// The frame every program runs in: its control block (first-call and active indicators),
// its entry and exit, its registration for calls by name, and the run-time error service.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "frame/host.hpp"

namespace quarn::frame {

inline constexpr int kMaxParams = 6;
// Program names are held space-padded in fields of this width for calls by name.
inline constexpr std::size_t kProgramNameWidth = 14;
inline constexpr std::int32_t kRuntimeErrorCode = 16;

inline constexpr std::uint8_t kFirstCall = 0;
inline constexpr std::uint8_t kLaterCall = 4;
inline constexpr std::uint8_t kActive = 0x80;

struct ProgramDef;
struct FrameEvent;
namespace detail {
// The frame's bookkeeping, kept inline on the path of every call; the rest is in
// program.cpp, out of the way.
extern const ProgramDef* current_program;  // the innermost running program, or null
extern std::atomic<bool> observed;         // whether a frame observer is installed
// Zero when a call needs neither of the frame's slower services: asking a GnuCOBOL
// runtime how many records its caller passed, and telling an observer. One load on every
// call decides between the short entry and the whole one.
extern std::atomic<std::uint8_t> entry_services;
inline constexpr std::uint8_t kAskRuntime = 1;  // a GnuCOBOL process, or not known yet
inline constexpr std::uint8_t kObserve = 2;     // an observer is installed
[[gnu::cold]] void notify_observer(int kind, std::string_view name, std::uint8_t first_call,
                                   void* const* records);
[[gnu::cold]] void report_missing_record(int index);
[[gnu::cold]] void report_reentry(std::string_view program);
}  // namespace detail

// What a program is: its exact name, the records it takes and the body that runs between
// entry and exit. The body receives `param_count` record addresses, null where a record was
// not passed; the frame has already checked that the first `required_params` are there.
struct ProgramDef {
  std::string_view name;
  int param_count;
  int required_params;
  std::array<std::size_t, kMaxParams> record_lengths;
  std::int32_t (*body)(void* const* params);
  // Parameters that are no records but a struct of callbacks the caller provides (POP's
  // caller's form): a call by name from the command line cannot fill them from text.
  std::array<bool, kMaxParams> callbacks = {};
};

// One exported program: its definition and control block. Constructing one registers it
// for calls by name; each program's source file holds exactly one, at namespace scope.
class Program {
 public:
  explicit Program(const ProgramDef& def);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // A call from outside the library through an exported symbol: records beyond what a
  // GnuCOBOL caller passed are treated as not passed. Programs do not call it: their C
  // entries come from QUARN_PROGRAM (frame/declare.hpp), which calls their bodies directly.
  std::int32_t enter_exported(std::initializer_list<void*> params) {
    void* records[kMaxParams] = {};
    const std::size_t passed =
        std::min(params.size(), static_cast<std::size_t>(passed_params(def_.param_count)));
    for (std::size_t i = 0; i < passed; ++i)
      records[i] = params.begin()[i];
    return run(records);
  }
  // A call with `params.size()` records (a call by name from a program or a C caller).
  std::int32_t call(std::span<void* const> params);

  const ProgramDef& def() const { return def_; }
  std::uint8_t first_call_indicator() const { return first_call_; }
  std::uint8_t active_indicator() const { return active_.load(); }

 protected:
  // Runs the body in a frame; `records` holds param_count addresses.
  std::int32_t run(void* const* records);

 private:
  // Whether the records the program needs were passed; reports the first that was not.
  bool required_passed(void* const* records) const {
    for (int i = 0; i < def_.required_params; ++i) {
      if (records[i] == nullptr) [[unlikely]] {
        detail::report_missing_record(i);
        return false;
      }
    }
    return true;
  }

  friend class ProgramFrame;

  ProgramDef def_;
  std::uint8_t first_call_ = kFirstCall;
  std::atomic<std::uint8_t> active_{0};
};

// Entry and exit of one call (RAII). A call that arrives while the program is active is
// reported as a run-time error and not entered: `entered()` is then false. An observer
// installed at entry is told of the entry and of the exit.
class ProgramFrame {
 public:
  // `records()` gives the call's records (a `void* const*` or an array of void*), shown to
  // an observer at entry; it is asked only when an observer is installed.
  template <class Records>
  ProgramFrame(Program& program, Records records);
  // The entry of a call that nobody observes (the caller has seen entry_services clear).
  inline explicit ProgramFrame(Program& program);
  inline ~ProgramFrame();
  ProgramFrame(const ProgramFrame&) = delete;
  ProgramFrame& operator=(const ProgramFrame&) = delete;
  bool entered() const { return entered_; }

 private:
  // Marks the program active; false when it already was (reported).
  inline bool enter();

  Program& program_;
  const ProgramDef* outer_;
  bool entered_ = false;
  bool observed_ = false;
};

// ---- calls by name ----

// The program registered under `name` (trailing spaces ignored), or null.
Program* find_program(std::string_view name);
// Every registered program, in name order.
std::vector<const Program*> programs();
// Calls a program by name with the given records. False when no program has that name.
bool call_by_name(std::string_view name, std::span<void* const> params,
                  std::int32_t* result = nullptr);

// ---- run-time errors ----

struct RuntimeError {
  std::int32_t code;
  std::int32_t line;
  std::string_view program;
  std::string_view text;
};
using ErrorHandler = std::function<void(const RuntimeError&)>;
// Reports a run-time error of the running program (code 16) to the installed handler; the
// caller carries on when it returns.
void report_runtime_error(int line, std::string_view text);
// Installs a handler (an empty one restores the default, a line on standard error);
// returns the previous one.
ErrorHandler set_error_handler(ErrorHandler handler);

// ---- observation of entry and exit (tests, diagnostics) ----

struct FrameEvent {
  enum Kind { kEnter, kExit } kind;
  std::string_view program;
  std::uint8_t first_call_indicator;  // as passed at entry: 0 on the first call, then 4
  void* const* records;               // at entry: the call's records (null where not passed)
};
using FrameObserver = std::function<void(const FrameEvent&)>;
FrameObserver set_frame_observer(FrameObserver observer);

// ---- the frame's entry and exit, inline on every call ----

namespace detail {
inline void* const* record_array(void* const* records) {
  return records;
}
template <std::size_t N>
void* const* record_array(const std::array<void*, N>& records) {
  return records.data();
}
}  // namespace detail

inline bool ProgramFrame::enter() {
  // Calls come from one thread, so a plain load and store see a program calling itself;
  // no locked instruction is spent on every call.
  if (program_.active_.load(std::memory_order_relaxed) == kActive) [[unlikely]] {
    detail::report_reentry(program_.def_.name);
    return false;
  }
  program_.active_.store(kActive, std::memory_order_relaxed);
  detail::current_program = &program_.def_;
  entered_ = true;
  return true;
}

inline ProgramFrame::ProgramFrame(Program& program)
    : program_(program), outer_(detail::current_program) {
  if (enter()) program_.first_call_ = kLaterCall;
}

template <class Records>
inline ProgramFrame::ProgramFrame(Program& program, Records records)
    : program_(program), outer_(detail::current_program) {
  if (!enter()) return;
  const std::uint8_t indicator = program_.first_call_;
  program_.first_call_ = kLaterCall;
  observed_ = detail::observed.load(std::memory_order_acquire);
  if (observed_) [[unlikely]] {
    const auto shown = records();
    detail::notify_observer(FrameEvent::kEnter, program_.def_.name, indicator,
                            detail::record_array(shown));
  }
}

inline ProgramFrame::~ProgramFrame() {
  if (!entered_) return;
  detail::current_program = outer_;
  program_.active_.store(0, std::memory_order_relaxed);
  if (observed_) [[unlikely]] {
    detail::notify_observer(FrameEvent::kExit, program_.def_.name, kLaterCall, nullptr);
  }
}

}  // namespace quarn::frame

// Reports a failed call to an outside routine with the line of the failing statement.
#define QUARN_RUNTIME_ERROR(text) ::quarn::frame::report_runtime_error(__LINE__, (text))
