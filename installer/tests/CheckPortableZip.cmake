# Checks the portable zip: exactly the program, its read-me and the shipped skins in one folder,
# the program and the skins identical to the ones built.
# cmake -DZIP=... -DEXE=... -DFOLDER=... -DTEMA=... -DWORK=... -P
foreach(v ZIP EXE FOLDER TEMA WORK)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "CheckPortableZip: ${v} not given")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP}
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot list ${ZIP}")
endif()
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
set(want "${FOLDER}/BACA-SAYA.txt;${FOLDER}/Tema/Gelap.mskn;${FOLDER}/Tema/Teal.mskn;${FOLDER}/tabira.exe")
message(STATUS "zip holds: ${entries}")
if(NOT entries STREQUAL want)
  message(FATAL_ERROR "zip holds [${entries}], expected [${want}]")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${FOLDER}/tabira.exe ${EXE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tabira.exe in the zip differs from ${EXE}")
endif()

foreach(skin Teal.mskn Gelap.mskn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${FOLDER}/Tema/${skin} ${TEMA}/${skin}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Tema/${skin} in the zip differs from ${TEMA}/${skin}")
  endif()
endforeach()

# The read-me: Windows line ends, and the worked example's result.
file(READ ${WORK}/${FOLDER}/BACA-SAYA.txt readme)
file(READ ${WORK}/${FOLDER}/BACA-SAYA.txt readmeHex HEX)
string(FIND "${readmeHex}" "0d0a" crlf)
string(FIND "${readme}" "Rp 1.405.864,17" example)
if(crlf LESS 0 OR example LESS 0)
  message(FATAL_ERROR "BACA-SAYA.txt lacks Windows line ends or the worked example")
endif()
file(REMOVE_RECURSE ${WORK})
