# The release zip: Orvane-<version>-win64.zip with Orvane.exe, README.md and LICENSE, made by
# tools/package.sh (cpack). The version is the project's, the same the version record carries.
install(TARGETS Orvane RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

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
# Symbols off; headers, relocations and resources stay as built.
set(CPACK_STRIP_FILES ON)
# Where cpack puts the zip, for tools/package.sh: the name comes from here, not from parsing
# CPack's generated configuration. Written before include(CPack), which leaves the source
# package's name in CPACK_PACKAGE_FILE_NAME.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/package-file.txt
     CONTENT "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip\n")
include(CPack)
