# The Windows download: vq3mt.exe and a read-me in vq3mt-1.4.0-win64.zip. The unpacked folder is
# the one a user copies music, madplay.exe and enc.exe into. No folder inside the zip: Explorer's
# "Extract All" already makes one named after it.
install(TARGETS vq3mt RUNTIME DESTINATION .)
# Notepad before Windows 10 shows a file with bare LF line ends as one long line.
configure_file(${PROJECT_SOURCE_DIR}/docs/README-windows.txt ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

# tools/package-windows.sh builds just the tool: packing need not build tests or benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vq3mt)
set(CPACK_PACKAGE_FILE_NAME vq3mt-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
