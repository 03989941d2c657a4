# Where an install puts things. The library finds its helper programs as ../libexec/quarn-m
# from its own folder and the tools find the library as ../lib from theirs, so lib and
# libexec stay one level below the prefix (also under /usr, instead of a multiarch folder).
# Included before any target is made, so that every install() rule sees the same folders.
# Inside another project the folders are this project's own (normal variables), unless the
# parent chose them already.
if(PROJECT_IS_TOP_LEVEL)
  set(CMAKE_INSTALL_LIBDIR lib CACHE PATH "Object code libraries (lib)")
  set(CMAKE_INSTALL_LIBEXECDIR libexec CACHE PATH "Programs run by other programs (libexec)")
else()
  foreach(dir LIBDIR=lib LIBEXECDIR=libexec)
    string(REPLACE "=" ";" dir "${dir}")
    list(GET dir 0 name)
    list(GET dir 1 default)
    if(NOT DEFINED CMAKE_INSTALL_${name})
      set(CMAKE_INSTALL_${name} ${default})
    endif()
  endforeach()
endif()
include(GNUInstallDirs)
foreach(dir LIBDIR LIBEXECDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}" OR CMAKE_INSTALL_${dir} MATCHES "/")
    message(WARNING "CMAKE_INSTALL_${dir} is '${CMAKE_INSTALL_${dir}}': the library looks for "
                    "its helper programs in ../libexec/quarn-m from its own folder, so keep "
                    "lib and libexec one level below the prefix")
  endif()
endforeach()
