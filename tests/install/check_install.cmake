# Installs the build into a temporary prefix and runs the installed programs
# from another working folder, with the learner's data folder elsewhere:
# they find their data, and nothing is written under the prefix.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -P check_install.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(PREFIX ${WORK_DIR}/prefix)
file(MAKE_DIRECTORY ${WORK_DIR}/elsewhere ${WORK_DIR}/xdg)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(f bin/tarvo bin/tarvo-dict share/tarvo/hzlib/zh1 share/tarvo/images/preface.jpg
    share/tarvo/files/record.dat share/applications/org.tarvo.Tutor.desktop
    share/icons/hicolor/scalable/apps/org.tarvo.Tutor.svg share/metainfo/org.tarvo.Tutor.metainfo.xml
    share/man/man1/tarvo-dict.1.gz share/man/man1/tarvo.1.gz share/doc/tarvo/copyright
    lib/tarvo/modules/tarvo-history.so lib/tarvo/modules/tarvo-sound.so)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(SIZE ${PREFIX}/share/tarvo/files/record.dat shipped_size)
if(NOT shipped_size EQUAL 0 OR EXISTS ${PREFIX}/share/tarvo/files/record.txt)
  message(FATAL_ERROR "the package ships somebody's scores")
endif()
file(GLOB_RECURSE before LIST_DIRECTORIES true ${PREFIX}/*)

# The dictionary without --dir, from another folder.
execute_process(COMMAND ${PREFIX}/bin/tarvo-dict lookup --chars 50006
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere OUTPUT_VARIABLE out RESULT_VARIABLE rc)
string(FIND "${out}" "中" at)
if(NOT rc EQUAL 0 OR at LESS 0)
  message(FATAL_ERROR "tarvo-dict lookup --chars 50006 gave: ${out}")
endif()

# The program up to the moment all its windows are made.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
    XDG_DATA_HOME=${WORK_DIR}/xdg TARVO_QUIT_AFTER_FIRST_PAINT=ready ${PREFIX}/bin/tarvo
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed tarvo did not start: ${rc}")
endif()

# The learning history and the sound output, loaded at their first use from lib/tarvo/modules/.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
    XDG_DATA_HOME=${WORK_DIR}/xdg TARVO_QUIT_AFTER_FIRST_PAINT=modules ${PREFIX}/bin/tarvo
  WORKING_DIRECTORY ${WORK_DIR}/elsewhere RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed tarvo did not load its modules from lib/tarvo/modules/: ${rc}")
endif()

file(GLOB_RECURSE after LIST_DIRECTORIES true ${PREFIX}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "something was written under the prefix")
endif()

# The menu entry and the software-centre description.
find_program(DESKTOP_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${DESKTOP_VALIDATE} ${PREFIX}/share/applications/org.tarvo.Tutor.desktop
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "desktop-file-validate failed")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
    ${PREFIX}/share/metainfo/org.tarvo.Tutor.metainfo.xml RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate failed")
endif()
message(STATUS "installed and ran from ${PREFIX}")
