# Installing Tarvok like any desktop program, and its .deb package.
#
#   cmake --install build/release [--prefix DIR]     (default /usr/local)
#   cd build/release && cpack                         (tarvok_<version>_<arch>.deb, for /usr)
#
# Under the prefix:
#   bin/tarvok                             the launcher (packaging/tarvok.in)
#   lib/tarvok/tarvok                      the game
#   share/tarvok/                          everything the data tool writes into run/data
#   share/applications/tarvok.desktop      the menu entry
#   share/icons/hicolor/NxN/apps/tarvok.png
#
# The launcher finds the game and the data relative to itself, so the tree
# works wherever it is installed or unpacked.

set(TARVOK_INSTALL_BIN bin)
set(TARVOK_INSTALL_GAME lib/tarvok)
set(TARVOK_INSTALL_DATA share/tarvok)

# The icon, drawn by the preview tool from a face portrait in the data.
set(TARVOK_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(TARVOK_ICON_FILES)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND TARVOK_ICON_FILES ${TARVOK_ICON_DIR}/${size}x${size}/apps/tarvok.png)
endforeach()
add_custom_command(
  OUTPUT ${TARVOK_ICON_FILES}
  COMMAND tarvok_preview icon ${TARVOK_ICON_DIR} --run ${TARVOK_RUN_DIR} > /dev/null
  DEPENDS tarvok_preview ${TARVOK_RUN_DIR}/game.ini
  COMMENT "Drawing the application icon into ${TARVOK_ICON_DIR}")
add_custom_target(icons ALL DEPENDS ${TARVOK_ICON_FILES})

# The launcher, with the paths from its own folder to the game and the data.
file(RELATIVE_PATH TARVOK_LAUNCHER_GAME /prefix/${TARVOK_INSTALL_BIN} /prefix/${TARVOK_INSTALL_GAME}/tarvok)
file(RELATIVE_PATH TARVOK_LAUNCHER_DATA /prefix/${TARVOK_INSTALL_BIN} /prefix/${TARVOK_INSTALL_DATA})
configure_file(packaging/tarvok.in ${CMAKE_BINARY_DIR}/packaging/tarvok @ONLY)

install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/tarvok DESTINATION ${TARVOK_INSTALL_BIN})
install(TARGETS tarvok RUNTIME DESTINATION ${TARVOK_INSTALL_GAME})
# The whole data folder, whatever the data tool puts into it.
install(DIRECTORY ${TARVOK_RUN_DIR}/data/ DESTINATION ${TARVOK_INSTALL_DATA})
install(FILES packaging/tarvok.desktop DESTINATION share/applications)
install(DIRECTORY ${TARVOK_ICON_DIR}/ DESTINATION share/icons/hicolor)

# The .deb: the same tree under /usr. Its library dependencies are read off
# the game binary by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvok)
set(CPACK_PACKAGE_VENDOR Tarvok)
set(CPACK_PACKAGE_CONTACT "Tarvok developers <tarvok@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player 3-D arcade wrestling game")
set(CPACK_PACKAGE_DESCRIPTION [[
Two wrestlers fight in a roped ring before a crowd, steered by two players
from one keyboard: pick your characters, watch the entrances, then walk,
run, punch, grapple, throw, bounce off the ropes and pin your opponent
while the referee counts to three.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The install and package tests drive cmake --install and cpack on this
# build tree.
if(TARVOK_TESTS)
  add_dependencies(tarvok_tests icons)
  target_compile_definitions(tarvok_tests PRIVATE
    TARVOK_BUILD_DIR="${CMAKE_BINARY_DIR}"
    TARVOK_CMAKE="${CMAKE_COMMAND}"
    TARVOK_CPACK="${CMAKE_CPACK_COMMAND}"
    TARVOK_PACKAGE_VERSION="${PROJECT_VERSION}")
endif()
