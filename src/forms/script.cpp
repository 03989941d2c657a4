#include "forms/script.hpp"

#include <array>
#include <charconv>
#include <utility>

#include "forms/runtime.hpp"

namespace quarn::forms {
namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line into words: bare words and double-quoted texts with escapes.
bool split_words(std::string_view line, std::vector<std::string>& words, std::string& error) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (is_space(line[i])) {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          word += c;
          continue;
        }
        if (i == line.size()) break;
        const char e = line[i++];
        word += e == 'n' ? '\n' : e == 't' ? '\t' : e;
      }
      if (!closed) {
        error = "a text has no closing quote";
        return false;
      }
    } else {
      while (i < line.size() && !is_space(line[i]))
        word += line[i++];
    }
    words.push_back(std::move(word));
  }
  return true;
}

std::optional<std::int64_t> number_of(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

struct Verb {
  std::string_view name;
  ScriptStep::Kind kind;
  std::size_t words;  // after the verb
};
constexpr std::array<Verb, 11> kVerbs{{
    {"type", ScriptStep::Kind::kType, 2},
    {"choose", ScriptStep::Kind::kChoose, 2},
    {"check", ScriptStep::Kind::kCheck, 2},
    {"click", ScriptStep::Kind::kClick, 1},
    {"timer", ScriptStep::Kind::kTimer, 1},
    {"close", ScriptStep::Kind::kClose, 0},
    {"answer", ScriptStep::Kind::kAnswer, 1},
    {"folder", ScriptStep::Kind::kFolder, 1},
    {"file", ScriptStep::Kind::kFile, 1},
    {"menu", ScriptStep::Kind::kClick, 1},
    {"size", ScriptStep::Kind::kSize, 2},
}};

// Reads the words of one step into `step`; an error text when they do not make one.
std::string read_step(const Verb& verb, const std::vector<std::string>& words, ScriptStep& step) {
  using Kind = ScriptStep::Kind;
  step.kind = verb.kind;
  switch (verb.kind) {
    case Kind::kType:
      step.control = words[1];
      step.text = words[2];
      return {};
    case Kind::kChoose:
      step.control = words[1];
      if (words[2].starts_with('#')) {
        const auto n = number_of(std::string_view(words[2]).substr(1));
        if (!n) return "choose #N needs a number";
        step.by_index = true;
        step.number = *n;
      } else {
        step.text = words[2];
      }
      return {};
    case Kind::kCheck: {
      step.control = words[1];
      const auto n = number_of(words[2]);
      if (!n || (*n != 0 && *n != 1)) return "check takes 0 or 1";
      step.number = *n;
      return {};
    }
    case Kind::kClick:
    case Kind::kTimer:
      step.control = words[1];
      return {};
    case Kind::kClose:
      return {};
    case Kind::kAnswer: {
      auto n = answer_of(words[1]);
      if (!n) {
        if (const auto number = number_of(words[1])) n = static_cast<std::int32_t>(*number);
      }
      if (!n) return "unknown answer \"" + words[1] + "\"";
      step.number = *n;
      return {};
    }
    case Kind::kFolder:
    case Kind::kFile:
      step.cancel = words[1] == "cancel";
      step.text = words[1];
      return {};
    case Kind::kSize: {
      const auto width = number_of(words[1]);
      const auto height = number_of(words[2]);
      if (!width || !height || *width <= 0 || *height <= 0)
        return "size takes a width and a height above 0";
      step.number = *width;
      step.height = *height;
      return {};
    }
  }
  return "unknown step";
}

}  // namespace

std::optional<std::int32_t> answer_of(std::string_view button) {
  namespace mb = message_box;
  constexpr std::array<std::pair<std::string_view, std::int32_t>, 7> kButtons{{
      {"OK", mb::kOk},
      {"Cancel", mb::kCancel},
      {"Abort", mb::kAbort},
      {"Retry", mb::kRetry},
      {"Ignore", mb::kIgnore},
      {"Yes", mb::kYes},
      {"No", mb::kNo},
  }};
  for (const auto& [name, answer] : kButtons)
    if (name == button) return answer;
  return std::nullopt;
}

ParsedScript parse_script(std::string_view text) {
  ParsedScript parsed;
  int line_number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++line_number;

    std::vector<std::string> words;
    std::string error;
    if (!split_words(line, words, error)) {
      parsed.error = "line " + std::to_string(line_number) + ": " + error;
      return parsed;
    }
    if (words.empty() || words[0].starts_with('#')) continue;

    const Verb* verb = nullptr;
    for (const Verb& v : kVerbs)
      if (v.name == words[0]) verb = &v;
    if (verb == nullptr)
      error = "unknown step \"" + words[0] + "\"";
    else if (words.size() != verb->words + 1)
      error = std::string(verb->name) + " takes " + std::to_string(verb->words) +
              (verb->words == 1 ? " word" : " words");
    ScriptStep step{};
    step.line = line_number;
    if (error.empty()) error = read_step(*verb, words, step);
    if (!error.empty()) {
      parsed.error = "line " + std::to_string(line_number) + ": " + error;
      return parsed;
    }
    parsed.steps.push_back(std::move(step));
  }
  return parsed;
}

}  // namespace quarn::forms
