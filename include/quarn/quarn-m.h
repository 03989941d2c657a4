/* QUARN-M: routines and forms for the suite's business applications.
 *
 * This is the whole C interface of libquarn-m.so. Its rules:
 *
 *  (1) Every program takes a fixed list of parameter records, each passed by address. A
 *      record is a struct of char arrays: fixed-width fields with no terminator, text
 *      left-justified and padded with spaces. The caller owns every record; a program reads
 *      and writes it in place during the call and keeps no pointer to it afterwards.
 *  (2) Numbers inside records are display digits ("0"-"9", right-justified, leading zeros).
 *      In a signed field the sign sits in the high half of the last byte: 0x4 or 0x3 reads
 *      as +, 0x5 or 0x7 as -. The library writes + as 0x4 and - as 0x5, or, inside a
 *      GnuCOBOL process, as GnuCOBOL itself does (plain digit, 0x70 + digit); see
 *      quarn_set_sign_convention(). quarn_read_display()/quarn_write_display() encode them.
 *  (3) Each program is exported three times: under the C name declared here
 *      (QUARN_START_EXE), under its exact name for dlsym() callers ("START-EXE"), and
 *      under the name a GnuCOBOL CALL resolves (START__EXE: each "-" becomes "__").
 *  (4) A program returns a 32-bit result that callers use only where its description says
 *      so; every outcome is in the records. Nothing is thrown across this interface.
 *  (5) Programs keep static storage between calls and are not reentrant: callers serialise
 *      their calls. A call of a program that is already running is not run; it is reported
 *      to the run-time error handler (quarn_set_error_handler()).
 *  (6) A null record pointer means "not passed". A program never touches a record that was
 *      not passed; a call that lacks a record the program needs is reported to the run-time
 *      error handler and does nothing.
 */
#ifndef QUARN_QUARN_M_H_
#define QUARN_QUARN_M_H_

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define QUARN_API __attribute__((visibility("default")))
#else
#define QUARN_API
#endif

#ifdef __cplusplus
#define QUARN_RECORD_SIZE(type, size) static_assert(sizeof(type) == (size), #type " size")
extern "C" {
#else
#define QUARN_RECORD_SIZE(type, size) _Static_assert(sizeof(type) == (size), #type " size")
#endif

/* The version of this header; quarn_version() is the library's, "MAJOR.MINOR.PATCH". */
#define QUARN_VERSION_MAJOR 0
#define QUARN_VERSION_MINOR 1
#define QUARN_VERSION_PATCH 0

/* ---------------------------------------------------------------------------------------
 * Library services
 * ------------------------------------------------------------------------------------- */

/* The library's version, "MAJOR.MINOR.PATCH" (NUL-terminated, static): a caller can compare
 * it with the QUARN_VERSION_* macros of the header it was compiled against. */
QUARN_API const char* quarn_version(void);

/* Calls a program by name: `name` is the program's name, exact ("START-EXE") and either
 * NUL-terminated or space-padded to 14 characters; `params` holds `count` record addresses.
 * Records the program takes beyond `count` are "not passed". On success stores the
 * program's result in *result (when result is not NULL) and returns 0; returns -1 when no
 * program has that name and -2 when count is negative or larger than the program takes. */
QUARN_API int quarn_call(const char* name, void* const* params, int count, int32_t* result);

/* Describes a program: the number of records it takes and the length of each (at most
 * `max_lengths` are stored in `lengths`). Returns the number of records, or -1 for an
 * unknown name. */
QUARN_API int quarn_program_info(const char* name, size_t* lengths, int max_lengths);

/* What the index-th parameter (0-based) of a program is: QUARN_PARAMETER_RECORD, bytes of
 * the length quarn_program_info() gives, or QUARN_PARAMETER_CALLBACKS, a struct of
 * callbacks the caller provides (POP's QuarnCallerForm), which no text can fill. -1 for
 * an unknown name or an index past the program's parameters. */
enum { QUARN_PARAMETER_RECORD = 0, QUARN_PARAMETER_CALLBACKS = 1 };
QUARN_API int quarn_program_parameter_kind(const char* name, int index);

/* The name of the index-th program (0-based, in name order), or NULL past the last. */
QUARN_API const char* quarn_program_name(int index);

/* A named external area: one block per name and process, shared with GnuCOBOL callers
 * that declare a record of that name EXTERNAL. `name` is spelt as the records spell it
 * ("X-MISC-EXTERNAL-WS"). The block is zero-filled when first made. Returns NULL when the
 * block exists with a smaller size than asked for. */
QUARN_API void* quarn_external_area(const char* name, size_t size);

/* Run-time errors: raised when a call to an outside routine fails, when a program is
 * called while it is running, or when a record it needs was not passed. The default
 * handler writes one line to standard error. The program carries on after the handler
 * returns, with whatever the failing call left in its fields. */
typedef struct QuarnRuntimeError {
  int32_t code;        /* 16 */
  int32_t line;        /* source line of the failing statement */
  const char* program; /* exact program name, NUL-terminated */
  const char* text;    /* what failed, NUL-terminated */
} QuarnRuntimeError;
typedef void (*QuarnErrorHandler)(const QuarnRuntimeError* error, void* context);
/* Installs a handler (NULL restores the default); returns the previous one. */
QUARN_API QuarnErrorHandler quarn_set_error_handler(QuarnErrorHandler handler, void* context);

/* How signed display numbers are written. AUTO (the default) writes the records' own
 * convention (0x4 / 0x5 in the last byte) unless the library runs inside a GnuCOBOL
 * process, where it writes GnuCOBOL's (plain digit / 0x70 + digit). The environment
 * variable QUARN_SIGN_CONVENTION=record|gnucobol|auto sets the starting value. */
enum { QUARN_SIGN_AUTO = 0, QUARN_SIGN_RECORD = 1, QUARN_SIGN_GNUCOBOL = 2 };
QUARN_API void quarn_set_sign_convention(int convention);
/* The convention in force after AUTO is resolved: QUARN_SIGN_RECORD or QUARN_SIGN_GNUCOBOL. */
QUARN_API int quarn_sign_convention(void);

/* Reads a display number of `width` (1-18) bytes into *value: signed when `is_signed` is
 * non-zero. Returns 0, or -1 when the field does not hold a number of that kind. */
QUARN_API int quarn_read_display(const char* field, int32_t width, int32_t is_signed,
                                 int64_t* value);
/* Writes *value into a display field of `width` (1-18) bytes, signed when `is_signed` is
 * non-zero, in the convention in force. Returns 0, or -1 when the value does not fit (the
 * field then holds its low-order digits) or is negative for an unsigned field. */
QUARN_API int quarn_write_display(char* field, int32_t width, int32_t is_signed,
                                  const int64_t* value);

/* ---------------------------------------------------------------------------------------
 * Module entry points of the form component. They forward to the form runtime and return
 * its answer unchanged (HRESULT values).
 * ------------------------------------------------------------------------------------- */
QUARN_API int32_t DllGetClassObject(const void* class_id, const void* interface_id, void** object);
QUARN_API int32_t DllCanUnloadNow(void);
QUARN_API int32_t DllRegisterServer(void);
QUARN_API int32_t DllUnregisterServer(void);
QUARN_API int32_t CfDllGetClassObjectByName(const uint16_t* class_name, const void* interface_id,
                                            void** object);

/* ---------------------------------------------------------------------------------------
 * External areas shared with the calling applications (one block per process each; reach
 * them with quarn_external_area("X-MISC-EXTERNAL-WS", sizeof(QuarnXMiscExternalWs))).
 * ------------------------------------------------------------------------------------- */

/* X-MISC-EXTERNAL-WS: sign-on state, the suite's folders and screen information. The
 * calling application fills the home folder, the station and the user before it calls a
 * program that uses them. Fields not named here belong to the applications. */
typedef struct QuarnXMiscExternalWs {
  char xm_level[1];         /* one-digit signed display value */
  char xm_home_folder[67];  /* the suite's home folder, ending with a separator, then a
                               zero byte unless it fills the field */
  char xm_folder_length[2]; /* characters of folder text in xm_home_folder, its final
                               separator included; binary, most significant byte first */
  char xm_station_no[3];    /* station number, display digits (the last may carry a sign) */
  char xm_filler_73[14];
  char xm_sign_on_87[15];  /* sign-on data, cleared at sign-off */
  char xm_user_id[4];      /* the signed-on user; all spaces when nobody is */
  char xm_sign_on_106[30]; /* sign-on data, cleared at sign-off */
  char xm_filler_136[1];
  char xm_sign_on_137[450]; /* sign-on data, cleared at sign-off: the user's program
                               list is 15-character entries */
  char xm_filler_587[15];
  char xm_preferences[8]; /* station preference options; "S" first: keep window places */
  char xm_filler_610[40];
  char xm_work_area_top[4]; /* screen work area: native binary integers */
  char xm_work_area_left[4];
  char xm_work_area_width[4];
  char xm_work_area_height[4];
  char xm_work_area_666[2]; /* native binary, filled by program control */
  char xm_work_area_668[4]; /* native binary, filled by program control */
  char xm_filler_672[1026];
  char xm_document_folder[100]; /* default document folder */
  char xm_browse_path[128];     /* file browse: the filter going in, the chosen path back */
  char xm_browse_title[32];     /* file browse: the dialog title */
  char xm_browse_result[4];     /* file browse: "0001" when a file was chosen, else "0000" */
  char xm_browse_folder[64];    /* file browse: the start folder, and the chosen file's folder
                                   back; its first 11 characters are also the backup form's
                                   folder selector ("SOURCE" or "DESTINATION") */
  char xm_filler_2026[102];
} QuarnXMiscExternalWs;
QUARN_RECORD_SIZE(QuarnXMiscExternalWs, 2128);

/* QUARN-CTLFL-EXTERNAL-VALUES: the control file of the process. */
typedef struct QuarnCtlflExternalValues {
  char qc_path[100]; /* the name the control file was opened under, in double quotes; all
                        spaces while it is not open */
  char qc_status[2]; /* file status of the last operation on it */
} QuarnCtlflExternalValues;
QUARN_RECORD_SIZE(QuarnCtlflExternalValues, 102);

/* ---------------------------------------------------------------------------------------
 * IXIOSTAT: turns a two-character file status into the suite's message.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnIxiostatRecord {
  char ix_status_code[2];     /* in: the status, compared byte for byte */
  char ix_status_message[62]; /* out: "=00 - OK |" and the like, space-padded */
} QuarnIxiostatRecord;
QUARN_RECORD_SIZE(QuarnIxiostatRecord, 64);
QUARN_API int32_t QUARN_IXIOSTAT(QuarnIxiostatRecord* record);

