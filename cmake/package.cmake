# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by CPack (scripts/package): cobbleton_<version>_<arch>.deb holds
# whatever `cmake --install` installs, under /usr, with the programs in /usr/games as Debian
# wants for its games section (cmake/debiangames.cmake). Its library dependencies are read from
# the binaries by dpkg-shlibdeps (package dpkg-dev). Included after cmake/install.cmake.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cobbleton)
set(CPACK_PACKAGE_VENDOR "Cobbleton developers")
set(CPACK_PACKAGE_CONTACT "Cobbleton developers <developers@cobbleton.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "box-pushing puzzle game with its level editor")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Cobbleton is a box-pushing puzzle game. A level is a board of 15 by 12
cells with walls, floor, item places, items and the player. Walk with the
arrow keys and push one item at a time; when every item place holds an
item, the level is won. Eleven sample levels are included.
.
Quillmap, the level editor, paints boards with the keyboard and checks
that a level can be saved: one player, as many items as item places.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries: the dialogs are laid out for DejaVu Sans (Condensed, when there), and Qt's
# own buttons and file dialog speak the user's language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)

# The desktop entries name their program by its installed path, written at install time from
# CMAKE_INSTALL_PREFIX: CPack must install with DESTDIR into its staging folder and the real
# prefix, not with a prefix inside the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/debiangames.cmake")

include(CPack)
