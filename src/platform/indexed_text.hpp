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
// A text without a record is refused (the file stays as it was) unless `allow_empty`: an
// empty file is far more often a mistake than the wish to empty the file. Lengths other
// than those the existing file was made with are refused ("39").
std::string import_text(const std::string& file, const IndexedLayout& layout,
                        const std::string& text, bool allow_empty = false);

// Copies every record of the indexed file `from` into `to`, wherever each lives (a home
// folder moved to a server and back): the records of `to` are replaced in one transaction,
// record for record, byte for byte. `copied` is the number of records. Empty on success,
// otherwise what went wrong; `to` is then as it was.
std::string copy_indexed(const std::string& from, const std::string& to,
                         const IndexedLayout& layout, long& copied);

}  // namespace quarn::platform
