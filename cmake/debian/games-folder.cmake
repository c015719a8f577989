# Run by CPack after the install into the package's tree and before the
# package is built: Debian keeps the programs of games in /usr/games.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${usr}/bin/taviq-game")
    message(FATAL_ERROR "No program in ${usr}/bin")
endif()
file(RENAME "${usr}/bin" "${usr}/games")
