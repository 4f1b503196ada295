# The translations are complete and up to date: lupdate, run on the sources over a copy of each
# translations/*.ts, changes nothing (every text the sources hand to the translation system is in
# the file, and nothing else is), and no entry is left unfinished. Run by CTest as
# `cmake -DLUPDATE=... -DOPTIONS=... -DSOURCES=... -DTRANSLATIONS=... -DWORK=... -P translations.cmake`.

cmake_minimum_required(VERSION 3.22)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(failures "")
foreach(ts IN LISTS TRANSLATIONS)
  get_filename_component(name "${ts}" NAME)
  set(copy "${WORK}/${name}")
  file(COPY_FILE "${ts}" "${copy}")
  execute_process(COMMAND "${LUPDATE}" ${OPTIONS} ${SOURCES} -ts "${copy}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
  endif()
  file(READ "${ts}" before)
  file(READ "${copy}" after)
  if(NOT before STREQUAL after)
    execute_process(COMMAND diff -u "${ts}" "${copy}" OUTPUT_VARIABLE difference)
    list(APPEND failures "${name} is not what lupdate makes of the sources (run the update_translations target):\n${difference}")
  endif()
  # Each unfinished entry, by its source text.
  string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" unfinished "${after}")
  foreach(entry IN LISTS unfinished)
    string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
    list(APPEND failures "${name}: not translated: ${text}")
  endforeach()
  if(after MATCHES "type=\"(vanished|obsolete)\"")
    list(APPEND failures "${name} keeps entries the sources no longer have")
  endif()
endforeach()

if(failures)
  string(REPLACE ";" "\n" text "${failures}")
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "The translations are complete and up to date.")
