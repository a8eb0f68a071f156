# Windows build: the Win32 glue, tandrel.exe, and the end-to-end programs.
enable_language(RC)
enable_testing()
file(GLOB TANDREL_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(tandrel_win32 STATIC ${TANDREL_WIN32_SOURCES})
target_link_libraries(tandrel_win32 PUBLIC tandrel_core user32 kernel32 gdi32 shell32 advapi32 comctl32 comdlg32 urlmon wininet)

file(GLOB TANDREL_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp)
if(TANDREL_APP_SOURCES)
  add_executable(tandrel WIN32 ${TANDREL_APP_SOURCES} src/res/tandrel.rc)
  target_link_libraries(tandrel PRIVATE tandrel_win32)
  if(NOT MSVC)
    target_link_options(tandrel PRIVATE -municode)
  endif()
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
