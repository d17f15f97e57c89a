# The same commit builds the same Orvane.exe and the same zip, whatever the folder, the user and
# the time of the build. What would otherwise differ, and what fixes it:
#  - the link time stamp in every PE header (and the checksum over it): GNU ld takes it from
#    SOURCE_DATE_EPOCH, which every link here is given (the linker launcher below);
#  - the zip's entry times, order and attributes: cmake/ReproducibleZip.cmake;
#  - folder names that reach the objects (__FILE__, debug information): mapped to relative ones;
#  - __DATE__, __TIME__ and __TIMESTAMP__: refused by the compiler.
#
# ORVANE_SOURCE_DATE_EPOCH is SOURCE_DATE_EPOCH when that is set, otherwise the committer time of
# the source tree's HEAD; ORVANE_SOURCE_COMMIT is that commit. A tree that is no git checkout of
# its own (an exported one, as the benchmark builds) has neither and gets 0 and "unknown".
find_package(Git QUIET)
set(ORVANE_SOURCE_COMMIT unknown)
set(ORVANE_SOURCE_DATE_EPOCH 0)
if(GIT_EXECUTABLE)
  execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --show-toplevel --git-path logs/HEAD
                          --git-path HEAD HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE git_result
                  OUTPUT_VARIABLE git_lines OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(git_result EQUAL 0)
    string(REPLACE "\n" ";" git_lines "${git_lines}")
    list(GET git_lines 0 git_top)
    file(REAL_PATH "${git_top}" git_top)
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_top)
    if(git_top STREQUAL source_top)
      list(GET git_lines 3 ORVANE_SOURCE_COMMIT)
      execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct HEAD
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE ORVANE_SOURCE_DATE_EPOCH
                      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
      # A commit or a checkout moves HEAD and appends to its log: configure again then.
      foreach(index 1 2)
        list(GET git_lines ${index} git_file)
        cmake_path(ABSOLUTE_PATH git_file BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
        if(EXISTS "${git_file}")
          set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_file}")
        endif()
      endforeach()
    endif()
  endif()
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ORVANE_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
endif()
if(NOT ORVANE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970: \"${ORVANE_SOURCE_DATE_EPOCH}\"")
endif()
if(ORVANE_SOURCE_COMMIT STREQUAL "unknown")
  message(STATUS "Not a git checkout of its own: the build's time stamps are ${ORVANE_SOURCE_DATE_EPOCH}")
endif()

# For tools/package.sh, which checks the zip's dates against it.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/source-date-epoch.txt CONTENT "${ORVANE_SOURCE_DATE_EPOCH}\n")

set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ORVANE_SOURCE_DATE_EPOCH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_C_LINKER_LAUNCHER})

# The build folder lies inside the source folder by default: its map comes last, so that GCC,
# which tries the last map first, takes it for generated files.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>"
                    $<$<COMPILE_LANGUAGE:C,CXX>:-Werror=date-time>)
