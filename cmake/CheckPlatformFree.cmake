# Fails when a platform-free source (anything outside a win32/ folder) includes <windows.h>
# or another Win32 header.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/maskedit/*.h ${ROOT}/maskedit/*.cpp
     ${ROOT}/theme/*.h ${ROOT}/theme/*.cpp ${ROOT}/framework/*.h ${ROOT}/framework/*.cpp
     ${ROOT}/skin/*.h ${ROOT}/skin/*.cpp ${ROOT}/effects/*.h ${ROOT}/effects/*.cpp
     ${ROOT}/themefiles/*.h ${ROOT}/themefiles/*.cpp ${ROOT}/controls/*.h ${ROOT}/controls/*.cpp)
set(bad "")
foreach(f IN LISTS sources)
  if(f MATCHES "(^|/)win32/")
    continue()
  endif()
  file(STRINGS ${ROOT}/${f} hits REGEX "#[ \t]*include[ \t]*[<\"](windows|winuser|wingdi|uxtheme|commctrl|shellapi)\\.h[>\"]")
  if(hits)
    list(APPEND bad ${f})
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "platform-free sources include Win32 headers: ${bad}")
endif()
