# The Debian package: `cpack -G DEB` in a build folder (./dev package) makes
# channelflow_<version>_<arch>.deb from the install rules. The Qt and C++
# libraries come from dpkg-shlibdeps; fonts and translations are loaded at run
# time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME channelflow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "channelflow maintainers <maintainers@users.noreply.c-seed-615c16c2.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "uniform flow calculator for trapezoidal open channels")
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop calculator for hydraulic engineers, in Simplified Chinese:
type the bottom width, water depth, side slope, bed slope and Manning roughness
of a trapezoidal channel and read the mean velocity and the discharge of its
uniform flow. channelflow-cli answers the same questions on the command line,
together with normal and critical depth, rating tables and batches.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's Song face and Qt's own Chinese strings.
# xdg-open starts the default browser on the offline page.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)

# The offline page (./dev web builds it; ./dev package does so first) and the
# menu entry that opens it in the default browser. Both are installed only
# when the page has been built, so a build without emscripten still installs.
include(GNUInstallDirs)
install(CODE "set(CHANNELFLOW_WEB_PAGE \"${CHANNELFLOW_WEB_PAGE}\")
  set(CHANNELFLOW_WEB_ENTRY \"${PROJECT_SOURCE_DIR}/app/channelflow-toolkit.desktop\")
  set(CHANNELFLOW_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(SCRIPT cmake/InstallWebPage.cmake)
