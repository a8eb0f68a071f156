# Fuzz build (clang): the core and the fakes with coverage instrumentation under ASan and UBSan,
# and one libFuzzer program per tests/fuzz/*_fuzz.cpp, named fuzz_<name>. scripts/fuzz runs them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz build needs clang++ (libFuzzer); this is ${CMAKE_CXX_COMPILER_ID}")
endif()

# Debug keeps assertions; -O1 makes the runs several times faster.
set(TANDREL_FUZZ_SAN -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(module ${TANDREL_MODULES})
  target_compile_options(${module} PRIVATE -fsanitize=fuzzer-no-link ${TANDREL_FUZZ_SAN})
endforeach()

file(GLOB TANDREL_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
# The unit tests' replaced operator new and delete stay out of the fuzz targets.
list(FILTER TANDREL_FAKE_SOURCES EXCLUDE REGEX "/freed_memory\\.cpp$")
add_library(tandrel_fakes STATIC ${TANDREL_FAKE_SOURCES})
target_include_directories(tandrel_fakes PUBLIC tests)
target_link_libraries(tandrel_fakes PUBLIC tandrel_core)
# The fakes are checked by the sanitizers but not steered by coverage: their branches are not what
# is being explored, and tracing every key event they route would slow each run several times.
target_compile_options(tandrel_fakes PRIVATE ${TANDREL_FUZZ_SAN})

# What the targets share (turning input bytes into texts, reporting a finding).
file(GLOB TANDREL_FUZZ_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/fuzz/*.cpp)
list(FILTER TANDREL_FUZZ_SUPPORT_SOURCES EXCLUDE REGEX "_fuzz\\.cpp$")
add_library(tandrel_fuzz_support STATIC ${TANDREL_FUZZ_SUPPORT_SOURCES})
target_include_directories(tandrel_fuzz_support PUBLIC tests)
target_link_libraries(tandrel_fuzz_support PUBLIC tandrel_fakes)
target_compile_options(tandrel_fuzz_support PRIVATE ${TANDREL_FUZZ_SAN})

file(GLOB TANDREL_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
set(TANDREL_FUZZ_TARGETS "")
foreach(source ${TANDREL_FUZZ_SOURCES})
  get_filename_component(stem ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${stem})
  add_executable(fuzz_${name} ${source})
  target_link_libraries(fuzz_${name} PRIVATE tandrel_fuzz_support)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${TANDREL_FUZZ_SAN})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${TANDREL_FUZZ_SAN})
  list(APPEND TANDREL_FUZZ_TARGETS fuzz_${name})
endforeach()
# The list scripts/fuzz runs, one name a line.
string(REPLACE ";" "\n" TANDREL_FUZZ_LIST "${TANDREL_FUZZ_TARGETS}")
file(WRITE ${CMAKE_BINARY_DIR}/fuzz_targets.txt "${TANDREL_FUZZ_LIST}\n")
