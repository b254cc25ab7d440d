# What `cmake --install` puts into a prefix besides the programs (installed by
# their own folders): the README. And the Debian package made from the same
# installation by `cpack -G DEB`.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/orvelbrowser)

set(CPACK_PACKAGE_NAME orvelbrowser)
set(CPACK_PACKAGE_VENDOR "Harlund")
set(CPACK_PACKAGE_CONTACT "Harlund <support@harlund.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Site-specific browser for the Harlund web site")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Site-specific browser for the Harlund web site\n\
Opens a product's download, program, support, news, event or shop page of\n\
the Harlund web site in a window of its own and remembers each category's\n\
window placement.")
# The libraries come from dpkg-shlibdeps; what the engine and Qt load at run
# time (the engine's helper process, the SVG icon plugins)
# no library check can see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, libqt6svg6")
# Without the German dictionary the program runs, only unchecked.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-de-de")
include(CPack)
