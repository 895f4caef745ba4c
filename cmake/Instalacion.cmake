# Installing Zumbelo like a desktop game (`cmake --install`, DESTDIR and
# --prefix honoured) and its two Debian packages (`cpack` in the build
# directory). Under the prefix:
#
# zumbelo, the game (component juego, for this architecture):
#   games/zumbelo                        the launcher: runs the game in the player's own directory
#   libexec/zumbelo/zumbelo              the game itself, off the PATH
#   libexec/zumbelo/patches.dat          a link to the MIDI patches, where the library looks for them
#   share/applications/example.estudioventisca.zumbelo.desktop   the desktop menu entry
#   share/metainfo/example.estudioventisca.zumbelo.metainfo.xml  the software-centre metadata
#   share/icons/hicolor/NxN/apps/zumbelo.png   the icon, N from 16 to 256
#   share/man/man6/zumbelo.6.gz
#   share/doc/zumbelo/copyright, changelog.gz
# zumbelo-data, its data (component datos, architecture-independent):
#   share/zumbelo/datos.dat, patches.dat
#   share/doc/zumbelo-data/copyright, changelog.gz
include(GNUInstallDirs)

# The software-centre id, a reverse domain name of the studio's; the desktop
# entry and the metadata file carry it as their names.
set(ZUMBELO_ID example.estudioventisca.zumbelo)
# Debian's place for games' programs, beside bin/ under the prefix.
set(ZUMBELO_DIR_LANZADOR games)
set(ZUMBELO_DIR_JUEGO ${CMAKE_INSTALL_LIBEXECDIR}/zumbelo)
set(ZUMBELO_DIR_DATOS ${CMAKE_INSTALL_DATADIR}/zumbelo)
set(ZUMBELO_EMPAQUE ${CMAKE_BINARY_DIR}/empaque)
file(MAKE_DIRECTORY ${ZUMBELO_EMPAQUE})

# The release histories name the project's version first: the changelog's
# top entry and the metadata's newest release.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog cabecera LIMIT_COUNT 1)
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/${ZUMBELO_ID}.metainfo.xml lanzamiento REGEX "<release " LIMIT_COUNT 1)
string(REGEX MATCH "^zumbelo \\(([^)]*)\\)" _ "${cabecera}")
set(version_changelog "${CMAKE_MATCH_1}")
string(REGEX MATCH "version=\"([^\"]*)\"" _ "${lanzamiento}")
set(version_metainfo "${CMAKE_MATCH_1}")
if(NOT version_changelog STREQUAL ZUMBELO_VERSION OR NOT version_metainfo STREQUAL ZUMBELO_VERSION)
  message(FATAL_ERROR "Version ${ZUMBELO_VERSION}, but packaging/changelog starts at '${version_changelog}' "
    "and the metainfo's newest release is '${version_metainfo}': add an entry to each")
endif()

# The icon at every size a desktop asks for, from panels to HiDPI, each
# drawn by our own generator code at that size.
set(ZUMBELO_LADOS_ICONO 16 22 24 32 48 64 128 256)
set(ZUMBELO_ICONOS "")
foreach(lado ${ZUMBELO_LADOS_ICONO})
  add_custom_command(
    OUTPUT ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    COMMAND icono ${lado} ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    DEPENDS icono
    COMMENT "Drawing the ${lado}x${lado} icon"
    VERBATIM)
  list(APPEND ZUMBELO_ICONOS ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png)
endforeach()

# The manual page and the changelog, compressed without a time stamp so the
# bytes stay the same.
foreach(texto zumbelo.6 changelog)
  add_custom_command(
    OUTPUT ${ZUMBELO_EMPAQUE}/${texto}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${texto} ${ZUMBELO_EMPAQUE}/${texto}
    COMMAND gzip -9nf ${ZUMBELO_EMPAQUE}/${texto}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${texto}
    COMMENT "Compressing ${texto}"
    VERBATIM)
endforeach()

add_custom_target(empaque ALL DEPENDS ${ZUMBELO_ICONOS} ${ZUMBELO_EMPAQUE}/zumbelo.6.gz ${ZUMBELO_EMPAQUE}/changelog.gz)

# The launcher finds the game and its data from its own place, so an
# installed tree works wherever it is put (a DESTDIR, another prefix).
set(dir_lanzador ${CMAKE_INSTALL_PREFIX}/${ZUMBELO_DIR_LANZADOR})
file(RELATIVE_PATH ZUMBELO_BIN_A_JUEGO ${dir_lanzador} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zumbelo)
file(RELATIVE_PATH ZUMBELO_BIN_A_DATOS ${dir_lanzador} ${CMAKE_INSTALL_FULL_DATADIR}/zumbelo)
file(RELATIVE_PATH ZUMBELO_JUEGO_A_DATOS ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zumbelo ${CMAKE_INSTALL_FULL_DATADIR}/zumbelo)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zumbelo.in ${ZUMBELO_EMPAQUE}/zumbelo @ONLY)

