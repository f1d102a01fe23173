# `make package`: the Debian package varnolek_VERSION_ARCH.deb, made by CPack
# from the install rules. The Makefile builds it in a Release tree of its own.
set(VARNOLEK_PACKAGE_DIR ${CMAKE_BINARY_DIR} CACHE PATH "Where `cpack` writes the .deb")
set(VARNOLEK_MAINTAINER "Varnolek maintainers <maintainers@users.noreply.c-seed-6a9d98d5.example>"
  CACHE STRING "The Maintainer field of the package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnolek)
set(CPACK_PACKAGE_VENDOR "Varnolek maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "water-quality models and pollutant-receiving capacity calculator")
set(CPACK_PACKAGE_DESCRIPTION
  "Varnolek is a desktop calculator for engineers who write water-resources
protection plans. It evaluates the analytic water-quality models of rivers,
lakes and reservoirs, the pollutant-receiving capacity and the water
environmental capacity of a water body, the load reduction or remaining
capacity now and in a planning year, the degradation coefficient K from
monitoring points and the design low-water level year of a hydrological
series. The interface is in Simplified Chinese; every result is written with
a fixed pattern of digits so that it can be checked against a hand
calculation.

The command varnolek-calc gives the same calculations without a display,
one case at a time or as a CSV batch.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_OUTPUT_FILE_PREFIX ${VARNOLEK_PACKAGE_DIR})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VARNOLEK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the platform plugin Qt loads at run time
# (without it no window opens), the fonts that stand in for 宋体, 隶书 and
# 幼圆 (without them the interface shows boxes), and Qt's Chinese translation
# (without it Qt's own dialogs speak English).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-wqy-microhei, fonts-arphic-uming, fonts-arphic-ukai, qt6-translations-l10n")

include(CPack)
