// quarn report FILE: a document from a hand-written report description, through POP.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli.hpp"
#include "home_option.hpp"
#include "pop_failure.hpp"
#include "quarn/quarn-m.h"

namespace quarn::cli {
namespace {

constexpr std::string_view kName = "report";
constexpr char kFontMarker = QUARN_POP_FONT;
constexpr char kEndMark = QUARN_POP_END_MARK;

struct Report {
  QuarnPopRecord rec;
  QuarnPopCaller caller;
  std::string error;  // the first problem
  int status = kFailure;
  bool print_file = false;  // the problem is the print file's, not a line's
  std::string home;         // for messages
};

std::string_view strip(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// A font as written in a report: font digit, two-digit size, then any of B (bold), U, D,
// T, W or F (underline), I (italic) and a position digit: "112BI", "010U1".
bool font_code(std::string_view text, std::string& code) {
  if (text.size() < 3 || !std::isdigit(static_cast<unsigned char>(text[0])) ||
      !std::isdigit(static_cast<unsigned char>(text[1])) ||
      !std::isdigit(static_cast<unsigned char>(text[2])))
    return false;
  code.assign(11, ' ');
  code[0] = kFontMarker;
  code.replace(1, 3, text.substr(0, 3));
  for (const char c : text.substr(3)) {
    if (c == 'B')
      code[4] = c;
    else if (c == 'U' || c == 'D' || c == 'T' || c == 'W' || c == 'F')
      code[5] = c;
    else if (c == 'I')
      code[6] = c;
    else if (c >= '0' && c <= '2')
      code[7] = c;
    else
      return false;
  }
  return true;
}

// Line text with its marks: "{tab}", "{left}", "{center}", "{right}", "{par}", "{page}",
// "{font CODE}"; a real tab is a tab, " | " separates table cells. The end mark is added.
bool line_text(std::string_view text, bool cells, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size();) {
    if (cells && text.substr(i, 3) == " | ") {
      out += '\t';
      i += 3;
      continue;
    }
    if (text[i] != '{') {
      out += text[i++];
      continue;
    }
    const std::size_t close = text.find('}', i);
    if (close == std::string_view::npos) {
      out += text.substr(i);
      break;
    }
    const std::string_view mark = text.substr(i + 1, close - i - 1);
    std::string code;
    if (mark == "tab")
      out += '\t';
    else if (mark == "left")
      out += char{QUARN_POP_ALIGN_LEFT};
    else if (mark == "center")
      out += char{QUARN_POP_ALIGN_CENTRE};
    else if (mark == "right")
      out += char{QUARN_POP_ALIGN_RIGHT};
    else if (mark == "par")
      out += char{QUARN_POP_PARAGRAPH_END};
    else if (mark == "page")
      out += char{QUARN_POP_PAGE_NUMBER};
    else if (mark.starts_with("font ") && font_code(mark.substr(5), code))
      out += code;
    else if (mark.starts_with("font "))
      return false;
    else
      out += text.substr(i, close - i + 1);  // braces of the text itself
    i = close + 1;
  }
  out += kEndMark;
  return out.size() <= 768;
}

// A layout: tab stops "R150" (kind L, R, C or D and the position in hundredths of an inch)
// or cells "200" / "200:1111" (right edge and the borders top, left, bottom, right).
bool layout_text(std::string_view words, bool cells, std::string& out) {
  out.clear();
  std::istringstream in{std::string(words)};
  std::string word;
  while (in >> word) {
    std::string position = cells ? word.substr(0, word.find(':')) : word.substr(1);
    if (position.empty() || position.size() > 4 ||
        position.find_first_not_of("0123456789") != std::string::npos)
      return false;
    position.insert(0, 4 - position.size(), '0');
    if (cells) {
      std::string borders =
          word.find(':') == std::string::npos ? "" : word.substr(word.find(':') + 1);
      if (borders.size() > 4 || borders.find_first_not_of(" 123ST") != std::string::npos)
        return false;
      borders.resize(4, ' ');
      out += std::string(1, QUARN_POP_CELLS) + position + borders + "      ";
    } else {
      if (std::string_view("LRCD").find(word[0]) == std::string_view::npos) return false;
      out += std::string(1, QUARN_POP_TAB_STOPS) + position + word[0] + "     ";
    }
  }
  out += kEndMark;
  return out.size() <= 512;
}

struct FieldName {
  std::string_view name;
  std::size_t offset;
  std::size_t width;
};

#define QUARN_FIELD(name, member) \
  { name, offsetof(QuarnPopRecord, member), sizeof(QuarnPopRecord::member) }
const FieldName kFields[] = {
    QUARN_FIELD("output-kind", pop_output_kind),
    QUARN_FIELD("orientation", pop_orientation),
    QUARN_FIELD("paper-width", pop_paper_width),
    QUARN_FIELD("paper-height", pop_paper_height),
    QUARN_FIELD("left-margin", pop_left_margin),
    QUARN_FIELD("right-margin", pop_right_margin),
    QUARN_FIELD("top-margin", pop_top_margin),
    QUARN_FIELD("bottom-margin", pop_bottom_margin),
    QUARN_FIELD("header-page", pop_header_page),
    QUARN_FIELD("heading-1", pop_heading_line_1),
    QUARN_FIELD("heading-2", pop_heading_line_2),
    QUARN_FIELD("heading-3", pop_heading_line_3),
    QUARN_FIELD("starting-page", pop_starting_page),
    QUARN_FIELD("section-break", pop_section_break),
    QUARN_FIELD("underline-code", pop_underline_code),
    QUARN_FIELD("header-style", pop_header_style),
    QUARN_FIELD("spacing-before", pop_spacing_before),
    QUARN_FIELD("line-spacing-switch", pop_line_spacing_switch),
    QUARN_FIELD("line-spacing", pop_line_spacing),
    QUARN_FIELD("page-break-before", pop_page_break_before),
    QUARN_FIELD("keep-with-next", pop_keep_with_next),
};
const FieldName kFonts[] = {
    QUARN_FIELD("body", pop_body_font),
    QUARN_FIELD("heading-0", pop_heading_font_0),
    QUARN_FIELD("heading-1", pop_heading_font_1),
    QUARN_FIELD("heading-2", pop_heading_font_2),
    QUARN_FIELD("heading-3", pop_heading_font_3),
    QUARN_FIELD("small", pop_small_font),
    QUARN_FIELD("second-body", pop_second_body_font),
};
#undef QUARN_FIELD

// Numbers are right-justified with zeros ("50" in a four-digit margin is "0050").
void set_field(QuarnPopRecord& rec, const FieldName& field, std::string_view value) {
  char* at = reinterpret_cast<char*>(&rec) + field.offset;
  std::string text(value);
  const bool numeric = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (numeric && field.width > 1 && text.size() < field.width)
    text.insert(0, field.width - text.size(), '0');
  put_field(std::span<char>(at, field.width), text);
}

class Runner {
 public:
  Runner(Report& report, bool view) : r_(report), view_(view) {}

