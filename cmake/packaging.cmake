# Where `cmake --install` puts everything, and the two Debian packages CPack
# builds: zlconf (the tool, zlplan, zlsave, the boot service) and zlconf-sim
# (the simulated driver). Every install() names its package as its component.
include(GNUInstallDirs)

install(TARGETS zlconf zlsave zlapply RUNTIME DESTINATION ${CMAKE_INSTALL_SBINDIR} COMPONENT zlconf)
install(TARGETS zlplan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT zlconf)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT zlconf
        FILES_MATCHING PATTERN "*.conf" PATTERN "*.state")
# For the people who run it: what to read first (README.md is the developers').
install(FILES packaging/README DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT zlconf)
install(FILES schema/link.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/zlconf/schema
        COMPONENT zlconf)
# Applies /etc/zlumi.conf at boot, checking it before and the links after.
install(FILES packaging/zlconf.service DESTINATION lib/systemd/system COMPONENT zlconf)
install(PROGRAMS packaging/zlconf-boot DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zlconf
        COMPONENT zlconf)
# zlapply's restore point and its lock live in /run/zlconf, made at boot
# with mode 0700 (zlapply makes it too, should it be missing).
install(FILES packaging/tmpfiles.conf DESTINATION lib/tmpfiles.d RENAME zlconf.conf
        COMPONENT zlconf)

install(TARGETS zlsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT sim)
# Private to zlsim, and two levels below lib/, so that the package runs no
# ldconfig for it (CPack adds a call for libraries in lib/ and its children).
install(TARGETS standin_preload LIBRARY DESTINATION ${ZLSIM_PRELOAD_DIR} COMPONENT sim)

# One completion script serves every companion; bash-completion loads it by
# the command's name.
set(completions ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES completion/companions.bash DESTINATION ${completions} RENAME zlplan
        COMPONENT zlconf)
install(FILES completion/companions.bash DESTINATION ${completions} RENAME zlsave
        COMPONENT zlconf)
install(FILES completion/companions.bash DESTINATION ${completions} RENAME zlapply
        COMPONENT zlconf)
install(FILES completion/companions.bash DESTINATION ${completions} RENAME zlsim COMPONENT sim)

# Each package's copyright and changelog, the changelog compressed as Debian
# installs it.
include(${CMAKE_CURRENT_LIST_DIR}/install_compressed.cmake)
foreach(component zlconf sim)
  set(package zlconf)
  if(component STREQUAL "sim")
    set(package zlconf-sim)
  endif()
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package})
  install(FILES packaging/copyright DESTINATION ${docdir} COMPONENT ${component})
  install_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${docdir} ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL zlconf sim)
set(CPACK_PACKAGE_NAME zlconf)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Maren Okafor <maren.okafor@zelnar.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_ZLCONF_PACKAGE_NAME zlconf)
set(CPACK_COMPONENT_ZLCONF_DESCRIPTION
    "configure link aggregation from a configuration file
zlconf configures the Zelnar link-aggregation driver from a small
configuration language, and applies /etc/zlumi.conf at boot. zlplan shows
what a file would do before it touches the driver, zlsave prints the
driver's links as a file that restores them, and zlapply applies a file
whole or not at all: checked first, rolled back on any refused request,
and reverted unless confirmed.")
set(CPACK_DEBIAN_ZLCONF_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/postinst ${PROJECT_SOURCE_DIR}/packaging/postrm)

set(CPACK_DEBIAN_SIM_PACKAGE_NAME zlconf-sim)
set(CPACK_DEBIAN_SIM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_SIM_PACKAGE_DEPENDS "zlconf (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_SIM_DESCRIPTION
    "simulated link-aggregation driver for trying zlconf configurations
zlsim runs zlconf, zlplan or zlsave against simulated link devices whose
state persists in a file, logs the requests they send and injects failures,
so that a configuration can be tried on a machine without the driver.")
include(CPack)
