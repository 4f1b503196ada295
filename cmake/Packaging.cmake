# `cpack` (scripts/package.sh) turns an installation into a Debian package; elsewhere into a zip.
set(CPACK_PACKAGE_NAME palvex)
set(CPACK_PACKAGE_VENDOR "Palvex developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design of the grain composition of raw mixes")
set(CPACK_PACKAGE_DESCRIPTION
  "Palvex designs the grain (particle-size) composition of the mineral part of raw mixes for concrete, refractory and dry mixes. From the sieve analyses of up to ten components it blends their grain curves by volume, compares the mix with a reference curve (Funk-Dinger, Fuller, Hummel, Bolomey or typed by hand) and lowers the curve divergence by hand, by an automatic search or exactly. The interface is in Russian. The package holds the window program palvex and the command-line tool palvex-cli.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Palvex)
set(CPACK_PACKAGE_EXECUTABLES palvex Palvex)
if(NOT CPACK_GENERATOR)
  if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
  else()
    set(CPACK_GENERATOR ZIP)
  endif()
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Palvex developers")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps (Qt's X11 and offscreen platforms come with its Gui
# library); the window, the charts and the report are drawn in the Liberation fonts. Qt's own
# texts in Russian and a native Wayland window are welcome, not needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
