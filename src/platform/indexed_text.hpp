// Indexed files as text, so that a file can be shipped, read and built by hand: one record
// a line, the record's bytes as they are, in key order.
#pragma once

#include <string>

#include "platform/indexed.hpp"

namespace quarn::platform {

// Writes every record of the indexed file `file` to `text` (standard output when empty).
// Empty on success, otherwise what went wrong. A record that holds a line end cannot be
// written as a line and stops the export. A text file is replaced whole or not at all.
std::string export_text(const std::string& file, const IndexedLayout& layout,
                        const std::string& text);

// Builds the indexed file `file` from the lines of `text` (standard input when empty): a
// line shorter than the record is padded with spaces, an empty line is skipped. The records
// replace those of the file in one transaction, committed only when every line was good, so
// an existing file is replaced whole or not at all. Empty on success, otherwise what went
// wrong.
std::string import_text(const std::string& file, const IndexedLayout& layout,
                        const std::string& text);

}  // namespace quarn::platform
