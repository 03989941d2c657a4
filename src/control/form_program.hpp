// The fields a form program keeps for program control and the control file, which its
// nested programs (QUARN-CONTROLS, QUARN-PROGRAM-CONTROL, the recent-file list) work on.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "control/quarn_control_file.hpp"
#include "forms/runtime.hpp"
#include "frame/codec.hpp"
#include "quarn/quarn-m.h"

namespace quarn::control {

inline constexpr std::size_t kCaptionWidth = 32;
inline constexpr std::size_t kRecentFiles = 9;

// The caller's list of recently used files: a count (two display digits, at most 9) and
// that many entries.
struct RecentFileEntry {
  char path[100];     // full file name; all spaces: an empty slot
  char mark[1];       // the caller's; cleared when the entry is removed
  char use_count[2];  // display digits; only an entry with 0 may be removed
  char rank[1];       // 1 = most recently used; 9 for a new entry
};
struct RecentFileList {
  char count[2];
  RecentFileEntry entries[kRecentFiles];
};
static_assert(sizeof(RecentFileList) == 2 + 9 * 104);

// One item of the File menu's list: "&", its number, three spaces and the path make the
// caption.
struct RecentFileMenuEntry {
  char accelerator[1];
  char number[1];
  char filler[3];
  char path[100];
  char use_count[2];  // signed display
  char rank[1];
};
static_assert(sizeof(RecentFileMenuEntry) == 108);
inline constexpr std::size_t kMessageBoxStyles = 9;

struct FormProgram {
  QuarnControlRequest request{};
  QuarnCtlMessage message{};
  char program_id_name[kProgramIdWidth]{};  // set by the form before its first call
  char form_id_name[kFormIdWidth]{};
  // The form object reference, fetched from the runtime at load.
  std::shared_ptr<forms::Form> form;
  // Start fields, set at load: the date (YYYYMMDD), the time (HHMMSScc) and the signed-on
  // user's rights code for the program.
  char start_date[8]{};
  char start_time[8]{};
  char rights_code[1]{};
  // Message-box styles: 1 errors ... 7 replace questions (see program control).
  std::array<std::int32_t, kMessageBoxStyles> message_box_styles{};
  // Title of every message box of the program.
  char caption[kCaptionWidth]{};
  // The File menu's recent files, built from the caller's list.
  std::array<RecentFileMenuEntry, kRecentFiles> recent_file_menu{};

  // Text fields start as spaces, as cleared text fields are; a form that leaves its form
  // name unset then has no form part in its window key.
  FormProgram() {
    for (std::span<char> field : {std::span<char>(program_id_name), std::span<char>(form_id_name),
                                  std::span<char>(start_date), std::span<char>(start_time),
                                  std::span<char>(rights_code), std::span<char>(caption)}) {
      frame::clear(field);
    }
  }

  ProgramNames names() const {
    return {std::string_view(program_id_name, sizeof program_id_name),
            std::string_view(form_id_name, sizeof form_id_name)};
  }
};

// QUARN-CONTROLS: a control-file request of the form program (program.request), with the
// window methods reading the form's place and size for a save and applying and bounding
// them after a read.
void quarn_controls(FormProgram& program);

// QUARN-PROGRAM-CONTROL: the form's start, sign-on and sign-off and service actions. The
// action code ("LF", "LP", "L*", "LX", all 0xFF, "P4", "P9") is replaced by the result.
void quarn_program_control(FormProgram& program, char (&action)[2]);

// QUARN-IO-FILENAME-SORT: rebuilds the menu table from the list: each path once, ordered
// by rank, numbered 1, 2, 3 ...
void quarn_io_filename_sort(FormProgram& program, const RecentFileList& list);

// QUARN-IO-REMOVE-FILENAME: takes `path` out of the list unless it is in use; the status
// is "00" either way.
void quarn_io_remove_filename(RecentFileList& list, const char (&path)[100], char (&status)[2]);

// QUARN-CONTROLS-SAVE-FILE-LIST: sorts the list and saves entry n of the menu table as the
// user-wide setting `prefix` + n (two digits); an empty entry deletes its setting.
void quarn_controls_save_file_list(FormProgram& program, const RecentFileList& list,
                                   const char (&prefix)[9]);

// Shared by the list programs: the entries in use (the count, at most 9) and whether the
// station's options keep the caller's own order (third option "Y" with a level below 6).
std::size_t recent_file_count(const RecentFileList& list);
bool keeps_callers_order(const QuarnXMiscExternalWs& misc);

}  // namespace quarn::control
