# Host build: unit tests of the portable core, and its benchmarks; or, with
# HALVORN_FUZZ, the fuzz targets instead.
if(HALVORN_FUZZ)
  include(${CMAKE_SOURCE_DIR}/cmake/fuzz.cmake)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)

add_library(halvorn_test_support STATIC ${SUPPORT_SOURCES})
target_include_directories(halvorn_test_support PUBLIC tests)
target_link_libraries(halvorn_test_support PUBLIC halvorn_core)
target_compile_options(halvorn_test_support PRIVATE -Wall -Wextra)
target_compile_definitions(halvorn_test_support PUBLIC HALVORN_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")

add_executable(unit_tests ${UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE halvorn_test_support GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(HALVORN_BENCHMARKS AND BENCH_SOURCES)
  find_package(benchmark REQUIRED)
  add_executable(benchmarks ${BENCH_SOURCES})
  target_link_libraries(benchmarks PRIVATE halvorn_test_support benchmark::benchmark benchmark::benchmark_main)
endif()
