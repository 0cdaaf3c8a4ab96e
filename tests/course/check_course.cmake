# Re-runs the course generator and compares its output, file by file, with the
# committed course: the same files, the same bytes.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
  COMMAND /usr/bin/python3 ${SOURCE_DIR}/tools/gen_course.py --source ${SOURCE_DIR}/data/dictsrc
          --out ${WORK_DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the course generator failed")
endif()
file(GLOB made RELATIVE ${WORK_DIR} ${WORK_DIR}/*.txt)
file(GLOB committed RELATIVE ${SOURCE_DIR}/data/course ${SOURCE_DIR}/data/course/*.txt)
list(SORT made)
list(SORT committed)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "data/course holds ${committed}, the generator makes ${made}")
endif()
foreach(name ${made})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${SOURCE_DIR}/data/course/${name}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "data/course/${name} differs from what tools/gen_course.py makes")
  endif()
endforeach()
