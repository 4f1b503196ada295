# Builds the Debian package of this build tree, lists it, and checks that it holds what an
# installation needs: the programs, the desktop entry, the metainfo, the icons, the default
# database settings and the examples. The package is then unpacked into a scratch root, where
# palvex-cli must find the settings in share/palvex (there are none beside it and none in the
# user's configuration folder), and the desktop entry and the metainfo must validate.
#   cmake -DBUILD_DIR=… -DWORK=… -DCPACK=… -DAPP_ID=… -DVERSION=… -DWIDGETS=ON|OFF
#         -DICON_SIZES="16;22;…" -P package.cmake

find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message("SKIPPED: dpkg-deb is missing (not a Debian system), so no Debian package can be built or listed")
  return()
endif()

function(fail what)
  message(FATAL_ERROR "${what}")
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}"
                        -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs "${WORK}/palvex_${VERSION}_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  file(GLOB all "${WORK}/*")
  fail("expected one palvex_${VERSION}_<arch>.deb, found: ${all}")
endif()
list(GET debs 0 deb)

execute_process(COMMAND "${DPKG_DEB}" -c "${deb}" RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
if(NOT rc EQUAL 0)
  fail("dpkg-deb -c ${deb} failed")
endif()
message("${listing}")
set(expected
  ./usr/bin/palvex-cli
  ./usr/share/palvex/app_setups.ini
  ./usr/share/palvex/examples/concrete.txt
  ./usr/share/palvex/examples/dry-mix.txt
  ./usr/share/palvex/examples/dry-mix-prices.txt
  ./usr/share/palvex/examples/components.xlsx)
if(WIDGETS)
  list(APPEND expected
    ./usr/bin/palvex
    ./usr/share/applications/${APP_ID}.desktop
    ./usr/share/metainfo/${APP_ID}.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg)
  foreach(size IN LISTS ICON_SIZES)
    list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  endforeach()
endif()
set(missing "")
foreach(path IN LISTS expected)
  # Each line of the listing ends with the path.
  string(REGEX MATCH " ${path}\n" found "${listing}\n")
  if(NOT found)
    list(APPEND missing "${path}")
  endif()
endforeach()
if(missing)
  fail("the package lacks: ${missing}")
endif()

execute_process(COMMAND "${DPKG_DEB}" -f "${deb}" Package Version Depends OUTPUT_VARIABLE fields)
message("${fields}")
foreach(field "Package: palvex" "Version: ${VERSION}" "fonts-liberation" "libqt6core6" "libzip" "libglpk")
  string(FIND "${fields}" "${field}" at)
  if(at EQUAL -1)
    fail("the package's control fields lack \"${field}\"")
  endif()
endforeach()

set(root "${WORK}/root")
execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${root}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  fail("dpkg-deb -x failed")
endif()
file(MAKE_DIRECTORY "${WORK}/config" "${WORK}/data")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK}/config XDG_DATA_HOME=${WORK}/data XDG_DATA_DIRS=${WORK}/data
                        "${root}/usr/bin/palvex-cli" db "${root}/usr/share/palvex/examples/components.xlsx"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"names\"")
  fail("the installed palvex-cli did not read the example database with the installed settings (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${root}/usr/bin/palvex-cli" calc "${root}/usr/share/palvex/examples/concrete.txt"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"divergence\"")
  fail("the installed palvex-cli did not compute the installed example (${rc}):\n${out}\n${err}")
endif()

if(NOT WIDGETS)
  message("The package ${deb} holds everything an installation of palvex-cli needs.")
  return()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${root}/usr/share/applications/${APP_ID}.desktop"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    fail("desktop-file-validate:\n${out}${err}")
  endif()
else()
  message("desktop-file-validate is missing (desktop-file-utils): the desktop entry was not validated")
endif()
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${root}/usr/share/metainfo/${APP_ID}.metainfo.xml"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("${out}${err}")
  if(NOT rc EQUAL 0)
    fail("appstreamcli validate failed")
  endif()
else()
  message("appstreamcli is missing (appstream): the metainfo was not validated")
endif()
message("The package ${deb} holds everything an installation needs.")
