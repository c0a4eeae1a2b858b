# `cpack -G DEB` in the build folder: kordex and kordex-cli with the shipped tanks.ini in a
# folder of their own (the programs find it beside themselves), links to them on the PATH, the
# desktop entry with the replay MIME type, and the icon.
set(KORDEX_PROGRAM_DIR lib/kordex)
install(TARGETS kordex-cli RUNTIME DESTINATION ${KORDEX_PROGRAM_DIR})
if(KORDEX_BUILD_APP)
  install(TARGETS kordex RUNTIME DESTINATION ${KORDEX_PROGRAM_DIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/tanks.ini DESTINATION ${KORDEX_PROGRAM_DIR})

set(KORDEX_LINKS ${CMAKE_BINARY_DIR}/package-links)
file(MAKE_DIRECTORY ${KORDEX_LINKS})
set(KORDEX_LINKED kordex-cli)
if(KORDEX_BUILD_APP)
  list(APPEND KORDEX_LINKED kordex)
endif()
foreach(program ${KORDEX_LINKED})
  file(CREATE_LINK ../${KORDEX_PROGRAM_DIR}/${program} ${KORDEX_LINKS}/${program} SYMBOLIC)
  install(FILES ${KORDEX_LINKS}/${program} DESTINATION bin)
endforeach()

if(KORDEX_BUILD_APP)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/kordex.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/kordex.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/kordex-wotreplay.xml
          DESTINATION share/mime/packages)
endif()

set(CPACK_PACKAGE_NAME kordex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kordex)
set(CPACK_PACKAGE_CONTACT "Kordex <kordex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "World of Tanks replay statistics (Russian interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads World of Tanks replays and shows one battle, a series of battles and a replay folder as team statistics, with HTML and xlsx exports. Includes kordex-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The library packages the programs link against, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
