# Helpers shared by the programs' and the tests' CMakeLists.

# quovel_add_gtest(<name> SOURCES ... [LIBS ...] [RESOURCES ...] [SERIAL])
# One gtest executable, run through Wine by ctest. SERIAL tests take a lock shared by every test that
# uses the family's real window classes, since all processes on one Wine prefix see each other.
function(quovel_add_gtest name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBS})
  set(props)
  if(T_SERIAL)
    set(props PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} ${props})
endfunction()
