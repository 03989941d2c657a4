# Writes the man page quarn(1) from the tool's own help: `quarn --help` for the list of
# commands, then `quarn COMMAND --help` for each, so the page never drifts from the tool.
#   cmake -DQUARN=path/to/quarn -DOUTPUT=quarn.1 -DVERSION=x.y.z -P quarn-man.cmake
foreach(var QUARN OUTPUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "quarn-man.cmake: -D${var}=... is required")
  endif()
endforeach()

# Text as roff: backslashes and hyphens escaped, a leading dot or quote made plain text.
function(roff_lines text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${QUARN} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "quarn --help failed (${rc})")
endif()
string(FIND "${help}" "\ncommands:\n" at)
if(at LESS 0)
  message(FATAL_ERROR "quarn --help lists no commands")
endif()
string(SUBSTRING "${help}" 0 ${at} intro)
math(EXPR at "${at} + 11")
string(SUBSTRING "${help}" ${at} -1 listing)
# The description: the help's paragraphs after its usage line.
string(REGEX REPLACE "^usage:[^\n]*\n+" "" intro "${intro}")
string(STRIP "${intro}" intro)
roff_lines("${intro}" intro)

set(commands "")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line ${lines})
  if(line MATCHES "^  ([a-z0-9-]+) +(.*)$")
    set(name "${CMAKE_MATCH_1}")
    roff_lines("${CMAKE_MATCH_2}" summary)
    execute_process(COMMAND ${QUARN} ${name} --help OUTPUT_VARIABLE usage RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "quarn ${name} --help failed (${rc})")
    endif()
    string(STRIP "${usage}" usage)
    roff_lines("${usage}" usage)
    roff_lines("${name}" roff_name)
    string(APPEND commands ".SS ${roff_name}\n${summary}\n.PP\n.nf\n${usage}\n.fi\n")
  endif()
endforeach()
if(commands STREQUAL "")
  message(FATAL_ERROR "quarn --help lists no commands")
endif()

file(WRITE ${OUTPUT}
".TH QUARN 1 \"\" \"quarn-m ${VERSION}\" \"User Commands\"
.SH NAME
quarn \\- calls the programs of libquarn\\-m from the shell
.SH SYNOPSIS
.B quarn
.I COMMAND
.RI [ ARGS ...]
.br
.B quarn \\-\\-help
.br
.B quarn \\-\\-version
.SH DESCRIPTION
${intro}
.PP
.B \\-\\-version
prints the version of the library, as quarn_version() returns it.
.SH COMMANDS
${commands}.SH EXIT STATUS
0 on success, 1 when the program or the command failed, 2 for bad arguments.
.SH ENVIRONMENT
.TP
.B QUARN_OPENER
the program that opens web pages and documents (by default xdg\\-open).
.SH FILES
.TP
.I PREFIX/libexec/quarn\\-m/
the helper programs quarn\\-xcopy, quarn\\-hex2bin and quarn\\-wscript, which the library
starts for the suite's XCOPY, Hex2Bin.exe and wscript command lines.
.SH SEE ALSO
.BR quarn\\-m (3)
")
