# Helpers shared by the programs' and the tests' CMakeLists.

# quovel_add_gtest(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [SERIAL])
# One gtest executable, run through Wine by ctest. SERIAL is for tests that use the family's real
# window classes or the whole screen, since all processes on one Wine prefix see each other: each
# batch of such tests runs alone on a private desktop (its own display and prefix), the resource "desktops"
# that scripts/run-ctest.sh gives ctest; scripts/wine-test starts it there. Every test starts
# through scripts/wine-test, which runs once more a test whose Wine process died at its start.
function(quovel_add_gtest name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBS})
  if(T_SERIAL)
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test;--desktop")
  else()
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test")
  endif()
  # The tests run in batches of consecutive tests per Wine process (cmake/TestBatches.cmake): the
  # build lists the executable's tests once it is linked, and at ctest time the batches are cut
  # again whenever the executable, the times file or the batching script is newer than them. A
  # parameterised test is named by its name generator, never by its value.
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake")
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_tests.cmake")
  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_list.txt")
  set(script "${PROJECT_SOURCE_DIR}/cmake/TestBatches.cmake")
  set(times "${PROJECT_SOURCE_DIR}/tests/test-times.txt")
  get_target_property(executor ${name} CROSSCOMPILING_EMULATOR)
  # Listing needs no desktop: the executable is asked on the build's own prefix.
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" "-DLISTER=${CMAKE_SOURCE_DIR}/scripts/wine-test" "-DEXE=$<TARGET_FILE:${name}>"
            "-DOUT=${list_file}" -P "${PROJECT_SOURCE_DIR}/cmake/ListTests.cmake"
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" VERBATIM)
  if(T_SERIAL)
    set(props "RESOURCE_GROUPS;desktops:1")
  else()
    set(props "")
  endif()
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(TEST_EXECUTABLE [==[$<TARGET_FILE:${name}>]==])
if(EXISTS \"\${TEST_EXECUTABLE}\")
  if(NOT EXISTS [==[${ctest_file}]==] OR NOT [==[${ctest_file}]==] IS_NEWER_THAN \"\${TEST_EXECUTABLE}\"
     OR NOT [==[${ctest_file}]==] IS_NEWER_THAN [==[${times}]==] OR NOT [==[${ctest_file}]==] IS_NEWER_THAN [==[${script}]==])
    set(TEST_EXECUTOR [==[${executor}]==])
    set(TEST_WORKING_DIR [==[${CMAKE_CURRENT_BINARY_DIR}]==])
    set(TEST_PROPERTIES [==[${props}]==])
    set(TIMES_FILE [==[${times}]==])
    set(LIST_FILE [==[${list_file}]==])
    set(CTEST_FILE [==[${ctest_file}]==])
    include([==[${script}]==])
  endif()
  include([==[${ctest_file}]==])
else()
  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