  bool request(std::string_view code) {
    put_field(r_.rec.pop_request, code);
    QUARN_POP(&r_.rec, &r_.caller, quarn_runtime_form());
    const std::string_view status(r_.rec.pop_status, 2);
    if (status == "00") return true;
    const PopFailure failed = pop_failure(code, status, trimmed(r_.rec.pop_message_text), r_.home);
    r_.error = failed.message;
    r_.status = failed.status;
    r_.print_file = failed.print_file;
    return false;
  }

  // One line of the description; false on a problem (r_.error says which).
  bool line(std::string_view text) {
    text = strip(text);
    if (text.empty() || text.front() == '#') return true;
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    std::string bytes;
    if (word == "title") {
      put_field(r_.caller.pop_report_title, rest);
    } else if (word == "program") {
      put_field(r_.caller.pop_program_name, rest);
    } else if (word == "set" || word == "font") {
      const std::size_t gap = rest.find(' ');
      const std::string_view name = rest.substr(0, gap);
      const std::string_view value =
          gap == std::string_view::npos ? std::string_view() : strip(rest.substr(gap + 1));
      const auto& table =
          word == "set" ? std::span<const FieldName>(kFields) : std::span<const FieldName>(kFonts);
      const auto field = std::find_if(table.begin(), table.end(),
                                      [&](const FieldName& f) { return f.name == name; });
      if (field == table.end()) return problem("unknown field '" + std::string(name) + "'");
      if (word == "font") {
        if (!font_code(value, bytes)) return problem("bad font '" + std::string(value) + "'");
        set_field(r_.rec, *field, bytes);
      } else {
        set_field(r_.rec, *field, value);
      }
    } else if (word == "tabs" || word == "cells" || word == "heading-cells") {
      if (!layout_text(rest, word != "tabs", bytes)) return problem("bad layout");
      put_field(word == "tabs"    ? std::span<char>(r_.rec.pop_line_layout)
                : word == "cells" ? std::span<char>(r_.rec.pop_row_layout)
                                  : std::span<char>(r_.rec.pop_header_row_layout),
                bytes);
    } else if (word == "heading-row") {
      if (!line_text(rest, true, bytes)) return problem("bad heading row");
      put_field(r_.rec.pop_header_row_text, bytes);
    } else if (word == "line" || word == "row") {
      if (!line_text(rest, word == "row", bytes)) return problem("bad line text");
      put_field(r_.rec.pop_line_mode, word == "row" ? "C" : " ");
      put_field(r_.rec.pop_line_text, bytes);
      return request("WRI");
    } else if (word == "header" || word == "footer" || word == "first-header" ||
               word == "first-footer") {
      if (!line_text(rest, false, bytes)) return problem("bad line text");
      put_field(r_.rec.pop_line_text, bytes);
      return request(word == "header"         ? "WHD"
                     : word == "footer"       ? "WFT"
                     : word == "first-header" ? "WH1"
                                              : "WF1");
    } else if (word == "page") {
      return request("PAG");
    } else if (word == "section") {
      return request("SEC");
    } else if (word == "progress") {
      put_field(r_.rec.pop_progress_text, rest);
      return request("STA");
    } else if (word == "picture") {
      std::istringstream in{std::string(rest)};
      std::string file, x, y, type;
      in >> file >> x >> y >> type;
      if (file.empty() || x.empty() || y.empty()) return problem("picture FILE X Y [JPEG|PNG]");
      put_field(r_.rec.pop_picture_file, file);
      set_field(r_.rec, {"", offsetof(QuarnPopRecord, pop_picture_x), 4}, x);
      set_field(r_.rec, {"", offsetof(QuarnPopRecord, pop_picture_y), 4}, y);
      put_field(r_.rec.pop_picture_type, type);
      return request("PIC");
    } else {
      return problem("unknown directive '" + std::string(word) + "'");
    }
    return true;
  }

