# Fails when platform-free code names the platform: a source outside every win32/ folder that
# includes <windows.h> (or another Win32 header) or names a Win32 type (HWND, RECT, DWORD, ...).
# Comments and string literals are left out of the search, and only whole names count
# (FRect or HwndTable are not RECT or HWND).
#
# Scans every top-level subsystem folder of ROOT that exists: each folder but the build,
# tooling and documentation ones (build*, cmake, docs, scripts, hidden folders).
#   cmake -DROOT=<source dir> -P CheckPlatformFree.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "CheckPlatformFree: ROOT is not set")
endif()

set(not_subsystems cmake docs scripts)
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(globs "")
foreach(entry IN LISTS entries)
  if(NOT IS_DIRECTORY ${ROOT}/${entry} OR entry MATCHES "^(\\.|build)" OR entry IN_LIST not_subsystems)
    continue()
  endif()
  list(APPEND globs ${ROOT}/${entry}/*.h ${ROOT}/${entry}/*.hpp ${ROOT}/${entry}/*.c ${ROOT}/${entry}/*.cpp)
endforeach()
set(sources "")
if(globs)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${globs})
endif()

set(win32_headers "windows|winuser|wingdi|winbase|windef|winreg|uxtheme|commctrl|shellapi|shlobj|objbase")
set(win32_types
    HWND HDC RECT POINT HBITMAP HFONT HGDIOBJ HBRUSH HPEN HRGN HICON HCURSOR HMENU HINSTANCE HMODULE
    HKEY HANDLE HHOOK HGLOBAL HRSRC HMONITOR WPARAM LPARAM LRESULT UINT_PTR LONG_PTR DWORD_PTR DWORD
    WORD BOOL BYTE UINT LPSTR LPCSTR LPWSTR LPCWSTR LPVOID COLORREF MSG PAINTSTRUCT LOGFONTA LOGFONTW
    TEXTMETRICA TEXTMETRICW BITMAPINFO BITMAPINFOHEADER RGBQUAD NMHDR CREATESTRUCTA WNDCLASSEXA WNDPROC)
list(JOIN win32_types "|" type_alternatives)
# Raw strings, strings, character literals, line and block comments, as the compiler reads
# them: the leftmost match wins, so a quote inside a comment (or "//" inside a string) is
# taken as part of what it sits in.
set(skipped [=[R"\(([^)]|\)[^"])*\)"|"([^"\\
]|\\.)*"|'([^'\\
]|\\.)+'|//[^
]*|/\*([^*]|\*+[^*/])*\*+/]=])

set(bad "")
foreach(f IN LISTS sources)
  if(f MATCHES "(^|/)win32/")
    continue()
  endif()
  file(READ ${ROOT}/${f} text)
  string(REGEX REPLACE "${skipped}" " " code "${text}")
  if(code MATCHES "#[ \t]*include[ \t]*<(${win32_headers})\\.h>")
    list(APPEND bad "${f} (includes <${CMAKE_MATCH_1}.h>)")
  endif()
  # The character before and after the name must not belong to an identifier.
  if(code MATCHES "(^|[^A-Za-z0-9_])(${type_alternatives})([^A-Za-z0-9_]|$)")
    list(APPEND bad "${f} (names ${CMAKE_MATCH_2})")
  endif()
endforeach()
if(bad)
  list(JOIN bad "\n  " report)
  message(FATAL_ERROR "platform-free sources use the Win32 API:\n  ${report}")
endif()
