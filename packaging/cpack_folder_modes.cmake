# Run by cpack once it has installed the packages' files into its staging
# folder, before it packs them (CPACK_PRE_BUILD_SCRIPTS): every folder gets
# mode 755. CMake makes the folders above the installed files with the umask
# of whoever packs (CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS does not reach
# them in CMake 3.25), so a builder with umask 077 would make other packages.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
set(folders "")
foreach(entry ${entries})
  if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
    list(APPEND folders "${entry}")
  endif()
endforeach()
if(folders)
  file(CHMOD ${folders} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
endif()
