# Helpers shared by the programs' and the tests' CMakeLists.

# quovel_add_gtest(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [SERIAL])
# One gtest executable, run through Wine by ctest. SERIAL is for tests that use the family's real
# window classes or the whole screen, since all processes on one Wine prefix see each other: each
# such test runs alone on a private desktop (its own display and prefix), the resource "desktops"
# that scripts/run-ctest.sh gives ctest; scripts/wine-test starts it there. Every test starts
# through scripts/wine-test, which runs once more a test whose Wine process died at its start.
function(quovel_add_gtest name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBS})
  set(props)
  if(T_SERIAL)
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test;--desktop")
    set(props PROPERTIES RESOURCE_GROUPS desktops:1)
  else()
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-test")
  endif()
  # A parameterised test is named by its name generator, never by its value: a structure without
  # a printer would print as its bytes, which change from build to build.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} ${props})
endfunction()
