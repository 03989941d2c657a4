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

/* ---------------------------------------------------------------------------------------
 * Library services
 * ------------------------------------------------------------------------------------- */

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

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* QUARN_QUARN_M_H_ */
