// What the suite's form programs share beyond the runtime: opening another form program by
// name, printing a picture of a form, the browse filter in the dialog's form, and the
// prompt of an empty file-based form (SET-OPEN-FILE-MESSAGE).
#pragma once

#include <span>
#include <string_view>

#include "forms/runtime.hpp"

namespace quarn::forms {

// Opens the form program `program` ("FLBROWSE", "ENLOOKUP") with none of its optional
// parameters, modally; false when there is no such program.
bool open_form(std::string_view program);

// Opens the help (HTMLHELP by name) at `page` and `topic` of `help_file`; blank: none.
void open_help(std::string_view help_file, std::string_view page, std::string_view topic);

// Takes a picture of the form (`base` and the runtime's extension) and hands it to the
// print program ("PRINTIMAGE" in the program map). False when either fails.
bool print_form(Form& form, std::string_view base);

// A filter written with "|" between its parts ("Text|*.txt|All Files|*.*") in the form of
// the browse fields: each part ended by a zero byte, the list by a further one, the rest
// of the field zero bytes. Parts that do not fit whole are dropped.
void put_filter(std::span<char> field, std::string_view filter);

// The text centred in the message label of an empty file-based form, by its code.
std::string_view open_file_prompt(char code);

}  // namespace quarn::forms
