// Scripts of the headless runtime: what a person would do, one step a line.
//
//   type CONTROL "text"       types into a text field ("\n" separates the lines of a block)
//   choose CONTROL "text"     chooses the list item with that text (or starting with it)
//   choose CONTROL #N         chooses the list item N (0-based; #-1 chooses nothing)
//   check CONTROL 0|1         sets a check box or a checkable menu item
//   click CONTROL             clicks a button, a menu item or a menu without items
//   timer NAME                lets a timer fire once
//   close                     clicks the window's close box
//   size W H                  resizes the window to W by H pixels (its outer size)
//   answer BUTTON             answers the next message box: OK Cancel Abort Retry Ignore
//                             Yes No, or the number of the answer
//   folder "path" | cancel    answers the next folder dialog
//   file "path" | cancel      answers the next open-file dialog
//
// Texts are in double quotes, with \" \\ \n and \t as escapes; a word without spaces
// needs none. Blank lines and lines starting with "#" are skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::forms {

struct ScriptStep {
  enum class Kind {
    kType,
    kChoose,
    kCheck,
    kClick,
    kTimer,
    kClose,
    kAnswer,
    kFolder,
    kFile,
    kSize
  };
  Kind kind;
  std::string control;      // type, choose, check, click, timer
  std::string text;         // type, choose (by text), folder, file
  std::int64_t number = 0;  // choose #N, check, answer; size: the width
  std::int64_t height = 0;  // size
  bool by_index = false;    // choose #N
  bool cancel = false;      // folder, file
  int line = 0;             // in the script, for messages
  // Dialog and message answers are taken by the dialogs; the others act on the form.
  bool is_answer() const {
    return kind == Kind::kAnswer || kind == Kind::kFolder || kind == Kind::kFile;
  }
};

struct ParsedScript {
  std::vector<ScriptStep> steps;
  std::string error;  // "line N: ..." for the first bad line; empty when all were read
};

ParsedScript parse_script(std::string_view text);

// The answer number of a button name ("Yes" gives 6), or nullopt.
std::optional<std::int32_t> answer_of(std::string_view button);

}  // namespace quarn::forms
