# Fails unless examples/decks/demo.pptx is what make-demo-deck writes today.
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-demo-deck failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${COMMITTED} is out of date: regenerate it with\n"
                      "  make-demo-deck ${COMMITTED}\nand commit it")
endif()
message(STATUS "the demo deck is current")
