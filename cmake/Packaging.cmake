# The Debian package of the native programs: `cpack -G DEB` in a build of this tree
# (./package makes it from a release build).
#
# xscreensaver looks for its programs and their settings descriptions in Debian's own
# folders, not under a prefix, so the destinations below are fixed paths under /usr.

# The manual pages, compressed as Debian keeps them; -n leaves out the name and the
# time, so that the same page gives the same package.
set(scintleManDir ${CMAKE_BINARY_DIR}/man)
set(scintleManPages)
foreach(page scintle.6 scintle-render.1)
  set(compressed ${scintleManDir}/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${scintleManDir}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/docs/man/${page} ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
    VERBATIM)
  list(APPEND scintleManPages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${scintleManPages})

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
install(TARGETS scintle RUNTIME DESTINATION libexec/xscreensaver)
install(TARGETS scintle-render RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/scintle.xml DESTINATION share/xscreensaver/config)
install(FILES ${scintleManDir}/scintle.6.gz DESTINATION share/man/man6)
install(FILES ${scintleManDir}/scintle-render.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/resources/copyright
        DESTINATION share/doc/scintle)

set(SCINTLE_PACKAGE_MAINTAINER "Scintle Fractals developers <scintle@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

# A native package (its version has no Debian revision) carries changelog.gz, in
# Debian's format; its entry is this version's, dated when the build was configured
# (or at SOURCE_DATE_EPOCH), compressed as the manual pages are.
string(TIMESTAMP scintleChangelogDate "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(scintleChangelog ${CMAKE_BINARY_DIR}/doc/changelog)
configure_file(${PROJECT_SOURCE_DIR}/resources/changelog.in ${scintleChangelog} @ONLY)
add_custom_command(OUTPUT ${scintleChangelog}.gz
  COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${scintleChangelog} ${scintleChangelog}.gz
  DEPENDS ${scintleChangelog}
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${scintleChangelog}.gz)
install(FILES ${scintleChangelog}.gz DESTINATION share/doc/scintle)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scintle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Scintle Fractals developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fractal screen saver for xscreensaver")
# Lines of at most 79 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
"Scintle Fractals paints escape-time fractals (Mandelbrot, Julia, Dragon and
Phoenix) from a catalogue of 74 views, pixel by pixel in a scattered random
order, with fourteen colour schemes and three ways of blanking between
pictures. It runs under xscreensaver, which lists it with its settings, or on
its own in a window or on the root window. scintle-render makes PNG pictures
of the same views on the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SCINTLE_PACKAGE_MAINTAINER})
# Depends comes from the libraries the programs link (dpkg-shlibdeps), never by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
include(CPack)
