# Cross build: Halvorn2.exe, its companion Brisquet.exe, the end-to-end
# driver, and the Wine test bench.
enable_language(RC)

# Everything that touches the Windows API. The portable core calls some of it
# (files, code page 932) and it calls the core, so each names the other.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/win32/*.cpp)
add_library(halvorn_win32 STATIC ${WIN32_SOURCES})
target_compile_options(halvorn_win32 PRIVATE -Wall -Wextra)
target_compile_definitions(halvorn_win32 PUBLIC UNICODE _UNICODE)
target_link_libraries(halvorn_win32 PUBLIC halvorn_core comctl32 comdlg32 ole32 shell32 uuid mstask powrprof)
target_link_libraries(halvorn_core INTERFACE halvorn_win32)

# The version and the manifests carry the one version of the project.
set(HALVORN_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
set(GENERATED_RESOURCES ${CMAKE_BINARY_DIR}/res)
configure_file(res/version.h.in ${GENERATED_RESOURCES}/halvorn_version.h @ONLY)
configure_file(res/halvorn2.manifest.in ${GENERATED_RESOURCES}/halvorn2.manifest @ONLY)
configure_file(res/brisquet.manifest.in ${GENERATED_RESOURCES}/brisquet.manifest @ONLY)

# One file to copy for each program: no C++ runtime DLLs beside it.
function(add_windows_program target)
  add_executable(${target} WIN32 ${ARGN})
  target_include_directories(${target} PRIVATE ${GENERATED_RESOURCES})
  target_link_libraries(${target} PRIVATE halvorn_win32)
  target_compile_options(${target} PRIVATE -Wall -Wextra -municode)
  target_link_options(${target} PRIVATE -municode -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

add_windows_program(Halvorn2 src/app/main.cpp res/halvorn2.rc)
include(${CMAKE_SOURCE_DIR}/cmake/delay_import.cmake)
foreach(dll comctl32 comdlg32 shell32)
  add_delay_import_library(Halvorn2 ${dll})
endforeach()

file(GLOB VIEWER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/viewer_app/*.cpp)
add_windows_program(Brisquet ${VIEWER_SOURCES} res/brisquet.rc)
# The check at logon shows nothing when all is well: it loads no control,
# dialog or shell library for that.
foreach(dll comctl32 comdlg32 shell32)
  add_delay_import_library(Brisquet ${dll})
endforeach()

# What the automatic registration costs at the least, for scripts/perf.sh.
add_executable(registration_floor bench/wine/registration_floor.cpp)
target_link_libraries(registration_floor PRIVATE halvorn_win32)
target_link_options(registration_floor PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(registration_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

file(GLOB DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
# The driver reads the work items Wine stores with the program's own reader,
# and measures captions as the programs do.
add_executable(e2e_driver ${DRIVER_SOURCES} src/scheduler/job_file.cpp src/win32/caption_fit.cpp)
target_include_directories(e2e_driver PRIVATE res src tests/e2e/driver)
target_compile_options(e2e_driver PRIVATE -Wall -Wextra -municode)
target_compile_definitions(e2e_driver PRIVATE UNICODE _UNICODE)
target_link_options(e2e_driver PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(e2e_driver PRIVATE comctl32 gdi32 psapi ole32 uuid mstask version)
set_target_properties(e2e_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.cmake)

# The download: one folder with both programs, a channel table to start
# from, the guide in Japanese, the license and the file association.
# cmake --build --preset windows --target package
set(GUIDE ${CMAKE_BINARY_DIR}/package/Readme_ja.txt)
add_custom_command(OUTPUT ${GUIDE}
                   COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/docs/user-guide.ja.md -DOUTPUT=${GUIDE}
                           -P ${CMAKE_SOURCE_DIR}/cmake/text_with_bom.cmake
                   DEPENDS ${CMAKE_SOURCE_DIR}/docs/user-guide.ja.md ${CMAKE_SOURCE_DIR}/cmake/text_with_bom.cmake)
add_custom_target(guide ALL DEPENDS ${GUIDE})

install(TARGETS Halvorn2 Brisquet RUNTIME DESTINATION .)
install(FILES package/channel.txt package/halvorn2_association.reg ${GUIDE} DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Halvorn2)
set(CPACK_PACKAGE_FILE_NAME Halvorn2-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
