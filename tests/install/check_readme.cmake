# Every file of the README's examples (EXAMPLES/c, cpp, cobol) appears in README whole, so
# what the README shows is what the tests build and run.
file(READ ${README} readme)
file(GLOB_RECURSE files RELATIVE ${EXAMPLES} ${EXAMPLES}/c/* ${EXAMPLES}/cpp/*
     ${EXAMPLES}/cobol/ixiostat-call.cob ${EXAMPLES}/cobol/build.sh)
list(LENGTH files count)
if(count LESS 7)
  message(FATAL_ERROR "only ${count} example files found")
endif()
foreach(file ${files})
  file(READ ${EXAMPLES}/${file} text)
  string(FIND "${readme}" "\n${text}```" at)
  if(at LESS 0)
    message(FATAL_ERROR "README.md does not show ${file} as it is")
  endif()
endforeach()
message(STATUS "${count} example files shown in the README")