/* ---------------------------------------------------------------------------------------
 * WORDTOHEX: a 16-bit word as four hexadecimal digits.
 * `word` is read as a native (little-endian) two-byte integer; its absolute value is
 * written, -32768 as "8000". `byte_order` "Y" puts the low byte's two digits first. The
 * result holds the four characters, the first in its lowest byte; nothing else is written.
 * ------------------------------------------------------------------------------------- */
QUARN_API int32_t QUARN_WORDTOHEX(const int16_t* word, const char* byte_order);

/* ---------------------------------------------------------------------------------------
 * Dates. A date is month, day and year; the suite accepts years 1801-2099 and its leap
 * rule is "divisible by 4, except 1900". A day number counts days from 30 December 1799
 * (1 January 1801 is 367, 1 January 2020 is 80355, 31 December 2099 is 109574).
 * ------------------------------------------------------------------------------------- */

/* DATECHK: checks a month/day/year date. The three switches are put back to "N" at the end
 * of every call, so a caller sets them before each call. */
typedef struct QuarnDatechkRecord {
  char dc_month[2];      /* in: signed display number, 1-12 */
  char dc_day[2];        /* in: signed display number, 1 to the month's length */
  char dc_year[4];       /* in: signed display number, four-digit year */
  char dc_result[2];     /* out: "00" valid, "99" invalid (plain digits) */
  char dc_zero_month[1]; /* in, reset to "N": "N" = a month below 1 is invalid; any other
                            character accepts it (an accepted month has 31 days) */
  char dc_zero_day[1];   /* in, reset to "N": "N" = a day below 1 is invalid; any other
                            character accepts it */
  char dc_year_check[1]; /* in, reset to "N": "N" = the year must lie in 1801-2099; "Y" =
                            year 0 too; any other character = the year is not checked */
} QuarnDatechkRecord;
QUARN_RECORD_SIZE(QuarnDatechkRecord, 13);
QUARN_API int32_t QUARN_DATECHK(QuarnDatechkRecord* record);

/* DATEDIT: splits a typed date ("1/2/2020", "02-03-04", "1.2.20"), completes a two-digit
 * year, turns day 99 into the month's last day, checks the date with DATECHK and rewrites
 * the text as " 1/02/2020". The pivot and the month-and-year switch are put back to "50"
 * and "N" at the end of a call (not when the result is "04" for a year that is neither two
 * nor four digits). */
typedef struct QuarnDateditRecord {
  char de_date_text[10];       /* in and out: the typed date; "-" and "." become "/"; rewritten
                                  as MM/DD/YYYY (a leading zero of the month as a space) whenever
                                  the text split into month, day and year */
  char de_last_day[1];         /* out: "Y" when day 99 was replaced by the month's last day */
  char de_result[2];           /* out: "00" valid, "99" invalid date, "04" no date in the text
                                  (year not of 2 or 4 digits), or the count of parts (3 + each
                                  extra separator) when the text had too many separators */
  char de_pivot[2];            /* in, reset to "50": a two-digit year below it is in the 2000s,
                                  the others in the 1900s */
  char de_month_year[1];       /* in, reset to "N": "Y" = the text holds month and year only */
  QuarnDatechkRecord de_check; /* in and out: receives the split date and is checked; the
                                  caller sets its three switches */
} QuarnDateditRecord;
QUARN_RECORD_SIZE(QuarnDateditRecord, 29);
QUARN_API int32_t QUARN_DATEDIT(QuarnDateditRecord* record);

