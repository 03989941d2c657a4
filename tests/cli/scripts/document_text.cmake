# Opens a document in the word processor (headless, a profile of its own), exports it as
# UTF-8 text and checks that text: cmake -DDOCUMENT=... -DWORK=... -DEXPECT=regex -P this
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND soffice --headless "-env:UserInstallation=file://${WORK}/profile"
                        --convert-to "txt:Text (encoded):UTF8" --outdir "${WORK}" "${DOCUMENT}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
get_filename_component(stem "${DOCUMENT}" NAME_WE)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK}/${stem}.txt")
  message(FATAL_ERROR "the word processor could not open ${DOCUMENT} (status ${status})")
endif()
file(READ "${WORK}/${stem}.txt" text)
if(NOT text MATCHES "${EXPECT}")
  message(FATAL_ERROR "the document's text does not match '${EXPECT}':\n${text}")
endif()
