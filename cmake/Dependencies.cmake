# Every outside dependency is found here, once; the folders use the targets.
# All come from Debian's packages (tools/dev installs them).

if(ORBELIN_WINDOW)
  # Debian: qt6-base-dev, libx11-dev
  find_package(Qt6 REQUIRED COMPONENTS Widgets Network)
  find_package(X11 REQUIRED)
endif()

if(ORBELIN_TESTS)
  find_package(GTest REQUIRED)  # Debian: libgtest-dev, libgmock-dev
  if(ORBELIN_WINDOW)
    find_package(Qt6 REQUIRED COMPONENTS Test)
  endif()
endif()

# Benchmarks are optional: without Google Benchmark (Debian:
# libbenchmark-dev) the build goes on without them.
if(ORBELIN_BENCH)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    message(STATUS "Google Benchmark not found (Debian: libbenchmark-dev): no benchmarks")
    set(ORBELIN_BENCH OFF)
  endif()
endif()

# GeographicLib (Debian: libgeographiclib-dev) is the yardstick of the
# geodesy benchmark and the accuracy tool, never part of the product.
find_library(ORBELIN_GEOGRAPHICLIB_LIBRARY GeographicLib)
find_path(ORBELIN_GEOGRAPHICLIB_INCLUDE_DIR GeographicLib/Geodesic.hpp)
if(ORBELIN_GEOGRAPHICLIB_LIBRARY AND ORBELIN_GEOGRAPHICLIB_INCLUDE_DIR)
  add_library(orbelin_geographiclib INTERFACE)
  target_include_directories(orbelin_geographiclib INTERFACE ${ORBELIN_GEOGRAPHICLIB_INCLUDE_DIR})
  target_link_libraries(orbelin_geographiclib INTERFACE ${ORBELIN_GEOGRAPHICLIB_LIBRARY})
else()
  message(STATUS "GeographicLib not found (Debian: libgeographiclib-dev): "
                 "no geodesy benchmark and no accuracy tool")
endif()

# cmark-gfm (Debian: libcmark-gfm-dev, libcmark-gfm-extensions-dev) reads the
# handbook's Markdown for the help generator and the example checker.
find_path(ORBELIN_CMARK_GFM_INCLUDE_DIR cmark-gfm.h REQUIRED)
find_library(ORBELIN_CMARK_GFM_LIBRARY cmark-gfm REQUIRED)
find_library(ORBELIN_CMARK_GFM_EXTENSIONS_LIBRARY cmark-gfm-extensions REQUIRED)
add_library(orbelin_cmark_gfm INTERFACE)
target_include_directories(orbelin_cmark_gfm SYSTEM INTERFACE ${ORBELIN_CMARK_GFM_INCLUDE_DIR})
target_link_libraries(orbelin_cmark_gfm INTERFACE ${ORBELIN_CMARK_GFM_EXTENSIONS_LIBRARY}
                                                  ${ORBELIN_CMARK_GFM_LIBRARY})