/* GETDAY: the day number and day of the week of a date. `check` is a DATECHK record of
 * which only the first 12 bytes are used: its date receives a copy of the day record's
 * (a month or day of 0 becomes 1 when dc_zero_month or dc_zero_day is "Y"), and its
 * dc_result must be "00" (or spaces) for anything to be computed. Nothing is computed
 * either for a month outside 1-12, a year from 1 to 1799, or a date that is not a
 * number. 1800 is numbered as GETDATE counts it (1 January 1800 is 1, with a
 * 29 February). */
typedef struct QuarnGetdayRecord {
  char gy_month[2];        /* in: display digits */
  char gy_day[2];          /* in: display digits; a day past the month's end counts on */
  char gy_year[4];         /* in: display digits */
  char gy_check_result[2]; /* out: copy of the check record's result, plain digits */
  char gy_weekday[2];      /* out: "01" Sunday ... "07" Saturday, "08" for year 0, "00"
                              when nothing was computed */
  char gy_day_number[6];   /* out: unsigned; "000000" when nothing was computed */
} QuarnGetdayRecord;
QUARN_RECORD_SIZE(QuarnGetdayRecord, 18);
QUARN_API int32_t QUARN_GETDAY(QuarnDatechkRecord* check, QuarnGetdayRecord* day);

/* GETDATE: the date of a day number. Numbers outside 1-109574 give "99" and still a date in
 * the same count (0 is 31 December 1799); a number field that is not a number gives "99"
 * and the date "00000000". */
typedef struct QuarnGetdateRecord {
  char gd_result[2];     /* out: "00" valid, "99" out of range */
  char gd_day_number[6]; /* in: signed display number */
  char gd_month[2];      /* out: plain digits */
  char gd_day[2];        /* out: plain digits */
  char gd_year[4];       /* out: plain digits */
} QuarnGetdateRecord;
QUARN_RECORD_SIZE(QuarnGetdateRecord, 16);
QUARN_API int32_t QUARN_GETDATE(QuarnGetdateRecord* record);

/* ---------------------------------------------------------------------------------------
 * AMTNAME: an amount of money in words for a cheque, protected by "**" on the left
 * ("**One Thousand Two Hundred Thirty-Four & 56/100 Dollars"). Higher groups become
 * numerals ("12 Million") when the words would not fit. A negative amount is worded as zero.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnAmtnameRecord {
  char an_amount[14];        /* in: signed display number, 12 integer digits and 2 decimals */
  char an_words[80];         /* out: the amount in words, space-padded */
  char an_cents_option[1];   /* in: "2" writes the cents as "& 56/100"; else no cents */
  char an_trailing_text[10]; /* in: appended after the words (e.g. "Dollars"); may be spaces */
  char an_result_code[2];    /* out: always "00" */
} QuarnAmtnameRecord;
QUARN_RECORD_SIZE(QuarnAmtnameRecord, 107);
QUARN_API int32_t QUARN_AMTNAME(QuarnAmtnameRecord* record);

/* ---------------------------------------------------------------------------------------
 * MIXCASE: upper-case text into mixed case, in place, with the suite's abbreviations kept
 * in capitals. Both option bytes read as spaces after every call: set them before each.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnMixcaseRecord {
  char mc_style[1];         /* in, reset to space: "S" sentence style; else word style */
  char mc_exception_set[1]; /* in, reset to space: "A" address words, "N" name suffixes and
                               degrees; else only the general list */
  char mc_text[100];        /* in and out: the text, converted in place */
} QuarnMixcaseRecord;
QUARN_RECORD_SIZE(QuarnMixcaseRecord, 102);
QUARN_API int32_t QUARN_MIXCASE(QuarnMixcaseRecord* record);

/* ---------------------------------------------------------------------------------------
 * NUMEDIT: a number typed as free text ("$1,234.56-") as a signed display number. Every
 * digit counts, everything else is skipped; a "-" anywhere makes it negative.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnNumeditRecord {
  char ne_text[24];   /* in (unchanged): the number as typed */
  char ne_number[18]; /* out: signed display number, 13 integer and 5 decimal digits */
} QuarnNumeditRecord;
QUARN_RECORD_SIZE(QuarnNumeditRecord, 42);
QUARN_API int32_t QUARN_NUMEDIT(QuarnNumeditRecord* record);

/* ---------------------------------------------------------------------------------------
 * COMPRESS: drops leading spaces and reduces every run of spaces to one, in place.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnCompressRecord {
  char cp_text[100]; /* in and out: the text */
} QuarnCompressRecord;
QUARN_RECORD_SIZE(QuarnCompressRecord, 100);
QUARN_API int32_t QUARN_COMPRESS(QuarnCompressRecord* record);

/* ---------------------------------------------------------------------------------------
 * ANDEDIT: doubles every "&" of a caption, in place, so that a window shows the character
 * instead of taking it as an access-key mark. What no longer fits in 128 is lost.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnAndeditRecord {
  char ae_text[128]; /* in and out: the caption */
} QuarnAndeditRecord;
QUARN_RECORD_SIZE(QuarnAndeditRecord, 128);
QUARN_API int32_t QUARN_ANDEDIT(QuarnAndeditRecord* record);

/* ---------------------------------------------------------------------------------------
 * XKEYCODE: the character a virtual-key code carries, unshifted or shifted, and its index
 * (1-64) in the key tables.
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnXkeycodeRecord {
  char xk_key_code[2];     /* in: native binary, signed: the virtual-key code */
  char xk_shift_state[2];  /* in: native binary, signed: 1 = shifted, else not */
  char xk_character[1];    /* out: the key's character, or a space */
  char xk_no_character[1]; /* out: "1" when the key has no character, else "0" */
  char xk_key_index[2];    /* out: unsigned display number, 01-64; "00" without a character */
} QuarnXkeycodeRecord;
QUARN_RECORD_SIZE(QuarnXkeycodeRecord, 8);
QUARN_API int32_t QUARN_XKEYCODE(QuarnXkeycodeRecord* record);

/* ---------------------------------------------------------------------------------------
 * System helpers: starting programs, web and help, folders, version strings, registration.
 * ------------------------------------------------------------------------------------- */

/* START-EXE: starts a program from a command line and, when asked, waits for its end.
 * The line is split into arguments as the suite's command lines are written (quotes,
 * backslashes before quotes, doubled quotes inside quotes) and the program starts with no
 * shell in between. Its first word goes through the program map (README). Binary fields
 * are native (little-endian) integers. */
typedef struct QuarnSeCommandLine {
  char se_command_line[255]; /* in: program and arguments, trailing spaces ignored */
} QuarnSeCommandLine;
QUARN_RECORD_SIZE(QuarnSeCommandLine, 255);
QUARN_API int32_t QUARN_START_EXE(const QuarnSeCommandLine* command_line,
                                  const int16_t* show_window, /* in: window state (unused
                                                                 here: no windows) */
                                  const int16_t* wait_flag,   /* in: 0 = return at once */
                                  int32_t* exit_code, /* out: the exit code when waited, else 0 */
                                  int32_t* started);  /* out: 1 started, 0 not started */

