# Run by cpack once it has made the packages (CPACK_POST_BUILD_SCRIPTS): the
# ar members of each .deb (debian-binary, control.tar.gz, data.tar.gz) get
# mode 644, as dpkg-deb writes them. CPack gives them the modes of the files
# it made for them, that is the umask of whoever packs.
foreach(deb ${CPACK_PACKAGE_FILES})
  execute_process(COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/ar_member_modes.py ${deb}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not set the modes of the members of ${deb}")
  endif()
endforeach()
