# `make package`: Debian packages built by CPack from the install rules.
# zorbel holds the game and RavlenLib's shared library (what a host needs);
# libravlen-dev holds what a developer builds against: the headers, the
# CMake package, the pkg-config file and the Qt Designer plugin.
include(GNUInstallDirs)

# Debian's manual pages and changelogs are compressed, reproducibly.
function(zorbel_install_gzipped source destination name component)
  set(gzipped ${CMAKE_BINARY_DIR}/packaging/${component}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/${component}
    COMMAND gzip -9 -n -c ${source} > ${gzipped}
    DEPENDS ${source} VERBATIM)
  add_custom_target(gzip_${component}_${name} ALL DEPENDS ${gzipped})
  install(FILES ${gzipped} DESTINATION ${destination} COMPONENT ${component})
endfunction()

zorbel_install_gzipped(${PROJECT_SOURCE_DIR}/game/resources/desktop/zorbel.6 ${CMAKE_INSTALL_MANDIR}/man6 zorbel.6 Runtime)
foreach(pair IN ITEMS "Runtime;zorbel" "Development;libravlen-dev")
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
  zorbel_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_INSTALL_DATADIR}/doc/${package} changelog
                         ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zorbel developers")
set(CPACK_PACKAGE_CONTACT "The Zorbel developers <developers@zorbel.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zorbel.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME zorbel)
# RavlenLib's shlibs entry, and the trigger that refreshes the linker's cache
# once for any number of libraries installed together.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/shlibs
    ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION games)
# What the binaries do not name: the media back end that plays the music
# and the buzzer, and the fonts the board's display fonts fall back to.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-dejavu-core, fonts-dejavu-extra, fonts-liberation2, fonts-comfortaa, fonts-lobster")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "gstreamer1.0-pulseaudio | gstreamer1.0-alsa")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "fill-in-the-blank party quiz game for a host and a room
Zorbel is a party quiz game run by a host on one large window that the room
watches: fill-in-the-blank prompts in two modes, players' names and scores,
turns, rounds and a score to win, a countdown with music and a buzzer, and a
room display for the television. Every move can be undone, and a game cut
short by a crash is offered again at the next start.

The package also holds RavlenLib, the skinnable push-button library the
game's buttons are made of.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libravlen-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# Its plugin links the library of the zorbel package, which dpkg-shlibdeps
# does not look into; the dependencies are named here instead.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "zorbel (= ${PROJECT_VERSION}), qt6-base-dev, libc6 (>= 2.34), libgcc-s1 (>= 3.4), libstdc++6 (>= 11), libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), libqt6widgets6 (>= 6.4.0)")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "skinnable push-button widget for Qt 6 - development files
RavlenLib is a Qt Widgets push button with thirteen skins and a gradient
look, tint, textures, transparency, rounded outlines, borders, shadows, a
split-button arrow, hover effects, a fade between states and sounds.

This package holds the headers, the CMake package (find_package(RavlenLib)),
the pkg-config file and the Qt Designer plugin.")

include(CPack)
