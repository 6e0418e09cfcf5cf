# Runs the documented examples and compares their transcript with the one kept.
# Files the examples name (docs/reach.csv) are read from the sources.
execute_process(COMMAND ${RUN} ${CASES} ${ACTUAL} RESULT_VARIABLE status WORKING_DIRECTORY ${SOURCE})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "run_cases failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "The documented examples print otherwise than ${EXPECTED}: compare it with ${ACTUAL}")
endif()
