# Runs every file of the given folders once through a fuzz target (libFuzzer or the replay
# main): cmake -DTARGET=<binary> -DDIRS=<dir;dir> -P Replay.cmake
set(files)
foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${dir}/*")
  list(APPEND files ${found})
endforeach()
list(FILTER files EXCLUDE REGEX "/README[^/]*$")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no inputs in ${DIRS}")
endif()
list(SORT files)
# libFuzzer runs each file named on its command line once; the limits make a slow or greedy
# input a failure too.
execute_process(COMMAND "${TARGET}" -rss_limit_mb=1024 -timeout=60 ${files}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TARGET} failed on the corpus (status ${status}):\n${out}")
endif()
message(STATUS "${count} inputs replayed through ${TARGET}")
