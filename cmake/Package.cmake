# `cpack -G DEB` in a build folder: keltosimu_<version>_<arch>.deb installing
# into /usr. dpkg-shlibdeps (dpkg-dev) declares the linked libraries; the list
# below adds what the programs load by path or as a plugin.
set(CPACK_PACKAGE_NAME keltosimu)
set(CPACK_PACKAGE_VENDOR KeltoSimu)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "microcontroller training board simulator")
set(CPACK_PACKAGE_DESCRIPTION
  "Students place parts (switches, keypad, LEDs, motors, displays, an LCD, gates, instruments)\n\
around a microcontroller, wire them and run a KELTOBASIC program. Includes keltosimu-run to\n\
run circuits without a window, example lessons and a guide in Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KeltoSimu developers <keltosimu@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(KELTO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT KELTO_DPKG_SHLIBDEPS)
  message(WARNING "dpkg-shlibdeps (dpkg-dev) not found: a .deb made here declares no library dependencies")
endif()
# The tune soundfont is opened by path; the window needs a display plugin and
# a font with Chinese glyphs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, qt6-qpa-plugins, fonts-wqy-microhei | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)
