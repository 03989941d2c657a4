# The COBOL cheque application in batch mode, as a user runs it:
#   cmake -DAPP=quarn-cheques -DQUARN=quarn -DSOURCE=<tree> -DWORK=<folder>
#         [-DRUN_ENV=VAR=VALUE;...] -P this
# (RUN_ENV: the environment of the application and the tool only, e.g. the sanitizer
# runtime, which the word processor must not get)
# 1. a new home folder: ORGEDIT makes the ORGFILE, the register of examples/cheques.csv is
#    written; its text, read back through the word processor's text export, is the
#    expected register; the page header names the organisation and the file; the last
#    file and the forms' place are in the control file;
# 2. the same home again: the ORGFILE and the payee file are found (no form but the file
#    dialog), and the register is the same;
# 3. a file with refused lines: each is named with its line and reason, the good one is
#    written, the exit status is 1.
set(batches ${SOURCE}/tests/data/cheques)
set(expected_text ${SOURCE}/tests/data/cheques/register.txt)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
file(COPY ${SOURCE}/examples/cheques.csv ${batches}/refused.csv DESTINATION ${WORK})

# run(NAME BATCH STATUS): runs the application; NAME_out and NAME_err are its output.
function(run name batch status)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${RUN_ENV} ${APP} --batch ${batch}
                          --home home --user TEST --station 2
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL status)
    message(FATAL_ERROR "run ${name} ended with ${rc}, expected ${status}:\n${out}\n${err}")
  endif()
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
endfunction()

# register_text(DOCUMENT OUT): the document's text as the word processor exports it,
# with its non-breaking spaces and hyphens as plain ones and without the byte-order mark.
function(register_text document out)
  set(lo ${WORK}/lo)
  file(REMOVE_RECURSE ${lo})
  execute_process(COMMAND soffice --headless "-env:UserInstallation=file://${lo}/profile"
                          --convert-to "txt:Text (encoded):UTF8" --outdir ${lo} ${document}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  get_filename_component(stem ${document} NAME_WE)
  if(NOT status EQUAL 0 OR NOT EXISTS ${lo}/${stem}.txt)
    message(FATAL_ERROR "the word processor could not open ${document} (status ${status})")
  endif()
  file(READ ${lo}/${stem}.txt text)
  string(ASCII 239 187 191 byte_order_mark)
  string(ASCII 194 160 no_break_space)
  string(ASCII 226 128 145 no_break_hyphen)
  string(REPLACE "${byte_order_mark}" "" text "${text}")
  string(REPLACE "${no_break_space}" " " text "${text}")
  string(REPLACE "${no_break_hyphen}" "-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# check_register(NAME): the register a run printed is the expected one.
function(check_register name)
  if(NOT ${name}_out MATCHES "7 cheques, 18,059\\.40\nThe register is ([^\n]+)\n$")
    message(FATAL_ERROR "run ${name} printed:\n${${name}_out}")
  endif()
  set(document ${CMAKE_MATCH_1})
  if(NOT document MATCHES "^${WORK}/home/PRINT[A-Z]?\\.rtf$")
    message(FATAL_ERROR "the register is not in the home folder: ${document}")
  endif()
  register_text(${document} text)
  file(READ ${expected_text} expected)
  if(NOT text STREQUAL expected)
    file(WRITE ${WORK}/${name}-register.txt "${text}")
    message(FATAL_ERROR "run ${name}: the register's text (${WORK}/${name}-register.txt) is "
                        "not ${expected_text}:\n${text}")
  endif()
  file(READ ${document} rtf)
  foreach(heading "RIVERSIDE COMMUNITY TRUST" "Cheques from cheques.csv" "CHEQUE REGISTER")
    string(FIND "${rtf}" "${heading}" at)
    if(at LESS 0)
      message(FATAL_ERROR "run ${name}: the page header lacks '${heading}'")
    endif()
  endforeach()
endfunction()

# expect_setting(SECTION REGEX): a setting of station 2 of user TEST matches REGEX.
function(expect_setting section regex)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${RUN_ENV} ${QUARN} ctl get
                          --home ${WORK}/home --user TEST --station 2 ${section}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE value ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the setting ${section} is not there (${rc}): ${err}")
  endif()
  string(STRIP "${value}" value)
  if(NOT value MATCHES "${regex}")
    message(FATAL_ERROR "the setting ${section} is '${value}', not '${regex}'")
  endif()
endfunction()

run(first ${SOURCE}/examples/cobol/cheques/demo.batch 0)
check_register(first)
file(STRINGS ${WORK}/home/ORGFILE org LIMIT_COUNT 1)
if(NOT org MATCHES "^RIVERSIDE COMMUNITY TRUST *$")
  message(FATAL_ERROR "ORGEDIT did not save the organisation: '${org}'")
endif()
expect_setting(CHEQUES-LAST-FILE "^${WORK}/cheques\\.csv$")
expect_setting(Cheques-WINDOW "^[0-9]+,[0-9]+,0*[1-9][0-9]*,0*[1-9][0-9]*$")

run(again ${batches}/again.batch 0)
check_register(again)

run(refused ${batches}/refused.batch 1)
set(reasons
  "refused.csv:3: DATEDIT rejects the date 13/45/26"
  "refused.csv:4: GETCSZ does not know the city line \\(code 70\\)"
  "refused.csv:5: the amount ten dollars is not an amount above zero"
  "refused.csv:6: expected number,payee,city,date,amount"
  "refused.csv:7: a quoted field does not end on its line"
  "refused.csv:8: GETNAME cannot split the payee \\(code 70\\)"
  "6 line\\(s\\) refused")
foreach(reason ${reasons})
  if(NOT refused_err MATCHES "quarn-cheques: ${reason}")
    message(FATAL_ERROR "no '${reason}' in:\n${refused_err}")
  endif()
endforeach()
if(NOT refused_out MATCHES "^1 cheque, 87\\.10\n")
  message(FATAL_ERROR "the refused run printed:\n${refused_out}")
endif()
expect_setting(CHEQUES-LAST-FILE "^${WORK}/refused\\.csv$")
