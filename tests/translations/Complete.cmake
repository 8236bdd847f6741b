# Every text the user reads has a finished English translation: lupdate gathers the texts of
# the sources into a copy of translations/huebird_en.ts, and any text it had to add (or any
# translation left unfinished or empty) fails the test.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DTS=... -DWORK=... -P Complete.cmake
foreach(var LUPDATE SOURCE_DIR TS WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/huebird_en.ts)
file(COPY_FILE ${TS} ${copy})
execute_process(
  COMMAND ${LUPDATE} -silent -no-obsolete -locations none -source-language zh_CN
          -target-language en_GB -tr-function-alias QT_TRANSLATE_NOOP+=HB_TR_NOOP
          -I ${SOURCE_DIR}/src ${SOURCE_DIR}/src/core ${SOURCE_DIR}/src/ui ${SOURCE_DIR}/src/app
          -ts ${copy}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${output}")
endif()

file(READ ${copy} text)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"unfinished\"" unfinished "${text}")
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation>[ \t\r\n]*</translation>" empty "${text}")
string(REGEX MATCHALL "type=\"unfinished\"" anyUnfinished "${text}")
list(LENGTH anyUnfinished count)
if(count GREATER 0 OR empty)
  set(report "")
  foreach(entry IN LISTS unfinished empty)
    string(REGEX MATCH "<source>[^<]*</source>" source "${entry}")
    string(APPEND report "  ${source}\n")
  endforeach()
  message(FATAL_ERROR "Texts without a finished English translation:\n"
                      "${report}Translate them in ${TS} (the huebird_lupdate target adds new texts).")
endif()
message(STATUS "every text has its English translation")
