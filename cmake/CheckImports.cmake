# Fails when EXE imports a DLL that a plain Windows installation does not have
# (the MinGW C++ runtime, libgcc, winpthread or zlib).
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(line IN LISTS imports)
  string(TOLOWER "${line}" lower)
  if(lower MATCHES "libstdc\\+\\+|libgcc|libwinpthread|zlib1|libz")
    message(FATAL_ERROR "${EXE} imports a runtime DLL that is not part of Windows: ${line}")
  endif()
endforeach()