/* TOWEB: runs the suite's web script "gotoweb.vbs" of a folder with a one-character
 * argument, without waiting. */
typedef struct QuarnTowebRecord {
  char tw_script_folder[67];  /* in: folder with its final separator, then a zero byte
                                 unless it fills the field */
  char tw_started[4];         /* out: native binary, non-zero when the script host started */
  char tw_script_argument[1]; /* in: the script's argument */
} QuarnTowebRecord;
QUARN_RECORD_SIZE(QuarnTowebRecord, 72);
QUARN_API int32_t QUARN_TOWEB(QuarnTowebRecord* record);

/* HTMLHELP: opens a help page through the suite's help script "openhelps.vbs" in the home
 * folder (X-MISC-EXTERNAL-WS), without waiting. When nothing could be started it shows
 * "Unable to open helps, contact support." (on standard error by default). */
typedef struct QuarnHelpRequest {
  char hr_reserved[4];    /* not read or written */
  char hr_help_file[128]; /* in: help file name or path, ends at two spaces */
  char hr_page[50];       /* in: page in the help file; may be blank */
  char hr_topic[50];      /* in: anchor on the page; may be blank */
} QuarnHelpRequest;
QUARN_RECORD_SIZE(QuarnHelpRequest, 232);
QUARN_API int32_t QUARN_HTMLHELP(QuarnHelpRequest* request);

/* CHECKPATH: whether files can be created in a folder (by creating and deleting the probe
 * file "CKPERK9CV.QNC" there), optionally creating the folder. */
typedef struct QuarnCheckpathRecord {
  char cp_path[128];      /* in: a path; its folder part (up to the last "\" or "/") */
  char cp_create_flag[1]; /* in: "Y" = create the folder when it cannot be probed */
  char cp_status[2];      /* out: "00" writable, "73" folder created, "74" not
                             writable and not created, "75" probe not removed, "79" no
                             separator in the path */
} QuarnCheckpathRecord;
QUARN_RECORD_SIZE(QuarnCheckpathRecord, 131);
QUARN_API int32_t QUARN_CHECKPATH(QuarnCheckpathRecord* record);

/* GET-CURRENT-DIR: the current folder. */
typedef struct QuarnCdFolder {
  char cd_folder[255]; /* out: the folder, space-padded */
} QuarnCdFolder;
QUARN_RECORD_SIZE(QuarnCdFolder, 255);
QUARN_API int32_t QUARN_GET_CURRENT_DIR(QuarnCdFolder* folder,
                                        int32_t* length,  /* out: characters; 256 on failure */
                                        int32_t* status); /* out: 0 success, 1 failure */

/* GETRESOURCESTRING: one string of a file's version resource, in the first language and
 * code page the resource lists. Returns `result`, which it fills (all spaces when the
 * string cannot be read). */
typedef struct QuarnRsResult {
  char rs_result[100]; /* out: the value, space-padded */
} QuarnRsResult;
QUARN_RECORD_SIZE(QuarnRsResult, 100);
typedef struct QuarnRsFileName {
  char rs_file_name[50]; /* in: path of the file, trailing spaces ignored */
} QuarnRsFileName;
QUARN_RECORD_SIZE(QuarnRsFileName, 50);
typedef struct QuarnRsStringName {
  char rs_string_name[20]; /* in: name of the string, ended by the first space */
} QuarnRsStringName;
QUARN_RECORD_SIZE(QuarnRsStringName, 20);
QUARN_API void* QUARN_GETRESOURCESTRING(QuarnRsResult* result, const QuarnRsFileName* file_name,
                                        const QuarnRsStringName* string_name);

/* CHECK-DLL-REG: whether the suite's seven components are registered; names the first
 * that is not. */
typedef struct QuarnDrMissingName {
  char dr_missing_name[127]; /* out: spaces, or the identifier of the first missing one */
} QuarnDrMissingName;
QUARN_RECORD_SIZE(QuarnDrMissingName, 127);
QUARN_API int32_t QUARN_CHECK_DLL_REG(QuarnDrMissingName* missing_name,
                                      int32_t* result); /* out: 0, or 2 (not found) or
                                                           another error of the first
                                                           missing key */

/* ---------------------------------------------------------------------------------------
 * Name and address parsing: GETNAME, GETCSZ, GETSTATE.
 * Output texts end with a "/" right after their last character (the terminator); an empty
 * field is "/" and spaces; a field filled to its last position has no terminator. Input
 * pieces are separated by "/". Return codes are two display digits, "00" for success.
 * ------------------------------------------------------------------------------------- */

/* GETNAME: splits a personal name keyed as up to four "/"-separated pieces (first name,
 * middle name, last name, suffix) and composes a sort name "LAST SUFFIX, FIRST MIDDLE".
 * One piece goes to gn_part_3, two to gn_part_2 and gn_part_3, three or four fill the
 * parts from gn_part_1. */
typedef struct QuarnGetnameRecord {
  char gn_name_in[40];    /* in: the name as keyed, pieces separated by "/" */
  char gn_sort_name[40];  /* out: the composed sort name, or a message when the code is
                             not "00" */
  char gn_part_1[20];     /* out: a piece (see above) */
  char gn_part_2[40];     /* out: a piece */
  char gn_part_3[40];     /* out: a piece */
  char gn_part_4[20];     /* out: the fourth piece and any further ones, their "/" as
                             spaces */
  char gn_return_code[2]; /* out: "00" split, "70" more than four pieces, "79" no name */
} QuarnGetnameRecord;
QUARN_RECORD_SIZE(QuarnGetnameRecord, 202);
QUARN_API int32_t QUARN_GETNAME(QuarnGetnameRecord* record);

/* GETSTATE: looks up a state, province or district of the US, Canada, Bermuda or Singapore
 * by its two-letter code (request "01") or its three-digit number (request "02"), within
 * the country given, and checks the postal code against that country's pattern. */
typedef struct QuarnGetstateRecord {
  char gs_postal_code[20];   /* in/out: postal code, "/"-terminated; upper-cased after a
                                successful lookup */
  char gs_state_code[5];     /* in/out: two-letter code; out with its terminator ("AL/  ") */
  char gs_state_number[3];   /* in/out: unsigned display digits, "000" when there is none */
  char gs_state_name[20];    /* out: the name as the table holds it */
  char gs_country[2];        /* in/out: "US", "CA", "BM", "SG" or spaces for any */
  char gs_request_status[2]; /* in: "01" by code, "02" by number; out: return code "00"
                                found, "70" bad request, "71" not found, "72" bad number,
                                "73" postal code does not fit, "74" bad country */
} QuarnGetstateRecord;
QUARN_RECORD_SIZE(QuarnGetstateRecord, 52);
QUARN_API int32_t QUARN_GETSTATE(QuarnGetstateRecord* record);

/* GETCSZ: splits an address line "city/state/postal code", upper-cases state and postal
 * code, and looks the state up with GETSTATE in the second record (whose gs_country the
 * caller sets). */
