# Runs at ctest time (included by a test executable's include file, see quovel_add_gtest): lists
# the executable's tests and writes ctest's tests for them to CTEST_FILE, a few tests of one
# suite per Wine process. Starting Wine and the program's forms again for every single test
# would cost more than most tests themselves; a batch runs its tests one after the other in one
# process, as gtest does, and ctest runs the batches side by side.
#
# Each test's own time in one process is kept in TIMES_FILE ("Suite.Test milliseconds"); a test
# missing there counts as kDefaultMs. Consecutive tests of a suite join one batch until it holds
# kBatchMs; a longer test is a batch of its own. A batch's COST is its tests' time, so that
# ctest starts the longest first whether or not it has learnt their times.
set(kBatchMs 2500)
set(kDefaultMs 700)

execute_process(COMMAND ${TEST_EXECUTOR} "${TEST_EXECUTABLE}" --gtest_list_tests
                WORKING_DIRECTORY "${TEST_WORKING_DIR}" TIMEOUT 120
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${rc}):\n${listing}")
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

set(out "")
set(suite "")
set(batch "")
set(batchMs 0)
set(part 0)
set(parts "")

# Writes the batch gathered so far as one ctest test.
macro(flush_batch)
  if(batch)
    math(EXPR part "${part} + 1")
    list(JOIN batch ":" joined)
    list(APPEND parts "${suite}|${part}|${batchMs}|${joined}")
  endif()
  set(batch "")
  set(batchMs 0)
endmacro()

# The names of a suite's batches: the suite alone, or the suite and its batch's number.
macro(write_suite)
  list(LENGTH parts n)
  foreach(p IN LISTS parts)
    string(REPLACE "|" ";" f "${p}")
    list(GET f 0 s)
    list(GET f 1 k)
    list(GET f 2 ms)
    list(GET f 3 filter)
    if(n EQUAL 1)
      set(name "${s}")
    else()
      set(name "${s}#${k}")
    endif()
    # Seconds, with half a second for the process's start.
    math(EXPR tenths "(${ms} + 500 + 50) / 100")
    math(EXPR whole "${tenths} / 10")
    math(EXPR frac "${tenths} % 10")
    string(APPEND out "add_test([==[${name}]==] ${executor} [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${filter}]==])\n")
    string(APPEND out "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==]"
                      " COST ${whole}.${frac} ${properties})\n")
  endforeach()
  set(parts "")
  set(part 0)
endmacro()

list(JOIN TEST_PROPERTIES " " properties)
set(executor "")
foreach(e IN LISTS TEST_EXECUTOR)
  string(APPEND executor "[==[${e}]==] ")
endforeach()

string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
foreach(line IN LISTS listing)
  string(REGEX REPLACE " *#.*$" "" line "${line}")
  if(line MATCHES "^([^ ].*)\\.$")
    flush_batch()
    write_suite()
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
    list(APPEND batch "${suite}.${test}")
    math(EXPR batchMs "${batchMs} + ${ms}")
  endif()
endforeach()
flush_batch()
write_suite()

file(WRITE "${CTEST_FILE}" "${out}")
