# Runs PROGRAM and passes only when ThreadSanitizer reported a data race in tsanCanaryBump.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${err}" "WARNING: ThreadSanitizer: data race" race)
string(REGEX MATCH "#[0-9]+ [^\n]*tsanCanaryBump" frame "${err}")
if(race EQUAL -1 OR NOT frame)
  message(FATAL_ERROR "no data race reported in tsanCanaryBump (exit ${status}):\n${err}")
endif()
message(STATUS "reported: data race, ${frame}")
