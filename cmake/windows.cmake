# Cross build: Halvorn2.exe, the end-to-end driver, and the Wine test bench.
enable_language(RC)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/win32/*.cpp)

add_executable(Halvorn2 WIN32 src/app/main.cpp ${WIN32_SOURCES} res/halvorn2.rc)
target_link_libraries(Halvorn2 PRIVATE halvorn_core comctl32 comdlg32 ole32 shell32 uuid mstask)
target_compile_options(Halvorn2 PRIVATE -Wall -Wextra -municode)
target_compile_definitions(Halvorn2 PRIVATE UNICODE _UNICODE)
# One file to copy: no C++ runtime DLLs beside it.
target_link_options(Halvorn2 PRIVATE -municode -static -static-libgcc -static-libstdc++)
set_target_properties(Halvorn2 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

file(GLOB DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
# The driver reads the work items Wine stores with the program's own reader.
add_executable(e2e_driver ${DRIVER_SOURCES} src/scheduler/job_file.cpp)
target_include_directories(e2e_driver PRIVATE res src tests/e2e/driver)
target_compile_options(e2e_driver PRIVATE -Wall -Wextra -municode)
target_compile_definitions(e2e_driver PRIVATE UNICODE _UNICODE)
target_link_options(e2e_driver PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(e2e_driver PRIVATE comctl32 gdi32 psapi)
set_target_properties(e2e_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.cmake)
