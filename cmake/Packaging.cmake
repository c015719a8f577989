# The Debian package, built by `make package` (CPack) in the build folder:
# the program, its manual page, the menu entry, the icons, the AppStream
# metadata, and the copyright file and changelog every Debian package carries.
if(NOT UNIX OR APPLE)
    return()
endif()
include(GNUInstallDirs)

set(GAME_PACKAGE_NAME taviq-game)
set(GAME_PACKAGE_DIR ${PROJECT_BINARY_DIR}/packaging)
set(GAME_DEBIAN_DIR ${CMAKE_CURRENT_LIST_DIR}/debian)

# The newest changelog entry names the version being built.
file(STRINGS ${GAME_DEBIAN_DIR}/changelog GAME_CHANGELOG_TOP LIMIT_COUNT 1)
string(FIND "${GAME_CHANGELOG_TOP}" "${GAME_PACKAGE_NAME} (${GAME_VERSION}) " GAME_CHANGELOG_AT)
if(NOT GAME_CHANGELOG_AT EQUAL 0)
    message(FATAL_ERROR "cmake/debian/changelog: the newest entry must be for version ${GAME_VERSION}, "
                        "not \"${GAME_CHANGELOG_TOP}\"")
endif()

# The manual page and the changelog, compressed without name or time stamp so
# that the same sources always give the same package.
configure_file(${PROJECT_SOURCE_DIR}/data/taviq-game.6.in ${GAME_PACKAGE_DIR}/taviq-game.6 @ONLY)
configure_file(${GAME_DEBIAN_DIR}/changelog ${GAME_PACKAGE_DIR}/changelog COPYONLY)
set(GAME_COMPRESSED_DOCS)
foreach(doc taviq-game.6 changelog)
    add_custom_command(
        OUTPUT ${GAME_PACKAGE_DIR}/${doc}.gz
        COMMAND gzip -9n -k -f ${GAME_PACKAGE_DIR}/${doc}
        DEPENDS ${GAME_PACKAGE_DIR}/${doc}
        COMMENT "Compressing ${doc}"
        VERBATIM)
    list(APPEND GAME_COMPRESSED_DOCS ${GAME_PACKAGE_DIR}/${doc}.gz)
endforeach()
add_custom_target(game_docs ALL DEPENDS ${GAME_COMPRESSED_DOCS})

install(FILES ${GAME_PACKAGE_DIR}/taviq-game.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${GAME_PACKAGE_DIR}/changelog.gz ${GAME_DEBIAN_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${GAME_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${GAME_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${GAME_VERSION})
set(CPACK_PACKAGE_VENDOR Taviq)
set(CPACK_PACKAGE_CONTACT "Taviq <game@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "four-by-four sliding-number puzzle against the clock")
set(CPACK_PACKAGE_DESCRIPTION
    "Fifteen numbered tiles and a blank lie on a four-by-four board: slide the
tiles, with the mouse or the number pad, until they read 1 to 15 with the
blank in the bottom-right corner, before the time runs out.

The game has three difficulties and a time limit of one to sixty minutes,
pause, reset after a confirmation, and an auto play that solves the board.
The best time of each difficulty is kept with the winner's name.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program goes to /usr/games.
set(CPACK_PRE_BUILD_SCRIPTS ${GAME_DEBIAN_DIR}/games-folder.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_NAME ${GAME_PACKAGE_NAME})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, as dpkg-shlibdeps finds them, and what Qt
# loads at run time, where it cannot look: the Wayland platform plugin and the
# translations of Qt's own buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)
