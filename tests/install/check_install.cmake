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
    share/tarvo/files/record.dat share/applications/org.tarvo.tutor.desktop
    share/icons/hicolor/scalable/apps/org.tarvo.tutor.svg share/metainfo/org.tarvo.tutor.metainfo.xml
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
execute_process(COMMAND ${DESKTOP_VALIDATE} ${PREFIX}/share/applications/org.tarvo.tutor.desktop
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "desktop-file-validate failed")
endif()
set(metainfo ${PREFIX}/share/metainfo/org.tarvo.tutor.metainfo.xml)
execute_process(COMMAND ${APPSTREAMCLI} validate --pedantic --no-net ${metainfo}
  RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
# Pedantic hints too: a clean file gives no tag at all.
if(NOT rc EQUAL 0 OR said MATCHES "(^|\n)[EWIP]: ")
  message(FATAL_ERROR "appstreamcli validate --pedantic:\n${said}")
endif()
# The screenshot it names is the one the package ships, at the size it gives
# (a PNG's width and height are the big-endian words at bytes 16 and 20).
set(shot ${PREFIX}/share/tarvo/screenshots/start-screen.png)
file(READ ${metainfo} meta)
if(NOT meta MATCHES "<image type=\"source\" width=\"([0-9]+)\" height=\"([0-9]+)\">[^<]*/start-screen.png<")
  message(FATAL_ERROR "the metainfo names no start-screen.png with its size")
endif()
set(named "${CMAKE_MATCH_1}x${CMAKE_MATCH_2}")
if(NOT EXISTS ${shot})
  message(FATAL_ERROR "not installed: ${shot}")
endif()
file(READ ${shot} header LIMIT 24 HEX)
string(SUBSTRING "${header}" 32 8 w)
string(SUBSTRING "${header}" 40 8 h)
math(EXPR w "0x${w}")
math(EXPR h "0x${h}")
if(NOT "${w}x${h}" STREQUAL named)
  message(FATAL_ERROR "the screenshot is ${w}x${h}, the metainfo says ${named}")
endif()
foreach(name 学习路线 学习记录)
  string(FIND "${meta}" "${name}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the metainfo's description does not name ${name}")
  endif()
endforeach()
message(STATUS "installed and ran from ${PREFIX}")
