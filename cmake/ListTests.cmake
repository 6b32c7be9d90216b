# Runs after a test executable is linked (see quovel_add_gtest): writes the executable's list of
# tests to OUT, which cmake/TestBatches.cmake cuts into ctest's batches. Listing here, beside the
# rest of the build, runs the executables side by side; at ctest time they would list one after
# the other before the first test starts.
execute_process(COMMAND ${LISTER} "${EXE}" --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc TIMEOUT 120)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Listing the tests of ${EXE} failed (${rc}):\n${listing}")
endif()
file(WRITE "${OUT}.new" "${listing}")
file(RENAME "${OUT}.new" "${OUT}")
