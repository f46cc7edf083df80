# cmake -DFILTER=<program> -DINPUT=<file> -DOUTPUT=<file> [-DCOMPRESS=ON] -P RunFilter.cmake
# Runs a program that reads standard input and writes standard output (scdoc), without a
# shell between, and optionally compresses the result as Debian ships manuals (gzip -9n).
execute_process(COMMAND ${FILTER} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}.tmp
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "${FILTER} failed on ${INPUT}")
endif()
if(COMPRESS)
  execute_process(COMMAND gzip -9n INPUT_FILE ${OUTPUT}.tmp OUTPUT_FILE ${OUTPUT}
                  RESULT_VARIABLE result)
  file(REMOVE ${OUTPUT}.tmp)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${INPUT}")
  endif()
else()
  file(RENAME ${OUTPUT}.tmp ${OUTPUT})
endif()
