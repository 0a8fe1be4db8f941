# Each folder under src/, tests/ and bench/ names its files with these functions;
# cmake/PelmoTargets.cmake turns the collected lists into the targets of this build.
#
#   pelmo_core_sources       portable code (no windows.h), in both builds
#   pelmo_posix_sources      native stand-ins for the Win32 pieces of the core
#   pelmo_win_sources        Win32 code, Windows build only
#   pelmo_core_tests         GoogleTest files for the native, sanitized test run
#   pelmo_win_tests          GoogleTest files run under Wine
#   pelmo_core_benchmarks    Google Benchmark files (native)
#   pelmo_win_benchmarks     timing-harness files (Wine)

function(_pelmo_collect property)
  foreach(file IN LISTS ARGN)
    get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set_property(GLOBAL APPEND PROPERTY ${property} "${path}")
  endforeach()
endfunction()

function(pelmo_core_sources)
  _pelmo_collect(PELMO_CORE_SOURCES ${ARGN})
endfunction()
function(pelmo_posix_sources)
  _pelmo_collect(PELMO_POSIX_SOURCES ${ARGN})
endfunction()
function(pelmo_win_sources)
  _pelmo_collect(PELMO_WIN_SOURCES ${ARGN})
endfunction()
function(pelmo_core_tests)
  _pelmo_collect(PELMO_CORE_TESTS ${ARGN})
endfunction()
function(pelmo_win_tests)
  _pelmo_collect(PELMO_WIN_TESTS ${ARGN})
endfunction()
function(pelmo_core_benchmarks)
  _pelmo_collect(PELMO_CORE_BENCHMARKS ${ARGN})
endfunction()
function(pelmo_win_benchmarks)
  _pelmo_collect(PELMO_WIN_BENCHMARKS ${ARGN})
endfunction()