typedef struct QuarnGetcszRecord {
  char csz_line_in[40];     /* in: city "/" state "/" postal code */
  char csz_city[40];        /* out: the city as keyed */
  char csz_state[20];       /* out: the state code, upper case */
  char csz_postal_code[20]; /* out: the postal code, upper case */
  char csz_return_code[2];  /* out: "70" not two "/" (nothing else written), "79" all
                               empty, "78" no city, else GETSTATE's return code */
} QuarnGetcszRecord;
QUARN_RECORD_SIZE(QuarnGetcszRecord, 122);
QUARN_API int32_t QUARN_GETCSZ(QuarnGetcszRecord* record, QuarnGetstateRecord* state);

/* ---------------------------------------------------------------------------------------
 * The control file "QUARN.CTL" in the suite's home folder: settings kept per user and per
 * station. The library opens it once per process at the first request, under the home
 * folder, station and user of X-MISC-EXTERNAL-WS, and keeps it open; its name and the
 * status of the last operation are in QUARN-CTLFL-EXTERNAL-VALUES.
 * ------------------------------------------------------------------------------------- */

/* CONTROL-REQUEST: one request of a program to the control file. */
typedef struct QuarnControlRequest {
  char ctl_method[24];  /* in: "GetUserGeneralControl", "SaveUserGeneralControl",
                           "GetUserStationControl", "SaveUserStationControl",
                           "SetUserWindowLocation", "SaveUserWindowLocation" or "CloseForm",
                           space-padded; compared over all 24 characters */
  char ctl_section[20]; /* in: the setting's name (the window methods build their own) */
  char ctl_value[100];  /* in for the Save methods (all spaces deletes the setting), out for
                           the reads (spaces when there is none) */
  char ctl_status[2];   /* out: file status, "00" success, "23" no such setting */
} QuarnControlRequest;
QUARN_RECORD_SIZE(QuarnControlRequest, 146);

/* CTL-MESSAGE: laid out as IXIOSTAT's record; the control file words its statuses here. */
typedef struct QuarnCtlMessage {
  char ctl_message_status[2]; /* out: the status as first reported */
  char ctl_message_text[62];  /* out: its description, space-padded */
} QuarnCtlMessage;
QUARN_RECORD_SIZE(QuarnCtlMessage, 64);

/* CTLFL-RECORD: one record of the control file. The key is its first 48 bytes. */
typedef struct QuarnCtlflRecord {
  char ctlfl_user[4];        /* the user id */
  char ctlfl_station[4];     /* "0000" user-wide, else "0" and the station number */
  char ctlfl_section[20];    /* the setting's name */
  char ctlfl_subsection[20]; /* spaces */
  char ctlfl_value[100];     /* the value, free text */
} QuarnCtlflRecord;
QUARN_RECORD_SIZE(QuarnCtlflRecord, 148);

/* Carries out one request on the control file for a program whose PROGRAM-ID-NAME (14
 * characters) and FORM-ID-NAME (16 characters) are given: fixed-width fields, or shorter
 * NUL-terminated strings; NULL reads as spaces. Both feed
 * the window key of the window methods ("OrgEdit-WINDOW"). The outcome is in the request's
 * status and, for errors and a newly made file, in the message. Returns 0, or -1 when
 * `request` or `message` is NULL (nothing is done then). */
QUARN_API int32_t quarn_control_file(QuarnControlRequest* request, QuarnCtlMessage* message,
                                     const char* program_id_name, const char* form_id_name);

/* Reads the first record of the control file whose key is not below the key in `record`
 * (above it when `after` is non-zero) into `record`, and writes the file status to
 * `status` (2 characters): "00", "23" when there is no such record, or the open's error.
 * Lets a tool walk the whole file. Returns 0, or -1 for a NULL argument. */
QUARN_API int32_t quarn_control_file_browse(QuarnCtlflRecord* record, int32_t after, char* status);

/* ---------------------------------------------------------------------------------------
 * QN-IDCTL: the suite's user-id program, which program control calls by name at sign-on
 * with the action code and XM-USER-ID, and for the actions "P4" and "P9" with CTL-MESSAGE
 * as well. It answers in the action code: "00" accepted, "23" or "XD" refused (the form
 * ends), anything else an error whose text it leaves in the message. The library's own
 * QN-IDCTL accepts every user; an application puts its program in its place with
 * quarn_set_user_id_program() (NULL restores the acceptance), and gets the previous one.
 * ------------------------------------------------------------------------------------- */
typedef int32_t (*QuarnUserIdProgram)(char* action /* 2 */, char* user_id /* 4 */,
                                      char* message /* 64, NULL when not passed */);
QUARN_API QuarnUserIdProgram quarn_set_user_id_program(QuarnUserIdProgram program);
QUARN_API int32_t QUARN_QN_IDCTL(char* action, char* user_id, char* message);

/* ---------------------------------------------------------------------------------------
 * RPTCTL-VERIFY: compares the customer's report control file "QUARN.RPT" (213-byte records)
 * with the standard one "QUARN-STD.RPT" (256-byte records), both indexed on their first 17
 * bytes and kept in the suite's home folder (XM-HOME-FOLDER, XM-FOLDER-LENGTH characters of
 * it), and logs what it finds or does in "Update.LOG" there. Check mode ends at once with
 * "1" when the log exists. An update is all or nothing: a failure part-way leaves the
 * customer's file as it was, with the error in the log and the result "9".
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnRptctlVerifyRecord {
  char rv_mode[1];   /* in: "C" check, "U" update; anything else does nothing */
  char rv_result[1]; /* out: "0" nothing to report, "1" check found a log and stopped, "2" a
                        difference found or records updated, "9" a file failed */
} QuarnRptctlVerifyRecord;
QUARN_RECORD_SIZE(QuarnRptctlVerifyRecord, 2);
QUARN_API int32_t QUARN_RPTCTL_VERIFY(QuarnRptctlVerifyRecord* record);

/* Indexed files as text lines, one record a line in key order, so that a file can be
 * shipped and inspected. The key is the first `key_length` bytes of each record; both
 * lengths must be those the file was made with. `text` NULL means standard output (export)
 * or standard input (import). Import pads a short line with spaces, skips empty lines and
 * replaces the records of `file` in one transaction, only when every line was good; it
 * refuses a text without records (the file is left as it was) unless the options hold
 * QUARN_IMPORT_ALLOW_EMPTY. Each returns 0, or -1 with a NUL-terminated description of the
 * failure in `error` (at most `error_size` bytes, NULL for none). */
QUARN_API int32_t quarn_indexed_export(const char* file, int32_t record_length, int32_t key_length,
                                       const char* text, char* error, size_t error_size);
QUARN_API int32_t quarn_indexed_import(const char* file, int32_t record_length, int32_t key_length,
                                       const char* text, char* error, size_t error_size);
#define QUARN_IMPORT_ALLOW_EMPTY 1u /* an empty text empties the file */
QUARN_API int32_t quarn_indexed_import_options(const char* file, int32_t record_length,
                                               int32_t key_length, const char* text,
                                               uint32_t options, char* error, size_t error_size);

