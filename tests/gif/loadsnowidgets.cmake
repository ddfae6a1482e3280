# cmake -DBINARIES=<file;file...> -P loadsnowidgets.cmake: fails when one of the binaries loads
# Qt's widget library, directly or through another library.
foreach(binary IN LISTS BINARIES)
  execute_process(COMMAND ldd ${binary} OUTPUT_VARIABLE libraries RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "ldd could not read ${binary}")
  endif()
  if(libraries MATCHES "libQt6Widgets")
    message(FATAL_ERROR "${binary} loads QtWidgets:\n${libraries}")
  endif()
  message(STATUS "${binary}: no QtWidgets")
endforeach()
