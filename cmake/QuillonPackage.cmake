# What `cmake --install` puts where, and the Debian package CPack makes of it (`make package`).

# The reverse-DNS name AppStream wants, under the project's placeholder domain.
set(QUILLON_APP_ID test.quillon.Quillon)
set(QUILLON_TUNES_DIR ${CMAKE_INSTALL_DATADIR}/quillon)
set(QUILLON_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillon)
set(QUILLON_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# Debian keeps games in /usr/games; the odds tool and the script player are ordinary programs.
set(QUILLON_GAMES_DIR games)
if(TARGET quillon)
  install(TARGETS quillon RUNTIME DESTINATION ${QUILLON_GAMES_DIR})
endif()
install(TARGETS quillon-odds quillon-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The game opens its tunes by bare name from its working folder, and else from this folder
# (../share/quillon from the game's); the desktop entry starts it here.
install(FILES ${CMAKE_BINARY_DIR}/run/BGM1.mid ${CMAKE_BINARY_DIR}/run/BGM2.mid
        DESTINATION ${QUILLON_TUNES_DIR})
# The SoundFont cut from FluidR3 for the tunes, where the build makes one; the game looks for it
# beside itself and in the tunes' folder, and falls back to the system's SoundFont.
if(TARGET tune_soundfont)
  install(FILES ${CMAKE_BINARY_DIR}/run/quillon-tunes.sf2 DESTINATION ${QUILLON_TUNES_DIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/assets/art/icon_table.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME quillon.svg)
install(FILES ${QUILLON_PACKAGING_DIR}/copyright DESTINATION ${QUILLON_DOC_DIR})

# The desktop entry and the metainfo name installed folders, so they are configured when they
# are installed, for the prefix of that install: `cmake --install --prefix` and CPack's /usr
# both get their own. The changelog and the manual pages are compressed as Debian wants them.
set(QUILLON_INSTALL_STAGE ${CMAKE_BINARY_DIR}/install-stage)
install(CODE "
  set(PROJECT_DESCRIPTION \"${PROJECT_DESCRIPTION}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  set(QUILLON_APP_ID \"${QUILLON_APP_ID}\")
  set(QUILLON_FULL_GAMES_DIR \"\${CMAKE_INSTALL_PREFIX}/${QUILLON_GAMES_DIR}\")
  set(QUILLON_FULL_TUNES_DIR \"\${CMAKE_INSTALL_PREFIX}/${QUILLON_TUNES_DIR}\")
  configure_file(${QUILLON_PACKAGING_DIR}/quillon.desktop.in
                 ${QUILLON_INSTALL_STAGE}/${QUILLON_APP_ID}.desktop @ONLY)
  configure_file(${QUILLON_PACKAGING_DIR}/quillon.metainfo.xml.in
                 ${QUILLON_INSTALL_STAGE}/${QUILLON_APP_ID}.metainfo.xml @ONLY)
  foreach(name changelog quillon.6 quillon-odds.1 quillon-script.1)
    execute_process(COMMAND gzip -9 --no-name --stdout ${QUILLON_PACKAGING_DIR}/\${name}
                    OUTPUT_FILE ${QUILLON_INSTALL_STAGE}/\${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
")
install(FILES ${QUILLON_INSTALL_STAGE}/${QUILLON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLON_INSTALL_STAGE}/${QUILLON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUILLON_INSTALL_STAGE}/changelog.gz DESTINATION ${QUILLON_DOC_DIR})
install(FILES ${QUILLON_INSTALL_STAGE}/quillon.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUILLON_INSTALL_STAGE}/quillon-odds.1.gz ${QUILLON_INSTALL_STAGE}/quillon-script.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon authors")
set(CPACK_PACKAGE_CONTACT "Quillon authors <dev@quillon.test>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "A video poker machine in one window: five-card draw with one wild joker,
a pay table of nine hands for bets of one to ten coins, and a double-up in
which a win can be risked, whole or in half. quillon-odds computes the
machine's return; quillon-script plays scripted games.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, not linked: the fonts that stand in for the table's own, and a SoundFont
# for the music. The package ships its own, cut for the tunes (9 MB), where the build made one;
# a General MIDI set is then only a suggestion, for a player who replaces the tunes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-urw-base35")
if(TARGET tune_soundfont)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fluid-soundfont-gm")
else()
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont, ")
endif()
include(CPack)
