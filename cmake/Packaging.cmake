# The release zip, Orvane-<version>-win64.zip, and beside it its checksum file, made by cpack
# (tools/package.sh). It holds what a user on Windows needs: Orvane.exe exactly as built, so the
# exe the tests ran is the one shipped (its symbols are left out at link time, src/CMakeLists.txt),
# README.txt and LICENSE. The version is the project's, the same the version record carries.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

install(TARGETS Orvane RUNTIME DESTINATION .)

# The texts are for Notepad: CR LF line ends. README.txt is made from README.md's user sections
# when packaging, so the two read-mes cannot drift apart; LICENSE is copied with CR LF.
set(package_texts ${CMAKE_BINARY_DIR}/package-texts)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/LICENSE @ONLY NEWLINE_STYLE CRLF)
string(CONFIGURE [[
  execute_process(COMMAND "@Python3_EXECUTABLE@" "@PROJECT_SOURCE_DIR@/tools/readme-text.py"
                          "@PROJECT_SOURCE_DIR@/README.md" "@package_texts@/README.txt"
                          "@PROJECT_VERSION@" "@ORVANE_WEB_SITE@" "@ORVANE_SOURCE_COMMIT@"
                  COMMAND_ERROR_IS_FATAL ANY)
]] make_readme_text @ONLY)
install(CODE "${make_readme_text}")
install(FILES ${package_texts}/README.txt ${package_texts}/LICENSE DESTINATION .)

# Packaging installs only what is listed above; it must not build every test first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Orvane)
set(CPACK_PACKAGE_VENDOR "Orvane contributors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Logs the system's device-change broadcasts as decoded, time-stamped lines")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME Orvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# The zip made reproducible (cmake/Reproducible.cmake) before its checksum is taken.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/ReproducibleZip.cmake)
set(CPACK_ORVANE_PYTHON ${Python3_EXECUTABLE})
set(CPACK_ORVANE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_ORVANE_SOURCE_DATE_EPOCH ${ORVANE_SOURCE_DATE_EPOCH})
# <zip>.sha256 beside the zip, in sha256sum's format: the checksum, two blanks, the zip's name.
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Where cpack puts the zip, for tools/package.sh and the package test: the name comes from here,
# not from parsing CPack's generated configuration. Written before include(CPack), which leaves
# the source package's name in CPACK_PACKAGE_FILE_NAME.
set(ORVANE_PACKAGE_FILE ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/package-file.txt CONTENT "${ORVANE_PACKAGE_FILE}\n")
include(CPack)
