# orvane_delay_load(TARGET DLL...): TARGET loads each DLL (given by its import library's name,
# e.g. setupapi) at the first call into it instead of at process start.
#
# GNU ld has no /DELAYLOAD switch; MinGW-w64's dlltool builds delay-import libraries instead,
# whose thunks call __delayLoadHelper2 from the runtime. Each one is made at configure time from
# the symbols of the ordinary import library and put in a folder that the target searches
# before the system's, so the target's "-lsetupapi" finds it while every other target of the
# tree keeps the ordinary import (the unit tests patch those imports by name).
function(orvane_delay_load target)
  find_program(ORVANE_NM NAMES ${ORVANE_MINGW_PREFIX}-nm REQUIRED)
  find_program(ORVANE_DLLTOOL NAMES ${ORVANE_MINGW_PREFIX}-dlltool REQUIRED)
  set(folder ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${folder})
  foreach(dll IN LISTS ARGN)
    find_library(import_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
    set(delayed ${folder}/lib${dll}.a)
    if(NOT EXISTS ${delayed} OR ${import_${dll}} IS_NEWER_THAN ${delayed})
      # The import library defines one __imp_<name> per function of the DLL.
      execute_process(COMMAND ${ORVANE_NM} --defined-only ${import_${dll}}
                      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE "^[ \t]I __imp_" "")
      list(REMOVE_DUPLICATES imports)
      list(JOIN imports "\n  " exports)
      file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n  ${exports}\n")
      execute_process(COMMAND ${ORVANE_DLLTOOL} --input-def ${folder}/${dll}.def --output-delaylib ${delayed}
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${folder})
endfunction()
