# Packs the Debian packages twice from one build, the second time later and
# under another umask, and checks that the two are byte for byte the same;
# when they are not, names each differing member (the ar members, then every
# file whose contents, mode, owner or time differ). Then checks what a second
# build in another folder would change without making one: every archive
# member is dated SOURCE_DATE_EPOCH (the last commit's time), the screenshot
# drawn again is the same, and no packaged file nor any program of the build
# names the source or the build folder.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -P check_deb_reproducible.cmake
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# cpack finds the date itself (packaging/cpack_epoch.cmake), as at a build.
unset(ENV{SOURCE_DATE_EPOCH})

foreach(run a b)
  set(umask 022)
  if(run STREQUAL "b")
    set(umask 077)
  endif()
  execute_process(COMMAND sh -c "umask ${umask} && exec cpack -G DEB -B \"$1\"" pack ${WORK_DIR}/${run}
    WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack (${run}) failed: ${out}")
  endif()
  file(GLOB debs_${run} RELATIVE ${WORK_DIR}/${run} ${WORK_DIR}/${run}/*.deb)
endforeach()
if(NOT debs_a OR NOT debs_a STREQUAL debs_b)
  message(FATAL_ERROR "the two packings made different packages: ${debs_a} and ${debs_b}")
endif()

# What differs between two packings of one package, a line per difference:
# the ar members whose bytes differ, every file whose contents differ, then
# every member of the ar, control and data archives whose mode, owner, size or
# time differ (as ar and tar list them).
set(describe [=[
  a=$1 b=$2 work=$3
  for run in a b; do
    deb=$(eval echo \$$run)
    mkdir -p "$work/$run-ar" "$work/$run-files"
    (cd "$work/$run-ar" && ar x "$deb" && sha256sum * | sort -k2) > "$work/$run.ar"
    TZ=UTC0 ar tv "$deb" > "$work/$run.arlist"
    dpkg-deb -R "$deb" "$work/$run-files"
    (cd "$work/$run-files" && find . -type f -exec sha256sum {} + | sort -k2) > "$work/$run.files"
    for which in ctrl fsys; do
      dpkg-deb --$which-tarfile "$deb" | TZ=UTC0 tar -tv --full-time --numeric-owner |
        tr -s ' ' > "$work/$run.$which"
    done
  done
  diff "$work/a.ar" "$work/b.ar" | sed -n 's/^< [0-9a-f]*  /ar member /p'
  diff "$work/a.files" "$work/b.files" | sed -n 's/^< [0-9a-f]*  /contents of /p'
  for which in arlist ctrl fsys; do
    diff "$work/a.$which" "$work/b.$which" | sed -n 's/^< /first:  /p; s/^> /second: /p'
  done
]=])
set(report "")
foreach(deb ${debs_a})
  file(SHA256 ${WORK_DIR}/a/${deb} ha)
  file(SHA256 ${WORK_DIR}/b/${deb} hb)
  if(NOT ha STREQUAL hb)
    execute_process(COMMAND sh -c "${describe}" describe ${WORK_DIR}/a/${deb} ${WORK_DIR}/b/${deb}
      ${WORK_DIR}/compare-${deb} OUTPUT_VARIABLE differences)
    string(APPEND report "\n${deb} differs:\n${differences}")
  endif()
endforeach()
if(report)
  message(FATAL_ERROR "two packings of one build differ:${report}")
endif()

# Every member of every archive is dated the source's date (string(TIMESTAMP)
# answers SOURCE_DATE_EPOCH when it is set), so no file time of the build
# reaches the packages.
include(${SOURCE_DIR}/packaging/cpack_epoch.cmake)
string(TIMESTAMP when "%Y-%m-%d %H:%M:%S" UTC)
foreach(deb ${debs_a})
  foreach(which ctrl fsys)
    execute_process(COMMAND sh -c "dpkg-deb --$2-tarfile \"$1\" | TZ=UTC0 tar -tv --full-time | tr -s ' ' | grep -v \"^[^ ]* [^ ]* [^ ]* $3 \""
      list ${WORK_DIR}/a/${deb} ${which} "${when}" OUTPUT_VARIABLE undated)
    if(undated)
      message(FATAL_ERROR "${deb}: members not dated ${when} (SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH}):\n${undated}")
    endif()
  endforeach()
endforeach()

# The screenshot the package ships, drawn again now, is the same picture.
set(shot ${BUILD_DIR}/packaging/screenshots/start-screen.png)
execute_process(COMMAND ${BUILD_DIR}/app/tarvo-screenshot ${BUILD_DIR}/program ${WORK_DIR}/again.png
  RESULT_VARIABLE rc ERROR_VARIABLE err)
file(SHA256 ${shot} built)
file(SHA256 ${WORK_DIR}/again.png again)
if(NOT rc EQUAL 0 OR NOT built STREQUAL again)
  message(FATAL_ERROR "the start screen's screenshot drawn again differs from ${shot} ${err}")
endif()

# No folder of this build in what a build elsewhere would make: the packaged
# files, and the build's programs before stripping (their debug information
# makes their build IDs, which stay in the packaged programs).
foreach(deb ${debs_a})
  execute_process(COMMAND dpkg-deb -x ${WORK_DIR}/a/${deb} ${WORK_DIR}/unpacked)
endforeach()
execute_process(COMMAND grep -rlF -e ${SOURCE_DIR} -e ${BUILD_DIR} ${WORK_DIR}/unpacked
  ${BUILD_DIR}/program/tarvo ${BUILD_DIR}/program/tarvo-dict ${BUILD_DIR}/program/tarvo-history.so
  ${BUILD_DIR}/program/tarvo-sound.so
  OUTPUT_VARIABLE named RESULT_VARIABLE rc)
if(rc EQUAL 0)
  message(FATAL_ERROR "these files name the source or the build folder:\n${named}")
elseif(NOT rc EQUAL 1)
  message(FATAL_ERROR "grep failed (${rc})")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "${debs_a}: the same bytes twice, every member dated ${when}")
