# The fuzz targets of a fuzz build beside this one (./test makes it in build/fuzz), as
# tests of this build: each replays its seed corpus and runs a few thousand new
# inputs from a fixed seed (run_fuzz.sh), so a fault they reach fails ./test.
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
set(SCINTLE_FUZZ_BUILD_DIR "" CACHE PATH "A fuzz build of this tree (SCINTLE_FUZZ), for the fuzz tests")
if(SCINTLE_FUZZ_BUILD_DIR)
  foreach(name ${SCINTLE_FUZZ_TARGETS})
    add_test(NAME fuzz_${name}
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/run_fuzz.sh test ${SCINTLE_FUZZ_BUILD_DIR} ${name}
              ${CMAKE_BINARY_DIR}/fuzz-tests)
    # Each keeps a processor busy: one at a time (with the tsan_ tests), so that the
    # timing-sensitive X11 tests beside them keep the other.
    set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 300 RESOURCE_LOCK scintle_busy_processor)
  endforeach()
endif()
