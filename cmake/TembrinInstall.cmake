# What an install puts where, and the Debian package made from it. The build folder mirrors
# the installed layout for the run-time data (share/tembrin-ico), so that the program finds its
# files relative to its own location in both places and no path of either tree is compiled in.
include(GNUInstallDirs)

set(TEMBRIN_HOMEPAGE "https://example.org/tembrin-ico" CACHE STRING
    "The project's home page, named in the AppStream metadata and the package")
set(TEMBRIN_MAINTAINER "TembrinICO developers <tembrin-ico@example.org>" CACHE STRING
    "The Debian package's maintainer")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(staged_share ${CMAKE_BINARY_DIR}/share)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)

# Run-time data: the banner page.
configure_file(${CMAKE_SOURCE_DIR}/assets/banner/index.html
               ${staged_share}/tembrin-ico/banner/index.html COPYONLY)
install(DIRECTORY ${staged_share}/tembrin-ico DESTINATION ${CMAKE_INSTALL_DATADIR})

install(TARGETS tembrin-ico tembrin-ico-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry and the AppStream metadata.
install(FILES ${packaging}/tembrin-ico.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(metainfo io.github.tembrin.TembrinICO.metainfo.xml)
configure_file(${packaging}/${metainfo}.in ${staged_share}/metainfo/${metainfo} @ONLY)
install(FILES ${staged_share}/metainfo/${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The program's icon for the icon theme, drawn at build time by tools/app-icon.
set(icon_sizes 16 24 32 48 64 128 256)
set(icon_files)
foreach(size ${icon_sizes})
  list(APPEND icon_files ${staged_share}/icons/hicolor/${size}x${size}/apps/tembrin-ico.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND app_icon ${staged_share}/icons/hicolor ${icon_sizes}
  DEPENDS app_icon
  COMMENT "Drawing the program's icons")
add_custom_target(desktop_icons ALL DEPENDS ${icon_files})
install(DIRECTORY ${staged_share}/icons DESTINATION ${CMAKE_INSTALL_DATADIR})

# Manual pages from their scdoc sources, compressed as Debian ships them.
find_program(SCDOC scdoc)
if(SCDOC)
  set(man_pages)
  foreach(page tembrin-ico tembrin-ico-cli)
    set(man ${staged_share}/man/man1/${page}.1.gz)
    add_custom_command(
      OUTPUT ${man}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${staged_share}/man/man1
      COMMAND ${CMAKE_COMMAND} -DFILTER=${SCDOC} -DINPUT=${CMAKE_SOURCE_DIR}/docs/man/${page}.1.scd
              -DOUTPUT=${man} -DCOMPRESS=ON -P ${CMAKE_SOURCE_DIR}/cmake/RunFilter.cmake
      DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/${page}.1.scd ${CMAKE_SOURCE_DIR}/cmake/RunFilter.cmake
      COMMENT "Writing the manual page ${page}(1)")
    list(APPEND man_pages ${man})
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "scdoc not found (scripts/install-deps installs it): no manual pages")
endif()

# The package's own documents (a native package's changelog is changelog.gz).
configure_file(${packaging}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
configure_file(${packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DFILTER=cat -DINPUT=${CMAKE_BINARY_DIR}/packaging/changelog
          -DOUTPUT=${CMAKE_BINARY_DIR}/packaging/changelog.gz -DCOMPRESS=ON
          -P ${CMAKE_SOURCE_DIR}/cmake/RunFilter.cmake
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog ${CMAKE_SOURCE_DIR}/cmake/RunFilter.cmake)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tembrin-ico)

# The Debian package: `cpack -G DEB` in a build folder (the package preset builds one).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tembrin-ico)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TEMBRIN_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns a picture into a Windows icon file")
# The summary is the synopsis line; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TembrinICO opens a BMP, JPEG, GIF, ICO, WMF or EMF picture, shows it in a\n"
    " large view and in 64, 32 and 16 pixel previews, and exports it as a\n"
    " 32 x 32, 16-colour icon file. A command-line tool runs the same export\n"
    " without a window.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TEMBRIN_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