/* Copies every record of the indexed file `from` into `to` (created when missing, its
 * records replaced in one transaction), each wherever its home folder keeps it: SQLite
 * files or a PostgreSQL server named by the folder's quarn-storage.conf. Returns the number
 * of records copied, or -1 with a NUL-terminated description in `error`. */
QUARN_API int32_t quarn_indexed_copy(const char* from, const char* to, int32_t record_length,
                                     int32_t key_length, char* error, size_t error_size);

/* Describes where the home folder `home` keeps its indexed files and, for a server, whether
 * it answers, as NUL-terminated lines in `text`. Returns 0 when the storage can be used,
 * -1 when it cannot (a bad quarn-storage.conf, a server that does not answer). */
QUARN_API int32_t quarn_storage_check(const char* home, char* text, size_t text_size);

/* ---------------------------------------------------------------------------------------
 * POP: document output. A report describes its output as requests in one POP request
 * record (INI, then SEC, WHD/WH1/WFT/WF1, WRI, PAG, PIC, STA, and last CLS, CLV or CLP;
 * PPF on its own); POP writes them as one rich-text document into a print file of the
 * suite's home folder (PRINT.rtf, PRINTA.rtf, ... rotating). The record carries POP's state
 * between requests: keep it intact for the life of a document.
 *
 * A font specification is 11 bytes: byte 20, the font digit ("0" Times New Roman, "1"
 * Arial, "2" Courier New), the size in points (two digits), "B" bold, the underline ("U"
 * single, "D" double, "T" thick, "W" words, "F" the record's underline code), "I" italic,
 * the position digit (0 normal, 1 superscript, 2 subscript) and three bytes compared only.
 * Lines and layouts use the control bytes 3 (end of line or row), 9 (tab, next cell), 17/18/19
 * (left, centre, right), 20 (font), 21 (tab-stop block), 22 (cell block), 23 (paragraph
 * end) and 24 (page number). Positions are hundredths of an inch.
 * ------------------------------------------------------------------------------------- */

/* The control bytes of POP's lines and layouts. */
enum {
  QUARN_POP_END_MARK = 3,       /* end of a line or row */
  QUARN_POP_TAB = 9,            /* tab: the next tab stop or cell */
  QUARN_POP_ALIGN_LEFT = 17,    /* the following text left-aligned */
  QUARN_POP_ALIGN_CENTRE = 18,  /* centred */
  QUARN_POP_ALIGN_RIGHT = 19,   /* right-aligned */
  QUARN_POP_FONT = 20,          /* a font specification follows (11 bytes, this one first) */
  QUARN_POP_TAB_STOPS = 21,     /* a tab-stop block follows */
  QUARN_POP_CELLS = 22,         /* a cell block follows */
  QUARN_POP_PARAGRAPH_END = 23, /* end of a paragraph */
  QUARN_POP_PAGE_NUMBER = 24    /* the page number */
};

/* POP request record. INI sets every field from output_kind to cancel_switch and from
 * spacing_before on; the picture fields, the print file name, status and message keep what
 * they held. */
typedef struct QuarnPopRecord {
  char pop_reserved[10];        /* spaces */
  char pop_output_kind[1];      /* in: "P" PRINT.rtf, "F" PDF.rtf, "D" dPDF.rtf, else TEMP.rtf */
  char pop_body_font[11];       /* in: font of every line and paragraph ("110": Arial 10) */
  char pop_orientation[1];      /* in: "P" portrait, "L" landscape */
  char pop_paper_width[4];      /* in: digits, hundredths of an inch ("0850") */
  char pop_paper_height[4];     /* in: ("1100") */
  char pop_left_margin[4];      /* in: ("0050") */
  char pop_right_margin[4];     /* in: ("0050") */
  char pop_top_margin[4];       /* in: also the header distance ("0050") */
  char pop_bottom_margin[4];    /* in: also the footer distance ("0050") */
  char pop_header_page[1];      /* in: "Y" standard page header, "N" none, "1" none and the
                                   first page has its own header and footer (WH1, WF1) */
  char pop_heading_line_1[100]; /* in: the standard header's heading lines */
  char pop_heading_line_2[100];
  char pop_heading_line_3[100];
  char pop_line_layout[512];   /* in: tab-stop and cell blocks for WRI and headers, byte 3 ends */
  char pop_line_text[768];     /* in: the line of WRI, WHD, WH1, WFT, WF1 */
  char pop_heading_font_0[11]; /* in: the report title's font ("012B": Times 12 bold) */
  char pop_heading_font_1[11]; /* in: the heading lines' fonts */
  char pop_heading_font_2[11];
  char pop_heading_font_3[11];
  char pop_small_font[11];         /* in: date, time and page number ("008": Times 8) */
  char pop_second_body_font[11];   /* in: ("010") */
  char pop_starting_page[5];       /* in: digits; non-zero restarts the page numbers there */
  char pop_line_mode[1];           /* in: " " paragraphs, "C" or "F" table rows */
  char pop_header_row_layout[512]; /* in: cells of a table's column-heading row */
  char pop_header_row_text[768];   /* in: text of the column-heading row (tabs between cells) */
  char pop_table_state[2];         /* state: "1" in a table, then "1" a row is open */
  char pop_row_layout[512];        /* in: cells of the table rows */
  char pop_row_text[768];          /* not used */
  char pop_section_break[1];       /* in: "9" each section on a new page, else continuous */
  char pop_paragraph_option_1[1];  /* not used */
  char pop_paragraph_option_2[1];  /* not used */
  char pop_underline_code[1];      /* in: the underline used where a font says "F" */
  char pop_request[3];             /* in: the request code */
  char pop_message_switch[1];      /* in: "Y" show no message for this request; POP sets "N" */
  char pop_progress_text[30];      /* in: STA's text (blank removes the window); cleared by POP */
  char pop_cancel_switch[1];       /* out: "Y" once Cancel was pressed in the progress window */
  char pop_filler_1[1];
  char pop_picture_type[5];      /* in: "JPEG" or "PNG"; blank: the QIM file's type */
  char pop_picture_x[4];         /* in: digits, hundredths of an inch from the page's left */
  char pop_picture_y[4];         /* in: digits, from the page's top */
  char pop_picture_file[86];     /* in: the picture's QIM file name */
  char pop_print_file_name[100]; /* out: the print file of the current document */
  char pop_status[2];            /* out: "00", "91" no picture name, "XX" failed, "XC" cancelled */
  char pop_message_text[512];    /* out: the last problem, "|" marks line breaks */
  char pop_spacing_before[4];    /* in: digits, twips of space before a plain line; blank none */
  char pop_filler_2[8];
  char pop_paper_width_twips[5]; /* state: the page in twips (landscape already exchanged) */
  char pop_paper_height_twips[5];
  char pop_left_margin_twips[5];
  char pop_right_margin_twips[5];
  char pop_top_margin_twips[5];
  char pop_bottom_margin_twips[5];
  char pop_filler_3[2];
  char pop_header_style[1]; /* in: "B" POP writes its standard page header, "H" none */
  char pop_filler_4[100];
  char pop_line_spacing_switch[1]; /* in: "Y" or "1": plain lines get the line spacing */
  char pop_line_spacing[2];        /* in: two digits, written after "\sl-" */
  char pop_held_layout[512];       /* not used */
  char pop_page_break_before[1];   /* in: "Y" or "1": plain lines start a new page */
  char pop_keep_with_next[1];      /* in: "Y" or "1": plain lines keep with the next */
  char pop_current_font[11];       /* state: the font last written */
  char pop_document_started[1];    /* state: "Y" once a document is open */
  char pop_held_text[768];         /* not used */
  char pop_header_row_pending[1];  /* state: "Y" a table's column-heading row is still due */
  char pop_print_folder[100];      /* state: the print file's name without letter and ".rtf" */
  char pop_first_section[1];       /* state: "Y" while the document's first section is empty */
  char pop_file_handle[4];         /* state: big-endian binary, 0 while no print file is open */
  char pop_binary_1[2];
  char pop_binary_2[2];
  char pop_file_offset[4]; /* state: big-endian binary, the document's length so far */
  char pop_binary_3[4];
  char pop_marker[4];     /* state: "COKY" after INI */
  char pop_marker_end[1]; /* state: " " */
} QuarnPopRecord;
QUARN_RECORD_SIZE(QuarnPopRecord, 6580);

