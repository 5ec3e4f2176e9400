# A plain `cmake --install` strips the programs and libraries it installs (the
# symbols are most of each file); -DVELK_INSTALL_STRIP=OFF keeps them, unless
# --strip is given. Included before any install rule, since the choice must
# be made before the first file is installed.
option(VELK_INSTALL_STRIP "Strip the programs and libraries when installing" ON)
install(CODE "if(NOT DEFINED CMAKE_INSTALL_DO_STRIP)
  set(CMAKE_INSTALL_DO_STRIP ${VELK_INSTALL_STRIP})
endif()" ALL_COMPONENTS)
