#include "frame/program.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "frame/codec.hpp"
#include "frame/host.hpp"

namespace quarn::frame {

namespace {

// The registry and the hooks below are never destroyed: work done at the module's unload
// (after static destructors have run) may still call programs and report errors.
std::map<std::string, Program*, std::less<>>& registry() {
  static auto* programs = new std::map<std::string, Program*, std::less<>>;
  return *programs;
}

// The program whose body is running (innermost), for error reports. The suite calls the
// library from one thread; a plain variable keeps the frame cheap.
const ProgramDef* current_program = nullptr;

std::mutex& hooks_mutex() {
  static auto* m = new std::mutex;
  return *m;
}
ErrorHandler& error_handler() {
  static auto* handler = new ErrorHandler;
  return *handler;
}
FrameObserver& frame_observer() {
  static auto* observer = new FrameObserver;
  return *observer;
}
// Lets a call skip the lock when nobody observes, which is the ordinary case.
std::atomic<bool> observed{false};

[[gnu::noinline, gnu::cold]] void notify_observer(FrameEvent::Kind kind, std::string_view name,
                                                  std::uint8_t first_call, void* const* records) {
  FrameObserver observer;
  {
    std::lock_guard lock(hooks_mutex());
    if (!frame_observer()) return;
    observer = frame_observer();
  }
  observer(FrameEvent{kind, name, first_call, records});
}

inline void notify(FrameEvent::Kind kind, std::string_view name, std::uint8_t first_call,
                   void* const* records = nullptr) {
  if (observed.load(std::memory_order_acquire)) [[unlikely]] {
    notify_observer(kind, name, first_call, records);
  }
}

// The error paths of a call, kept out of the way of the ordinary one.
[[gnu::noinline, gnu::cold]] void report_missing_record(int index) {
  report_runtime_error(__LINE__, "parameter record " + std::to_string(index + 1) +
                                     " was not passed; the call does nothing");
}
[[gnu::noinline, gnu::cold]] void report_reentry(std::string_view program) {
  report_runtime_error(
      __LINE__, std::string(program) + " was called while it was running; the call is not run");
}

void default_error_handler(const RuntimeError& e) {
  std::fprintf(stderr, "QUARN-M: run-time error %d in %.*s at line %d: %.*s\n", e.code,
               static_cast<int>(e.program.size()), e.program.data(), e.line,
               static_cast<int>(e.text.size()), e.text.data());
}

}  // namespace

Program::Program(const ProgramDef& def) : def_(def) {
  registry()[std::string(def.name)] = this;
}

std::int32_t Program::call(std::span<void* const> params) {
  void* records[kMaxParams] = {};
  std::copy_n(params.begin(), std::min<std::size_t>(params.size(), def_.param_count), records);
  return run(records);
}

std::int32_t Program::run(void* const* records) {
  ProgramFrame frame(*this, records);
  if (!frame.entered()) return 0;
  for (int i = 0; i < def_.required_params; ++i) {
    if (records[i] == nullptr) [[unlikely]] {
      report_missing_record(i);
      return 0;
    }
  }
  return def_.body(records);
}

ProgramFrame::ProgramFrame(Program& program, void* const* records)
    : program_(program), outer_(current_program) {
  // Calls come from one thread, so a plain load and store see a program calling itself;
  // no locked instruction is spent on every call.
  if (program_.active_.load(std::memory_order_relaxed) == kActive) [[unlikely]] {
    report_reentry(program_.def_.name);
    return;
  }
  program_.active_.store(kActive, std::memory_order_relaxed);
  entered_ = true;
  const std::uint8_t indicator = program_.first_call_;
  program_.first_call_ = kLaterCall;
  current_program = &program_.def_;
  notify(FrameEvent::kEnter, program_.def_.name, indicator, records);
}

ProgramFrame::~ProgramFrame() {
  if (!entered_) return;
  current_program = outer_;
  program_.active_.store(0, std::memory_order_relaxed);
  notify(FrameEvent::kExit, program_.def_.name, kLaterCall);
}

Program* find_program(std::string_view name) {
  const auto it = registry().find(trimmed(name));
  return it == registry().end() ? nullptr : it->second;
}

std::vector<const Program*> programs() {
  std::vector<const Program*> all;
  for (const auto& [name, program] : registry())
    all.push_back(program);
  return all;
}

bool call_by_name(std::string_view name, std::span<void* const> params, std::int32_t* result) {
  Program* program = find_program(name);
  if (program == nullptr) return false;
  const std::int32_t value = program->call(params);
  if (result != nullptr) *result = value;
  return true;
}

void report_runtime_error(int line, std::string_view text) {
  ErrorHandler handler;
  {
    std::lock_guard lock(hooks_mutex());
    handler = error_handler();
  }
  const std::string_view program = current_program ? current_program->name : "QUARN-M";
  const RuntimeError error{kRuntimeErrorCode, line, program, text};
  if (handler) {
    handler(error);
  } else {
    default_error_handler(error);
  }
}

ErrorHandler set_error_handler(ErrorHandler handler) {
  std::lock_guard lock(hooks_mutex());
  return std::exchange(error_handler(), std::move(handler));
}

FrameObserver set_frame_observer(FrameObserver observer) {
  std::lock_guard lock(hooks_mutex());
  observed.store(static_cast<bool>(observer), std::memory_order_release);
  return std::exchange(frame_observer(), std::move(observer));
}

}  // namespace quarn::frame
