# Installing Zumbelo like a desktop game (`cmake --install`, DESTDIR and
# --prefix honoured) and its Debian package (`cpack` in the build directory).
#
#   bin/zumbelo                          the launcher: runs the game in the player's own directory
#   libexec/zumbelo/zumbelo              the game itself, off the PATH
#   libexec/zumbelo/patches.dat          a link to the MIDI patches, where the library looks for them
#   share/zumbelo/datos.dat, patches.dat the read-only data
#   share/applications/zumbelo.desktop   the desktop menu entry
#   share/icons/hicolor/{64x64,128x128}/apps/zumbelo.png
#   share/man/man6/zumbelo.6.gz
include(GNUInstallDirs)

set(ZUMBELO_DIR_JUEGO ${CMAKE_INSTALL_LIBEXECDIR}/zumbelo)
set(ZUMBELO_DIR_DATOS ${CMAKE_INSTALL_DATADIR}/zumbelo)
set(ZUMBELO_EMPAQUE ${CMAKE_BINARY_DIR}/empaque)
file(MAKE_DIRECTORY ${ZUMBELO_EMPAQUE})

# The icon at both sizes, drawn by our own generator code.
set(ZUMBELO_ICONOS "")
foreach(lado 64 128)
  add_custom_command(
    OUTPUT ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    COMMAND icono ${lado} ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    DEPENDS icono
    COMMENT "Drawing the ${lado}x${lado} icon"
    VERBATIM)
  list(APPEND ZUMBELO_ICONOS ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png)
endforeach()

# The manual page, compressed without a time stamp so the bytes stay the same.
add_custom_command(
  OUTPUT ${ZUMBELO_EMPAQUE}/zumbelo.6.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/zumbelo.6 ${ZUMBELO_EMPAQUE}/zumbelo.6
  COMMAND gzip -9nf ${ZUMBELO_EMPAQUE}/zumbelo.6
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/zumbelo.6
  COMMENT "Compressing the manual page"
  VERBATIM)

add_custom_target(empaque ALL DEPENDS ${ZUMBELO_ICONOS} ${ZUMBELO_EMPAQUE}/zumbelo.6.gz)

# The launcher finds the game and its data from its own place, so an
# installed tree works wherever it is put (a DESTDIR, another prefix).
file(RELATIVE_PATH ZUMBELO_BIN_A_JUEGO ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zumbelo)
file(RELATIVE_PATH ZUMBELO_BIN_A_DATOS ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zumbelo)
file(RELATIVE_PATH ZUMBELO_JUEGO_A_DATOS ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zumbelo ${CMAKE_INSTALL_FULL_DATADIR}/zumbelo)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zumbelo.in ${ZUMBELO_EMPAQUE}/zumbelo @ONLY)

install(TARGETS zumbelo RUNTIME DESTINATION ${ZUMBELO_DIR_JUEGO})
install(PROGRAMS ${ZUMBELO_EMPAQUE}/zumbelo DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZUMBELO_RUN_DIR}/datos.dat ${ZUMBELO_RUN_DIR}/patches.dat DESTINATION ${ZUMBELO_DIR_DATOS})
# Allegro's DIGMID driver looks for patches.dat beside the running program
# (not in the working directory): a relative link there keeps the music
# playing from any directory while the data stay under share/.
if(IS_ABSOLUTE ${ZUMBELO_DIR_JUEGO})
  set(ZUMBELO_ENLACE "${ZUMBELO_DIR_JUEGO}/patches.dat")
else()
  set(ZUMBELO_ENLACE "\${CMAKE_INSTALL_PREFIX}/${ZUMBELO_DIR_JUEGO}/patches.dat")
endif()
install(CODE "
  set(enlace \"${ZUMBELO_ENLACE}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${enlace}\")
  file(CREATE_LINK \"${ZUMBELO_JUEGO_A_DATOS}/patches.dat\" \"\$ENV{DESTDIR}\${enlace}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${enlace}\")
")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zumbelo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(lado 64 128)
  install(FILES ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME zumbelo.png)
endforeach()
install(FILES ${ZUMBELO_EMPAQUE}/zumbelo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package: `cpack` in the build directory writes zumbelo_<version>_<arch>.deb.
# Installing and packaging take what is built and build nothing themselves:
# otherwise `cpack` would first build every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zumbelo)
set(CPACK_PACKAGE_VERSION 2.0f)  # the version the title shows, "V. 2.0F"
set(CPACK_PACKAGE_VENDOR "Estudio Ventisca")
set(CPACK_PACKAGE_CONTACT "Estudio Ventisca <zumbelo@estudioventisca.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: cross the road to the ski-hire shop, then ski the slalom")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zumbelo wants to go skiing. First he must cross a busy two-carriageway
road on foot to the ski-hire shop, pay for a pair of skis and carry them
back across the road. Then he skis down a slalom course of flag gates,
trees and snow heaps. Four courses, denser traffic at every level, a hall
of fame, Spanish and English, two graphic sets.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the game links (Allegro 4 among them) as dpkg-shlibdeps finds
# them; the MIDI patches travel in the package, so no soundfont is needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The game goes in without its symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
