# Run by cpack once it has made the zip, before it writes the checksum file: the zip is rewritten
# with its entries in a fixed order, dated from the commit, with fixed attributes
# (tools/reproducible-zip.py), so that it no longer depends on the files' times, the user's ids
# or the umask of the build.
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND "${CPACK_ORVANE_PYTHON}" "${CPACK_ORVANE_SOURCE_DIR}/tools/reproducible-zip.py"
                          "${zip}" "${CPACK_ORVANE_SOURCE_DATE_EPOCH}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
