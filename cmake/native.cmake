# Native build: the core, its unit tests against the fakes, and the benchmarks.
enable_testing()
find_package(GTest REQUIRED)

set(TANDREL_SAN_FLAGS "")
if(TANDREL_SANITIZE)
  set(TANDREL_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  foreach(module ${TANDREL_MODULES})
    target_compile_options(${module} PRIVATE ${TANDREL_SAN_FLAGS})
  endforeach()
endif()

file(GLOB TANDREL_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
# The replaced global operator new and delete belong to the unit tests alone.
list(FILTER TANDREL_FAKE_SOURCES EXCLUDE REGEX "/freed_memory\\.cpp$")
add_library(tandrel_fakes STATIC ${TANDREL_FAKE_SOURCES})
target_include_directories(tandrel_fakes PUBLIC tests)
target_link_libraries(tandrel_fakes PUBLIC tandrel_core)
target_compile_options(tandrel_fakes PRIVATE ${TANDREL_SAN_FLAGS})

file(GLOB TANDREL_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${TANDREL_UNIT_SOURCES} tests/fakes/freed_memory.cpp)
target_link_libraries(unit_tests PRIVATE tandrel_fakes GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_options(unit_tests PRIVATE ${TANDREL_SAN_FLAGS})
target_link_options(unit_tests PRIVATE ${TANDREL_SAN_FLAGS})
include(GoogleTest)
# The tests are listed when ctest runs, not at every build.
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)

if(TANDREL_BENCH)
  find_package(benchmark QUIET)
  file(GLOB TANDREL_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
  if(benchmark_FOUND AND TANDREL_BENCH_SOURCES)
    add_executable(benchmarks ${TANDREL_BENCH_SOURCES})
    target_link_libraries(benchmarks PRIVATE tandrel_fakes benchmark::benchmark)
    # The core and the fakes carry the sanitizers in the test build: so must the program.
    target_compile_options(benchmarks PRIVATE ${TANDREL_SAN_FLAGS})
    target_link_options(benchmarks PRIVATE ${TANDREL_SAN_FLAGS})
  endif()
endif()
# The unit tests check the user guide's examples against the player.
target_compile_definitions(unit_tests PRIVATE TANDREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
