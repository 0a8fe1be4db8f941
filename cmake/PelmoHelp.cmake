# The help file PELMOFREE.chm, compiled from help/ by tools/build_help.py with
# chmcmd (Free Pascal's CHM compiler) and built into the program as a resource,
# with the same pages packed for a web browser (PELMOFREE.pages).
find_program(PELMO_CHMCMD chmcmd)
if(NOT PELMO_CHMCMD)
  message(FATAL_ERROR "chmcmd (Free Pascal's CHM compiler; Debian: fp-utils) is needed for the help file")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(PELMO_HELP_DIR "${CMAKE_BINARY_DIR}/help")
set(PELMO_HELP_FILE "${PELMO_HELP_DIR}/PELMOFREE.chm")
set(PELMO_HELP_PAGES "${PELMO_HELP_DIR}/PELMOFREE.pages")
file(GLOB_RECURSE help_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/help/*")
add_custom_command(
  OUTPUT "${PELMO_HELP_FILE}" "${PELMO_HELP_PAGES}"
  COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/tools/build_help.py" "${PROJECT_SOURCE_DIR}/help"
          "${PELMO_HELP_DIR}" "${PELMO_CHMCMD}"
  DEPENDS ${help_sources} "${PROJECT_SOURCE_DIR}/tools/build_help.py"
  COMMENT "Compiling the help file PELMOFREE.chm"
  VERBATIM)

# The resource script names the files "PELMOFREE.chm" and "PELMOFREE.pages"; windres finds them here.
set_property(SOURCE "${resource_file}" APPEND PROPERTY INCLUDE_DIRECTORIES "${PELMO_HELP_DIR}")
set_property(SOURCE "${resource_file}" APPEND PROPERTY OBJECT_DEPENDS "${PELMO_HELP_FILE}" "${PELMO_HELP_PAGES}")

# The compiled file as another reader sees it (7-Zip, Debian's p7zip-full).
find_program(PELMO_7Z 7z)
if(PELMO_7Z)
  add_test(NAME HelpFile.ListsEveryTopicAsValidShiftJisHtml
           COMMAND "${Python3_EXECUTABLE}" "${PROJECT_SOURCE_DIR}/tools/check_help.py" "${PELMO_HELP_FILE}" "${PELMO_7Z}")
else()
  message(STATUS "7z not found: the help file is not checked")
endif()
