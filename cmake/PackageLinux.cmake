# The Linux download: a folder a user unpacks, copies music into and runs. Both programs take
# Qt from the system's packages, so nothing of it is bundled and no RPATH is installed.
install(TARGETS vq3mt vq3run RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/README-linux.txt DESTINATION . RENAME README.txt)

# tools/package.sh builds just the two programs: packing need not build the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME vq3mt)
set(CPACK_PACKAGE_FILE_NAME vq3mt-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
