# Re-runs the dictionary source generator and compares its output with the
# committed tables. The generator reads the stroke data in STROKE_DIR.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${SOURCE_DIR}/tools/fetch_stroke_sources.sh ${STROKE_DIR} RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "the stroke data could not be fetched into ${STROKE_DIR}")
endif()
execute_process(
  COMMAND /usr/bin/python3 ${SOURCE_DIR}/tools/gen_dict_sources.py --out ${WORK_DIR}
          --strokes ${STROKE_DIR}/hanzi-writer-data-2.0.1.tgz
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the generator failed")
endif()
foreach(name chars.txt words.txt frequent.txt corners.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${SOURCE_DIR}/data/dictsrc/${name}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "data/dictsrc/${name} differs from what tools/gen_dict_sources.py makes")
  endif()
endforeach()
