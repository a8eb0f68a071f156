# Windows build: the Win32 glue, tandrel.exe, and the end-to-end programs.
enable_language(RC)
enable_testing()
file(GLOB TANDREL_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(tandrel_win32 STATIC ${TANDREL_WIN32_SOURCES})
target_link_libraries(tandrel_win32 PUBLIC tandrel_core user32 kernel32 gdi32 shell32 advapi32 crypt32 comctl32 comdlg32 urlmon wininet)

file(GLOB TANDREL_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp)
if(TANDREL_APP_SOURCES)
  add_executable(tandrel WIN32 ${TANDREL_APP_SOURCES} src/res/tandrel.rc)
  # The resource compiler reports no dependencies: a change to a dialog template, the icon or the
  # manifest that tandrel.rc includes must still rebuild it.
  file(GLOB TANDREL_RESOURCE_PARTS CONFIGURE_DEPENDS src/res/*)
  list(FILTER TANDREL_RESOURCE_PARTS EXCLUDE REGEX "/tandrel\\.rc$")
  list(APPEND TANDREL_RESOURCE_PARTS ${CMAKE_BINARY_DIR}/generated/res/version.h
       ${CMAKE_BINARY_DIR}/generated/res/tandrel.manifest)
  set_source_files_properties(src/res/tandrel.rc PROPERTIES OBJECT_DEPENDS "${TANDREL_RESOURCE_PARTS}")
  target_link_libraries(tandrel PRIVATE tandrel_win32)
  # The program's own folder, at the top of the house.
  target_include_directories(tandrel PRIVATE ${CMAKE_SOURCE_DIR}/src)
  if(NOT MSVC)
    target_link_options(tandrel PRIVATE -municode)
  endif()
endif()

# GoogleTest and GoogleMock built from their sources by the same compiler (Debian's googletest
# package puts them in /usr/src), for the unit tests and the end-to-end driver.
set(TANDREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
if(EXISTS ${TANDREL_GTEST_SOURCE}/CMakeLists.txt)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TANDREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  message(STATUS "No GoogleTest sources in ${TANDREL_GTEST_SOURCE}: no unit tests or end-to-end driver")
endif()

if(CMAKE_HOST_WIN32)
  set(TANDREL_WINE "")
else()
  find_program(TANDREL_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  find_program(TANDREL_WINE NAMES wine64 wine)
  if(NOT TANDREL_WINE)
    message(WARNING "Wine not found: the Windows tests cannot run")
  endif()
endif()

# The unit tests once more, where wchar_t has 16 bits: one ctest test, the whole program under
# Wine (run by tests/e2e/run with the end-to-end tests).
if(TARGET GTest::gmock)
  file(GLOB TANDREL_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
  # The replaced global operator new and delete belong to the unit tests alone.
  list(FILTER TANDREL_FAKE_SOURCES EXCLUDE REGEX "/freed_memory\\.cpp$")
  add_library(tandrel_fakes STATIC ${TANDREL_FAKE_SOURCES})
  target_include_directories(tandrel_fakes PUBLIC tests)
  target_link_libraries(tandrel_fakes PUBLIC tandrel_core)
  file(GLOB TANDREL_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
  add_executable(unit_tests ${TANDREL_UNIT_SOURCES} tests/fakes/freed_memory.cpp)
  target_link_libraries(unit_tests PRIVATE tandrel_fakes GTest::gtest GTest::gtest_main GTest::gmock)
  if(NOT MSVC)
    # The tests are compiled unoptimised: much quicker to build, and as quick to run.
    target_compile_options(tandrel_fakes PRIVATE -O0)
    target_compile_options(unit_tests PRIVATE -O0)
  endif()
  if(TANDREL_WINE)
    # Through the end-to-end launcher, which starts a program again that Wine ended before it ran.
    set_target_properties(unit_tests PROPERTIES CROSSCOMPILING_EMULATOR
                                                "${CMAKE_SOURCE_DIR}/tests/e2e/wine-driver;${TANDREL_WINE}")
  endif()
  add_test(NAME unit.win64 COMMAND unit_tests)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