/* The caller record: its first 14 characters name the calling program (the first word
 * titles POP's messages); the 40 characters at offset 846 are the report title of the
 * standard page header. */
typedef struct QuarnPopCaller {
  char pop_program_name[14];
  char pop_caller_filler[832];
  char pop_report_title[40];
} QuarnPopCaller;
QUARN_RECORD_SIZE(QuarnPopCaller, 886);

/* The caller's form: what POP asks of the window the report runs from. Texts are
 * NUL-terminated; "|" in a message marks a line break. Any callback may be NULL. */
typedef struct QuarnCallerForm {
  void* context;
  /* DISPLAYMESSAGE: shows `text` titled `title` with a message-box style (0 OK, 3 Yes/No/
   * Cancel, plus 16 critical or 48 warning) and returns the button: 1 OK, 2 Cancel, 6 Yes,
   * 7 No. */
  int32_t (*display_message)(void* context, const char* title, const char* text, int32_t style);
  /* GET-LEFT, GET-TOP, GET-WIDTH, GET-HEIGHT: the form's rectangle, in pixels. */
  void (*geometry)(void* context, int32_t* left, int32_t* top, int32_t* width, int32_t* height);
  /* THRUEVENTS: lets the windows process their pending events. */
  void (*thru_events)(void* context);
} QuarnCallerForm;

/* A form that passes POP's messages to the library's form runtime (the headless runtime
 * records them and answers with each style's preset button) and takes its rectangle from
 * the runtime's active form. For C and COBOL callers that have no window of their own. */
QUARN_API QuarnCallerForm* quarn_runtime_form(void);

/* One request. `form` may be NULL: every request but INI then fails with "--Caller did not
 * provide a form. |". */
QUARN_API int32_t QUARN_POP(QuarnPopRecord* request, QuarnPopCaller* caller, QuarnCallerForm* form);

/* QIM picture files: 128-character text records, one a line: "QIM00"; the width and
 * height in pixels (six digits each) and the type ("JPEG" or "PNG") separated by spaces;
 * then the picture's bytes in hexadecimal, 64 a record. Both return 0, or -1 when a file
 * cannot be read or written, -2 when the input is not a JPEG or PNG picture (create) or
 * not a QIM file (extract). */
QUARN_API int32_t quarn_qim_create(const char* picture_path, const char* qim_path);
QUARN_API int32_t quarn_qim_extract(const char* qim_path, const char* picture_path);


/* ---------------------------------------------------------------------------------------
 * Forms: ORGEDIT (organisation data), FLBROWSE (file browse), QNBK-FOLDER (folder
 * backup), and the form runtime.
 *
 * A form program opens its form modally on the caller's thread in the runtime in force
 * and returns when the form closes. Its inputs and outputs are the external areas. The
 * runtime is the desktop one (libquarn-m-qt.so, loaded beside this library the first time
 * a form opens) when a display is there (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM set),
 * the headless one otherwise; QUARN_FORMS=headless or QUARN_FORMS=qt decides instead. A
 * process that opens no form never loads the desktop runtime.
 *
 * The parameters of a form program belong to the runtime. Each is optional: pass NULL, or
 * fewer of them (a COBOL CALL "FLBROWSE" without USING is right). FLBROWSE reads the
 * first five, ORGEDIT and QNBK-FOLDER all six:
 *   1 QuarnFormOwner*  in: the caller's window the form is modal to (a QWidget* under the
 *                      desktop runtime); NULL: the application's active window
 *   2 int32_t*         in: modal style, 0 modal to the application, 1 to the owner only
 *   3 int32_t*         out: 1 when the form ended by its own work (FLBROWSE: a file was
 *                      chosen; ORGEDIT: an ORGFILE was saved; QNBK-FOLDER: a backup
 *                      was made), 0 when it was cancelled
 *   4 QuarnFormPlace*  in: where to open when width > 0; out: where the form was at the end
 *   5 char[8]          out: the runtime the form ran in, "headless" or "qt" and spaces
 *   6                  reserved; not read
 * ------------------------------------------------------------------------------------- */
typedef struct QuarnFormOwner {
  void* window;
} QuarnFormOwner;
typedef struct QuarnFormPlace {
  int32_t left, top, width, height; /* pixels, native binary */
} QuarnFormPlace;
QUARN_RECORD_SIZE(QuarnFormPlace, 16);

/* FLBROWSE: the open-file dialog over the browse fields of X-MISC-EXTERNAL-WS: the filter
 * pairs in xm_browse_path (description and pattern, each ended by a zero byte, the list by
 * a further one), the title, the start folder; back come "0001" and the chosen path (ended
 * and padded by zero bytes, at most 128 characters) and its folder, or "0000" and spaces. */
QUARN_API int32_t QUARN_FLBROWSE(QuarnFormOwner* owner, int32_t* modal_style, int32_t* outcome,
                                 QuarnFormPlace* place, char* runtime);

/* EN-GLOBAL-EXTERNAL-WS: the master-organisation lookup of ORGEDIT. Byte 0 the mode ("I"
 * an id of six characters beginning with "A", else "N"), bytes 1-20 the id, byte 21 "1"
 * going in and "0" back when the lookup chose an id; the name found follows. */
typedef struct QuarnEnGlobalExternalWs {
  char en_mode[1];
  char en_id[20];
  char en_status[1];
  char en_name[40]; /* the name of the id chosen */
  char en_filler_62[17];
  char en_counter[2];
  char en_filler_81[47];
} QuarnEnGlobalExternalWs;
QUARN_RECORD_SIZE(QuarnEnGlobalExternalWs, 128);

/* ORGEDIT: the organisation data of one data folder, kept in its file ORGFILE. With a
 * folder in xm_document_folder the form loads that folder's ORGFILE and Save writes it and
 * closes; with none it opens empty and File > Open chooses the ORGFILE. */
