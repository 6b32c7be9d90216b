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

# The list that the build wrote once the executable was linked (cmake/ListTests.cmake).
if(NOT EXISTS "${LIST_FILE}" OR NOT "${LIST_FILE}" IS_NEWER_THAN "${TEST_EXECUTABLE}")
  message(FATAL_ERROR "${TEST_EXECUTABLE} has no list of its tests from its build: build it again")
endif()
file(READ "${LIST_FILE}" listing)

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

# The batches, each "name|milliseconds|filter". A batch is named by its suite, or by its first and
# last suite ("A..C"); where several batches have one name, each gets its number as well ("A#2").
set(batches "")
set(batch "")
set(batchMs 0)
set(first "")
set(last "")
macro(flush_batch)
  if(batch)
    if(first STREQUAL last)
      set(base "${first}")
    else()
      set(base "${first}..${last}")
    endif()
    string(MAKE_C_IDENTIFIER "${base}" key)
    math(EXPR "n_${key}" "0${n_${key}} + 1")
    list(JOIN batch ":" joined)
    list(APPEND batches "${base}|${batchMs}|${joined}")
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

set(out "")
foreach(b IN LISTS batches)
  string(REPLACE "|" ";" f "${b}")
  list(GET f 0 base)
  list(GET f 1 ms)
  list(GET f 2 filter)
  string(MAKE_C_IDENTIFIER "${base}" key)
  if(n_${key} EQUAL 1)
    set(name "${base}")
  else()
    math(EXPR "k_${key}" "0${k_${key}} + 1")
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
