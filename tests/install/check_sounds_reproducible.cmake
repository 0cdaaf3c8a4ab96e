# Makes the sound cues twice and compares them byte for byte: a package built
# twice from one commit carries the same sounds.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P check_sounds_reproducible.cmake
file(REMOVE_RECURSE ${WORK_DIR})
foreach(run a b)
  execute_process(COMMAND bash ${SOURCE_DIR}/tools/gen_sounds.sh ${WORK_DIR}/${run}
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gen_sounds.sh failed: ${err}")
  endif()
endforeach()
file(GLOB made RELATIVE ${WORK_DIR}/a ${WORK_DIR}/a/*)
if(NOT made)
  message(FATAL_ERROR "no sounds made")
endif()
foreach(f ${made})
  file(SHA256 ${WORK_DIR}/a/${f} first)
  file(SHA256 ${WORK_DIR}/b/${f} second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "${f} differs between two makes")
  endif()
endforeach()
