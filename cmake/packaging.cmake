# Where `cmake --install` puts everything, and the Debian package CPack builds.
include(GNUInstallDirs)

install(TARGETS zlconf RUNTIME DESTINATION ${CMAKE_INSTALL_SBINDIR})
install(TARGETS zlplan zlsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# zlsim's simulated driver, private to the package.
install(TARGETS standin_preload LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/zlconf)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.conf" PATTERN "*.state")
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zlconf)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "zlconf developers <zlconf@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure link aggregation from a configuration file")
set(CPACK_PACKAGE_DESCRIPTION
    "zlconf configures the Zelnar link-aggregation driver from a small configuration
language. zlplan shows what a file would do before it touches the driver, and
zlsim simulates the driver to try configurations on a machine without it.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