QUARN_API int32_t QUARN_ORGEDIT(QuarnFormOwner* owner, int32_t* modal_style, int32_t* outcome,
                                QuarnFormPlace* place, char* runtime, char* reserved);

/* QNBK-PARAMETERS: how a caller presets the backup form QNBK-FOLDER and reads its outcome.
 * With "QNBK" in the marker the form backs up qnbk_folder at once, without waiting for a
 * click; otherwise the form's own field is used. */
typedef struct QuarnQnbkParameters {
  char qnbk_marker[4];       /* in: "QNBK" when the caller gives the folder */
  char qnbk_reserved[2];
  char qnbk_folder[100];      /* in: the folder to back up, ending with a separator */
  char qnbk_destination[100]; /* in: the destination folder; spaces: the last one used */
  char qnbk_cloud_flag[1];    /* in: "Y" = also hand the zip file to the cloud tool (read
                                 only with the marker, else cleared to a space) */
  char qnbk_result[2];        /* out: "00" backed up, "01" ended without a backup, "02"
                                 the backup failed */
} QuarnQnbkParameters;
QUARN_RECORD_SIZE(QuarnQnbkParameters, 209);

/* QNBK-FOLDER: the folder backup form. It copies the files of one folder (not its
 * sub-folders) to a destination folder, or zips them into one file named after the folder
 * and the date and time, through the programs START-EXE runs (XCOPY, ZIP.EXE; see the
 * program map); presets and the result pass through QNBK-PARAMETERS. Every backup attempt
 * ends the form. The outcome parameter is 1 after a successful backup. */
QUARN_API int32_t QUARN_QNBK_FOLDER(QuarnFormOwner* owner, int32_t* modal_style,
                                    int32_t* outcome, QuarnFormPlace* place, char* runtime,
                                    char* reserved);

/* ENLOOKUP: the lookup form ORGEDIT opens for the master-organisation id, over
 * EN-GLOBAL-EXTERNAL-WS. The library's own lists the ids and names of the file
 * "ENLOOKUP.TXT" in the home folder (one "ID NAME" a line) and returns the one chosen.
 * An application puts its own lookup in its place (NULL restores the library's); the
 * previous one is returned. */
typedef int32_t (*QuarnLookupProgram)(void);
QUARN_API QuarnLookupProgram quarn_set_lookup_program(QuarnLookupProgram program);
QUARN_API int32_t QUARN_ENLOOKUP(void);

/* CURRENT-QNIMAGENAME: the picture QNIMAGE shows. The caller puts the full name there
 * (space-padded, or ended by a zero byte) before it opens the viewer; a picture the user
 * chooses with Browse and that is then shown is written back. Names of more than 128
 * characters are refused with a message. */
typedef struct QuarnCurrentQnimagename {
  char ci_image_name[256];
} QuarnCurrentQnimagename;
QUARN_RECORD_SIZE(QuarnCurrentQnimagename, 256);

/* IMAGE-PREFERENCES: the image viewer's preferences. ip_fit_window "Y" fits the window to
 * each picture shown, as the Resize button does; anything else keeps the window's size.
 * The rest belongs to the applications and is carried unchanged. */
typedef struct QuarnImagePreferences {
  char ip_fit_window[1];
  char ip_filler_1[63];
} QuarnImagePreferences;
QUARN_RECORD_SIZE(QuarnImagePreferences, 64);

/* QNIMAGE: the image viewer "QUARN Image Viewer". It shows the picture named in
 * CURRENT-QNIMAGENAME (BMP, JPEG, PNG, GIF, or a QIM file, which it converts with the
 * program map's "Hex2Bin.exe" in a work folder of its own that it removes again), Browse
 * chooses another through FLBROWSE, Resize fits the window to the picture within the work
 * area of X-MISC-EXTERNAL-WS, and the picture is fitted into the window whenever its size
 * changes. The outcome is 1 when a picture was shown. */
QUARN_API int32_t QUARN_QNIMAGE(QuarnFormOwner* owner, int32_t* modal_style, int32_t* outcome,
                                QuarnFormPlace* place, char* runtime, char* reserved);

/* The headless runtime's script: the steps a person would take, one a line ("type
 * OrgData-CmText \"Acme\"", "choose Country-CmCombo \"Canada (CA)\"", "click _CmBtn-SAVE",
 * "answer Yes", "folder /data/co1/", "file cancel" ...); the file named by
 * QUARN_FORMS_SCRIPT is read at the first form. Replaces the steps not yet taken; returns
 * 0, or -1 with the reason in `error` (NUL-terminated, cut to `error_size`) when the text
 * is not a script. Without steps, message boxes take their preset button and dialogs are
 * cancelled, so a batch process never waits. */
QUARN_API int32_t quarn_forms_script(const char* script, char* error, size_t error_size);
/* The message boxes the headless runtime showed, oldest first (QUARN_FORMS_RECORD names a
 * file that receives each as a line too): 1 and the message `index` copied (texts
 * NUL-terminated, cut to their sizes), or 0 when there is no such message. */
QUARN_API int32_t quarn_forms_message(int32_t index, char* caption, size_t caption_size,
                                      char* text, size_t text_size, int32_t* style,
                                      int32_t* answer);
/* Calls `hook` once for each form when it is first shown (on the desktop: painted) with
 * the form's name ("OrgEdit"); a non-zero answer closes the form as its close box would.
 * For benchmarks and automation; NULL removes the hook. */
typedef int32_t (*QuarnFormShown)(const char* form, void* context);
QUARN_API void quarn_forms_on_shown(QuarnFormShown hook, void* context);
/* The runtime that forms open in now ("headless" or "qt"; loads the desktop one when it is
 * the choice). */
QUARN_API const char* quarn_forms_runtime(void);

/* The classes of the forms that the module entry points hand out (DllGetClassObject with
 * a class id that is the program name padded to 16 bytes with zero bytes, or
 * CfDllGetClassObjectByName with the program name): each call returns 0 for success. */
typedef struct QuarnFormClass QuarnFormClass;
struct QuarnFormClass {
  const char* program; /* "ORGEDIT", "FLBROWSE", "QNBK-FOLDER", "QNIMAGE" */
  /* Activate allows the form to open, Deactivate ends it if it is open and refuses later
   * openings until the next Activate. */
  int32_t (*Activate)(QuarnFormClass* self);
  int32_t (*Deactivate)(QuarnFormClass* self);
  /* Opens the form modally with the class's modal style, and with an owner window. */
  int32_t (*DoModal)(QuarnFormClass* self);
  int32_t (*DoModal2)(QuarnFormClass* self, void* owner);
  /* With *value below 0 these read the setting into it; otherwise they set it: the modal
   * style of later openings, and whether the form takes input (1) or not (0). */
  int32_t (*ModalStyle)(QuarnFormClass* self, int32_t* style);
  int32_t (*Enabled)(QuarnFormClass* self, int32_t* enabled);
};

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* QUARN_QUARN_M_H_ */
