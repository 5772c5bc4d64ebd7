# The installed layout and the Debian package (scripts/package.sh makes it):
#   /usr/lib/quiverwise/      the program and its five command-line tools
#   /usr/bin/                 a link to each of them
#   /usr/share/quiverwise/    the supplied tables (with the empty customer
#                             table, index and shop record a first start
#                             copies into the user's data folder) and help/
#   desktop entry, hicolor icon, AppStream metadata, manual pages, copyright
#   and changelog where Debian keeps them.
include(GNUInstallDirs)

set(qw_programs quiverwise quiverwise-select quiverwise-calc quiverwise-customers
                quiverwise-dbf quiverwise-sheet)
set(qw_package_dir ${PROJECT_SOURCE_DIR}/packaging)
set(qw_staged ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${qw_staged}/bin ${qw_staged}/man)

install(TARGETS ${qw_programs} RUNTIME DESTINATION lib/quiverwise)
foreach(program IN LISTS qw_programs)
  # Relative links, so that the tree may be installed under any prefix.
  file(CREATE_LINK ../lib/quiverwise/${program} ${qw_staged}/bin/${program} SYMBOLIC)
  install(FILES ${qw_staged}/bin/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

install(DIRECTORY ${QW_TABLES_DIR}/ DESTINATION share/quiverwise)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help/ DESTINATION share/quiverwise/help)

install(FILES ${qw_package_dir}/quiverwise.desktop DESTINATION share/applications)
install(FILES ${qw_package_dir}/org.quiverwise.Quiverwise.metainfo.xml
        DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/artwork/icons/quiverwise.svg
        DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/artwork/icons/quiverwise_${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quiverwise.png)
endforeach()

# Manual pages and the changelog go compressed, without a time stamp, as
# Debian wants them.
set(qw_compressed)
foreach(program IN LISTS qw_programs)
  set(page ${qw_staged}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND gzip -9nc ${qw_package_dir}/man/${program}.1 > ${page}
    DEPENDS ${qw_package_dir}/man/${program}.1 VERBATIM)
  list(APPEND qw_compressed ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(qw_changelog ${qw_staged}/changelog.Debian.gz)
add_custom_command(OUTPUT ${qw_changelog}
  COMMAND gzip -9nc ${qw_package_dir}/changelog.Debian > ${qw_changelog}
  DEPENDS ${qw_package_dir}/changelog.Debian VERBATIM)
add_custom_target(qw_package_files ALL DEPENDS ${qw_compressed} ${qw_changelog})
install(FILES ${qw_changelog} ${qw_package_dir}/copyright DESTINATION share/doc/quiverwise)
install(FILES ${qw_package_dir}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME quiverwise)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiverwise)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quiverwise developers <dev@quiverwise.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.norvane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis line, then the extended description; CPack starts each of its
# lines with a space and turns the empty line into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "arrow shaft selection for archery shops
Quiverwise is for the counter of an archery shop. The salesperson types an
archer's bow setup and Quiverwise looks it up in the arrow maker's shaft
selection charts, showing the shafts that suit it on four pages (hunting,
target, youth and the maker's second brand), with shaft specifications,
kinetic energy, front of centre and trajectory calculators, a customer
table and printed setup sheets.

Each user's tables are kept in ~/.local/share/quiverwise; counters sharing
one folder name it with --data or QUIVERWISE_DATA.")
include(CPack)
