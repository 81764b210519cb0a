# Import libraries whose DLL is loaded at the first call into it rather than
# when the program starts (mingw-w64's delay-load helper does the loading).
# Halvorn2's unattended registration shows no window and so never pays for
# loading the common controls, the common dialogs or the shell.
function(add_delay_import_library target dll)
  find_library(${dll}_IMPORT_LIBRARY ${dll} REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} ${${dll}_IMPORT_LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
  list(REMOVE_DUPLICATES imports)
  list(TRANSFORM imports REPLACE " I __imp_" "")
  list(JOIN imports "\n" exports)
  set(folder ${CMAKE_BINARY_DIR}/delay_import)
  file(WRITE ${folder}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${folder}/${dll}.def -y ${folder}/lib${dll}_delay.a
                  COMMAND_ERROR_IS_FATAL ANY)
  # First on the link line, so that the delayed imports are the ones taken.
  target_link_libraries(${target} PRIVATE ${folder}/lib${dll}_delay.a)
endfunction()
