# Where `cmake --install` puts things, after the freedesktop and Debian
# conventions: programs in bin, the private libraries in lib/kyvo, data in
# share/kyvo, Cartoframe's library in lib and its headers in include/cartoframe.
# The programs find their data and private libraries relative to their own
# folder (platform/core/ProgramFolders.h), so an installed tree can move.
include(GNUInstallDirs)

set(KYVO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kyvo)
set(KYVO_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/kyvo)

foreach(dir IN ITEMS CMAKE_INSTALL_BINDIR KYVO_INSTALL_DATADIR KYVO_INSTALL_PRIVATE_LIBDIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the prefix, not ${${dir}}: the programs find their files relative to themselves")
  endif()
endforeach()

# The data and private library folders seen from the programs' folder.
file(RELATIVE_PATH KYVO_DATA_FROM_PROGRAMS /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KYVO_INSTALL_DATADIR})
file(RELATIVE_PATH KYVO_LIBRARIES_FROM_PROGRAMS /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KYVO_INSTALL_PRIVATE_LIBDIR})