# A file's installed path as install(CODE) sees it, under the prefix given at
# install time unless the directory is absolute (DESTDIR goes in front).
function(ruta_instalada variable dir nombre)
  if(IS_ABSOLUTE ${dir})
    set(${variable} "${dir}/${nombre}" PARENT_SCOPE)
  else()
    set(${variable} "\${CMAKE_INSTALL_PREFIX}/${dir}/${nombre}" PARENT_SCOPE)
  endif()
endfunction()

install(TARGETS zumbelo RUNTIME DESTINATION ${ZUMBELO_DIR_JUEGO} COMPONENT juego)
# A stripped install (`cpack`, `cmake --install --strip`) also drops the
# compiler's notes, as Debian's own packages do (lintian asks for it).
ruta_instalada(juego ${ZUMBELO_DIR_JUEGO} zumbelo)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}${juego}\" COMMAND_ERROR_IS_FATAL ANY)
  endif()
" COMPONENT juego)
install(PROGRAMS ${ZUMBELO_EMPAQUE}/zumbelo DESTINATION ${ZUMBELO_DIR_LANZADOR} COMPONENT juego)
# Allegro's DIGMID driver looks for patches.dat beside the running program
# (not in the working directory): a relative link there keeps the music
# playing from any directory while the data stay under share/.
ruta_instalada(enlace ${ZUMBELO_DIR_JUEGO} patches.dat)
install(CODE "
  set(enlace \"${enlace}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${enlace}\")
  file(CREATE_LINK \"${ZUMBELO_JUEGO_A_DATOS}/patches.dat\" \"\$ENV{DESTDIR}\${enlace}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${enlace}\")
" COMPONENT juego)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${ZUMBELO_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT juego)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${ZUMBELO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT juego)
foreach(lado ${ZUMBELO_LADOS_ICONO})
  install(FILES ${ZUMBELO_EMPAQUE}/zumbelo-${lado}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME zumbelo.png COMPONENT juego)
endforeach()
install(FILES ${ZUMBELO_EMPAQUE}/zumbelo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT juego)

install(FILES ${ZUMBELO_RUN_DIR}/datos.dat ${ZUMBELO_RUN_DIR}/patches.dat DESTINATION ${ZUMBELO_DIR_DATOS} COMPONENT datos)

# Each package's licences and history, where Debian keeps them.
foreach(paquete_componente zumbelo:juego zumbelo-data:datos)
  string(REPLACE ":" ";" par ${paquete_componente})
  list(GET par 0 paquete)
  list(GET par 1 componente)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${ZUMBELO_EMPAQUE}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${paquete} COMPONENT ${componente})
endforeach()

# The Debian packages: `cpack` in the build directory writes
# zumbelo_<version>_<arch>.deb and zumbelo-data_<version>_all.deb, after
# bringing the build up to date.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zumbelo)
set(CPACK_PACKAGE_VERSION ${ZUMBELO_VERSION})
set(CPACK_PACKAGE_VENDOR "Estudio Ventisca")
set(CPACK_PACKAGE_CONTACT "Estudio Ventisca <zumbelo@estudioventisca.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://estudioventisca.example/zumbelo/)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL juego datos)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The game goes in without its symbols.
set(CPACK_STRIP_FILES ON)

# The game: the libraries it links (Allegro 4 among them) as dpkg-shlibdeps
# finds them, and its data of exactly the same version. The MIDI patches
# travel with the data, so no soundfont is needed.
set(CPACK_DEBIAN_JUEGO_PACKAGE_NAME zumbelo)
set(CPACK_DEBIAN_JUEGO_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_JUEGO_DEPENDS datos)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_JUEGO_DESCRIPTION "arcade game: cross the road to the ski-hire shop, then ski the slalom
Zumbelo wants to go skiing. First he must cross a busy two-carriageway
road on foot to the ski-hire shop, pay for a pair of skis and carry them
back across the road. Then he skis down a slalom course of flag gates,
trees and snow heaps. Four courses, denser traffic at every level, a hall
of fame, Spanish and English, two graphic sets.")

# The data: the same on every architecture.
set(CPACK_DEBIAN_DATOS_PACKAGE_NAME zumbelo-data)
set(CPACK_DEBIAN_DATOS_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATOS_DESCRIPTION "data for the Zumbelo arcade game
The pictures, fonts, tunes and sound effects of Zumbelo, a game in which
the hero crosses a busy road to the ski-hire shop and then skis down a
slalom course, and the General MIDI instruments that play its music.
.
This package holds architecture-independent data; the game itself is in
the zumbelo package.")
include(CPack)
