# Runs at ctest time (included by a test executable's include file, see quovel_add_gtest): takes
# the executable's tests and writes ctest's tests for them to CTEST_FILE, a batch of tests in
# their listed order per Wine process. Starting Wine and the program's forms again for every
# single test would cost more than most tests themselves; a batch runs its tests one after the
# other in one process, as gtest does, and ctest runs the batches side by side.
#
# Each test's own time in one process is kept in TIMES_FILE ("Suite.Test milliseconds"); a test
# missing there counts as kDefaultMs. Consecutive tests, of one suite or of the next ones, join
# one batch until it holds kBatchMs; a longer test is a batch of its own. A batch's COST is its
# tests' time, so that ctest starts the longest first whether or not it has learnt their times.
set(kBatchMs 20000)
set(kDefaultMs 700)

# The list that the build wrote (cmake/ListTests.cmake); an executable built some other way is
# asked here.
if(EXISTS "${LIST_FILE}" AND "${LIST_FILE}" IS_NEWER_THAN "${TEST_EXECUTABLE}")
  file(READ "${LIST_FILE}" listing)
else()
  execute_process(COMMAND ${TEST_EXECUTOR} "${TEST_EXECUTABLE}" --gtest_list_tests
                  WORKING_DIRECTORY "${TEST_WORKING_DIR}" TIMEOUT 120
                  OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${rc}):\n${listing}")
  endif()
endif()

if(EXISTS "${TIMES_FILE}")
  file(STRINGS "${TIMES_FILE}" lines REGEX "^[^#]")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([^ ]+) ([0-9]+)$" m "${line}")
    if(m)
      string(MAKE_C_IDENTIFIER "${CMAKE_MATCH_1}" key)
      set("ms_${key}" ${CMAKE_MATCH_2})
    endif()
  endforeach()
endif()

list(JOIN TEST_PROPERTIES " " properties)
set(executor "")
foreach(e IN LISTS TEST_EXECUTOR)
  string(APPEND executor "[==[${e}]==] ")
endforeach()

# The batches, each "first suite|last suite|milliseconds|filter".
set(batches "")
set(batch "")
set(batchMs 0)
set(first "")
set(last "")
macro(flush_batch)
  if(batch)
    list(JOIN batch ":" joined)
    list(APPEND batches "${first}|${last}|${batchMs}|${joined}")
  endif()
  set(batch "")
  set(batchMs 0)
endmacro()

set(suite "")
string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
foreach(line IN LISTS listing)
  string(REGEX REPLACE " *#.*$" "" line "${line}")
  if(line MATCHES "^([^ ].*)\\.$")
    set(suite "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  ([^ ]+)$" AND suite)
    set(test "${CMAKE_MATCH_1}")
    if(suite MATCHES "(^|/)DISABLED_" OR test MATCHES "^DISABLED_")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "${suite}.${test}" key)
    if(DEFINED "ms_${key}")
      set(ms ${ms_${key}})
    else()
      set(ms ${kDefaultMs})
    endif()
    math(EXPR sum "${batchMs} + ${ms}")
    if(batch AND sum GREATER kBatchMs)
      flush_batch()
    endif()
    if(NOT batch)
      set(first "${suite}")
    endif()
    set(last "${suite}")
    list(APPEND batch "${suite}.${test}")
    math(EXPR batchMs "${batchMs} + ${ms}")
  endif()
endforeach()
flush_batch()

# A batch is named by its suite, or by its first and last suite ("A..C"); where several batches
# would have one name, each gets its number as well ("A#2").
set(out "")
set(bases "")
foreach(b IN LISTS batches)
  string(REPLACE "|" ";" f "${b}")
  list(GET f 0 s)
  list(GET f 1 e)
  if(s STREQUAL e)
    set(base "${s}")
  else()
    set(base "${s}..${e}")
  endif()
  string(MAKE_C_IDENTIFIER "${base}" key)
  if(DEFINED "n_${key}")
    math(EXPR "n_${key}" "${n_${key}} + 1")
  else()
    set("n_${key}" 1)
    set("k_${key}" 0)
  endif()
  list(APPEND bases "${base}")
endforeach()
foreach(b IN LISTS batches)
  string(REPLACE "|" ";" f "${b}")
  list(GET f 2 ms)
  list(GET f 3 filter)
  list(POP_FRONT bases base)
  string(MAKE_C_IDENTIFIER "${base}" key)
  if(n_${key} EQUAL 1)
    set(name "${base}")
  else()
    math(EXPR "k_${key}" "${k_${key}} + 1")
    set(name "${base}#${k_${key}}")
  endif()
  # Seconds, with half a second for the process's start.
  math(EXPR tenths "(${ms} + 500 + 50) / 100")
  math(EXPR whole "${tenths} / 10")
  math(EXPR frac "${tenths} % 10")
  string(APPEND out "add_test([==[${name}]==] ${executor} [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${filter}]==])\n")
  string(APPEND out "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==]"
                    " COST ${whole}.${frac} ${properties})\n")
endforeach()

file(WRITE "${CTEST_FILE}" "${out}")
