# Read by cpack once for each generator it runs: the installer takes its
# own file name beside the zip archive.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_QBX_SETUP_FILE_NAME}")
endif()
