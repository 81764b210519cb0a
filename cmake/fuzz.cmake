# libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) for
# the readers of outside input. Each runs briefly as a test; run one longer
# with, for example:
#   build/fuzz/fuzz_iepg_reader build/fuzz/corpus/iepg_reader tests/data -max_total_time=600
set(FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(halvorn_core PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer-no-link)

# The headless dialog and the fakes, for the targets that act as a user.
file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(halvorn_fuzz_support STATIC ${SUPPORT_SOURCES})
target_include_directories(halvorn_fuzz_support PUBLIC tests)
target_link_libraries(halvorn_fuzz_support PUBLIC halvorn_core)
target_compile_options(halvorn_fuzz_support PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
target_compile_definitions(halvorn_fuzz_support PUBLIC HALVORN_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")

set(HALVORN_FUZZ_SECONDS 6 CACHE STRING "How long each fuzz target runs as a test")
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source IN LISTS FUZZ_SOURCES)
  get_filename_component(target ${source} NAME_WE)
  string(REPLACE "fuzz_" "" corpus ${target})
  add_executable(${target} ${source})
  target_include_directories(${target} PRIVATE tests)
  target_link_libraries(${target} PRIVATE halvorn_fuzz_support)
  target_compile_options(${target} PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE ${FUZZ_FLAGS} -fsanitize=fuzzer)
  set(corpus_dir ${CMAKE_BINARY_DIR}/corpus/${corpus})
  add_test(NAME fuzz.${corpus}
           COMMAND ${CMAKE_COMMAND} -E env UBSAN_OPTIONS=print_stacktrace=1
                   $<TARGET_FILE:${target}> ${corpus_dir} ${CMAKE_SOURCE_DIR}/tests/data
                   -max_total_time=${HALVORN_FUZZ_SECONDS} -rss_limit_mb=4096 -print_final_stats=1)
  set_tests_properties(fuzz.${corpus} PROPERTIES TIMEOUT 300)
  file(MAKE_DIRECTORY ${corpus_dir})
endforeach()
