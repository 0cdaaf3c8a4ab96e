# Builds the Debian package with cpack and checks its contents and its
# dependencies (found by dpkg-shlibdeps from the executables).
#   cmake -DBUILD_DIR=... -P check_deb.cmake
file(GLOB old ${BUILD_DIR}/tarvo_*.deb)
if(old)
  file(REMOVE ${old})
endif()
# Packaging leaves the program folder a developer runs from as it was: each
# file's time and contents before and after.
function(snapshot out)
  file(GLOB_RECURSE files LIST_DIRECTORIES false ${BUILD_DIR}/program/files/*)
  set(lines "")
  foreach(f ${files})
    file(TIMESTAMP ${f} t "%s")
    file(SHA256 ${f} h)
    string(APPEND lines "${f} ${t} ${h}\n")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
snapshot(before)
execute_process(COMMAND cpack -G DEB WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc
  OUTPUT_VARIABLE out ERROR_VARIABLE out)
snapshot(after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "packaging changed the program folder's files:\n${before}\n${after}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${out}")
endif()
file(GLOB deb ${BUILD_DIR}/tarvo_*.deb)
if(NOT deb)
  message(FATAL_ERROR "no tarvo_*.deb")
endif()
execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends)
foreach(d libqt6widgets6 libc6 fonts-arphic-uming libqt6sql6-sqlite libqt6charts6)
  string(FIND "${depends}" "${d}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package does not depend on ${d}: ${depends}")
  endif()
endforeach()
execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE contents)
foreach(f ./usr/bin/tarvo ./usr/bin/tarvo-dict ./usr/share/tarvo/hzlib/zh1
    ./usr/share/applications/org.tarvo.Tutor.desktop ./usr/share/doc/tarvo/copyright
    ./usr/share/icons/hicolor/48x48/apps/org.tarvo.Tutor.png
    ./usr/share/icons/hicolor/256x256/apps/org.tarvo.Tutor.png
    ./usr/share/man/man1/tarvo.1.gz)
  string(FIND "${contents}" "${f}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks ${f}")
  endif()
endforeach()
# Debian's own checker: no error and no warning (informational tags may stay).
find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${deb} OUTPUT_VARIABLE tags
  ERROR_VARIABLE lintian_err RESULT_VARIABLE lintian_rc)
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" bad "${tags}")
if(bad)
  message(FATAL_ERROR "lintian:${bad}")
endif()
message(STATUS "${deb}: Depends: ${depends}")
