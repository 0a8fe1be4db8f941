get_property(core_sources GLOBAL PROPERTY PELMO_CORE_SOURCES)
get_property(posix_sources GLOBAL PROPERTY PELMO_POSIX_SOURCES)
get_property(win_sources GLOBAL PROPERTY PELMO_WIN_SOURCES)
get_property(core_tests GLOBAL PROPERTY PELMO_CORE_TESTS)
get_property(win_tests GLOBAL PROPERTY PELMO_WIN_TESTS)
get_property(core_benchmarks GLOBAL PROPERTY PELMO_CORE_BENCHMARKS)
get_property(win_benchmarks GLOBAL PROPERTY PELMO_WIN_BENCHMARKS)

set(PELMO_INCLUDE_DIRS "${PROJECT_SOURCE_DIR}/src")
enable_testing()

if(NOT WIN32)
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
  include(GoogleTest)
  # g++'s "undefined" leaves out a double converted to an integer it does not fit:
  # the charts convert values a damaged diary can hold, so that is checked too.
  set(sanitize -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=all)

  # The core as the tests see it: sanitized.
  add_library(pelmo_core STATIC ${core_sources} ${posix_sources})
  target_include_directories(pelmo_core PUBLIC ${PELMO_INCLUDE_DIRS})
  target_compile_options(pelmo_core PUBLIC ${sanitize})
  target_link_options(pelmo_core PUBLIC ${sanitize})

  add_executable(pelmo_core_tests ${core_tests})
  target_include_directories(pelmo_core_tests PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(pelmo_core_tests PRIVATE pelmo_core GTest::gtest GTest::gtest_main)
  target_compile_definitions(pelmo_core_tests PRIVATE
    PELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(pelmo_core_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1")

  # The includes of src/ run down the layers of docs/architecture.md.
  find_program(PELMO_PYTHON3 python3 REQUIRED)
  add_test(NAME IncludeLayers COMMAND "${PELMO_PYTHON3}" "${PROJECT_SOURCE_DIR}/tools/check_layers.py"
                                      "${PROJECT_SOURCE_DIR}/src")

  # The core as the benchmarks see it: optimised, no sanitizers.
  add_library(pelmo_core_fast STATIC ${core_sources} ${posix_sources})
  target_include_directories(pelmo_core_fast PUBLIC ${PELMO_INCLUDE_DIRS})
  target_compile_options(pelmo_core_fast PRIVATE -O2)
  add_executable(pelmo_bench ${core_benchmarks})
  target_link_libraries(pelmo_bench PRIVATE pelmo_core_fast benchmark::benchmark benchmark::benchmark_main)
  target_compile_options(pelmo_bench PRIVATE -O2)
else()
  set(win_link_options -static -static-libgcc -static-libstdc++)
  set(win_system_libs comctl32 gdi32 user32 kernel32 advapi32 shell32 ole32 comdlg32 imm32 msimg32 winmm winspool)
  set(resource_file "${PROJECT_SOURCE_DIR}/src/resources/PelmoFree.rc")
  # windres names no dependencies: every included template, text and picture is one.
  file(GLOB resource_inputs CONFIGURE_DEPENDS
    "${PROJECT_SOURCE_DIR}/src/resources/*.h" "${PROJECT_SOURCE_DIR}/src/resources/*.rc"
    "${PROJECT_SOURCE_DIR}/src/resources/*.inc" "${PROJECT_SOURCE_DIR}/src/resources/bitmaps/*")
  set_source_files_properties(${resource_file} PROPERTIES OBJECT_DEPENDS "${resource_inputs}")
  include(cmake/PelmoHelp.cmake)

  # Everything of the program but its entry point, so that the Win32 tests can
  # drive the same windows in-process.
  add_library(pelmo_win STATIC ${core_sources} ${win_sources})
  target_include_directories(pelmo_win PUBLIC ${PELMO_INCLUDE_DIRS})
  target_compile_definitions(pelmo_win PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
  target_link_libraries(pelmo_win PUBLIC ${win_system_libs})
  target_link_options(pelmo_win PUBLIC ${win_link_options})

  add_executable(PelmoFree WIN32 "${PROJECT_SOURCE_DIR}/src/shell/main.cpp" ${resource_file})
  target_link_libraries(PelmoFree PRIVATE pelmo_win)

  # GoogleTest from Debian's source package, built by the same toolchain; on
  # Windows itself (MSYS2) the installed package.
  set(PELMO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  if(EXISTS "${PELMO_GOOGLETEST_SOURCE}/CMakeLists.txt")
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory("${PELMO_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    foreach(gt gtest gtest_main)
      target_compile_options(${gt} PRIVATE -w)
    endforeach()
    set(win_gtest gtest gtest_main)
  else()
    find_package(GTest REQUIRED)
    set(win_gtest GTest::gtest GTest::gtest_main)
  endif()

  add_executable(pelmo_win_tests ${win_tests} ${resource_file})
  target_include_directories(pelmo_win_tests PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(pelmo_win_tests PRIVATE pelmo_win ${win_gtest})
  add_dependencies(pelmo_win_tests PelmoFree)
  include(GoogleTest)
  # The floppy disk tests need a disk mounted in drive A:; they run together,
  # in one process, through the script that mounts it.
  gtest_discover_tests(pelmo_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_FILTER "-FloppyDisk*:CupsPrinting*"
    PROPERTIES TIMEOUT 120)
  add_test(NAME FloppyDisks COMMAND bash "${PROJECT_SOURCE_DIR}/tests/backup/dialogs/floppy_disks.sh"
                                   "$<TARGET_FILE:pelmo_win_tests>")
  set_tests_properties(FloppyDisks PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  # The report printed through a CUPS PDF queue of the test's own, read back.
  add_test(NAME CupsPrinting COMMAND bash "${PROJECT_SOURCE_DIR}/tests/report/printing/cups_printing.sh"
                                    "$<TARGET_FILE:pelmo_win_tests>" "${CMAKE_BINARY_DIR}/cups")
  set_tests_properties(CupsPrinting PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)

  add_executable(pelmo_win_bench ${win_benchmarks} ${resource_file})
  target_include_directories(pelmo_win_bench PRIVATE "${PROJECT_SOURCE_DIR}/bench")
  target_link_libraries(pelmo_win_bench PRIVATE pelmo_win)
endif()