  bool finish() { return request(view_ ? "CLV" : "CLS"); }

 private:
  bool problem(std::string text) {
    r_.error = std::move(text);
    r_.status = kFailure;
    r_.print_file = false;
    return false;
  }

  Report& r_;
  bool view_;
};

int run(const Parsed& line) {
  apply_home(line);
  const std::string file(line.operand(0));
  if (const auto why = unreadable(file)) return cannot_run(kName, *why);
  std::ifstream in(file);

  Report report;
  std::memset(&report.rec, ' ', sizeof report.rec);
  std::memset(&report.caller, ' ', sizeof report.caller);
  put_field(report.caller.pop_program_name, "REPORT");
  report.home = home_for_messages(line);
  Runner runner(report, line.has("--view"));
  if (!runner.request("INI")) return complain(kName, report.error, report.status);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    std::string bytes;
    try {
      bytes = to_record(text);
    } catch (const UsageError& error) {
      runner.finish();
      return failure(kName, file + ":" + std::to_string(number) + ": " + error.message);
    }
    if (!runner.line(bytes)) {
      const std::string problem = report.error;
      const int status = report.status;
      const bool print_file = report.print_file;
      runner.finish();
      // A print file that cannot be made or written is not the line's fault.
      const std::string where =
          print_file ? std::string() : file + ":" + std::to_string(number) + ": ";
      return complain(kName, where + problem, status);
    }
  }
  if (!runner.finish()) return complain(kName, report.error, report.status);
  std::printf("%s\n", std::string(trimmed(report.rec.pop_print_file_name)).c_str());
  return kOk;
}

const Registration registration(
    {.name = kName,
     .summary = "write a document from a report description through POP",
     .synopsis = "[--home DIR] [--view] FILE",
     .description =
         "Reads the report description FILE, one directive a line (UTF-8 text, converted to\n"
         "code page 1252), and writes the document through POP into a print file of the home\n"
         "folder (PRINT.rtf, PRINTA.rtf, ...), whose name it prints. The control file\n"
         "QUARN.CTL of the home folder is made when it is not there.\n"
         "\n"
         "  title TEXT              the report title of the standard page header\n"
         "  program NAME            the program named in messages\n"
         "  set FIELD VALUE         orientation, paper-width, left-margin, heading-1, ...\n"
         "  font WHICH CODE         body, small, heading-0..3: digit, size, B U I, position\n"
         "  tabs R150 L300          tab stops of the next lines (L R C D, hundredths)\n"
         "  cells 200:1111 400      table cells: right edge, borders top left bottom right\n"
         "  heading-cells ...       cells of the column-heading row\n"
         "  heading-row A | B       the column-heading row\n"
         "  line TEXT               a paragraph; {tab} {right} {center} {left} {par}\n"
         "                          {page} {font CODE} mark the text\n"
         "  row A | B               a table row\n"
         "  header|footer TEXT      the page header or footer (first-header, first-footer)\n"
         "  page, section           a new page, a new section\n"
         "  picture FILE.qim X Y    a picture at X, Y hundredths of an inch on the page\n"
         "  progress TEXT           the progress window's text\n"
         "  # ...                   a comment\n"
         "\n"
         "Exits with 1 when a line is wrong or POP fails, with 3 when FILE cannot be read or\n"
         "the print file cannot be made.\n",
     .options = {kHomeOption,
                 {.name = "--view", .help = "open the document in the viewer (POP-RTF-PROCESSOR)"}},
     .operands = {1, 1},
     .expects = "one report description file",
     .run = &run});

}  // namespace
}  // namespace quarn::cli
