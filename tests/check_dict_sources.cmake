# Re-runs the dictionary source generator and compares its output with the
# committed tables.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
  COMMAND /usr/bin/python3 ${SOURCE_DIR}/tools/gen_dict_sources.py --out ${WORK_DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the generator failed")
endif()
foreach(name chars.txt words.txt frequent.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${SOURCE_DIR}/data/dictsrc/${name}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "data/dictsrc/${name} differs from what tools/gen_dict_sources.py makes")
  endif()
endforeach()
