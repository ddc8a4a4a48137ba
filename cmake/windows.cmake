# Windows build: Velmora.exe and the test programs that run under Wine.
set(VELMORA_JPEG_PREFIX "" CACHE PATH "libjpeg cross-built for the toolchain's target")

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
set(VELMORA_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_library(velmora_portable STATIC ${VELMORA_PORTABLE_SOURCES} ${VELMORA_WINDOWS_ONLY_PORTABLE_SOURCES})
target_include_directories(velmora_portable PUBLIC ${PROJECT_SOURCE_DIR}/src)
# libgcrypt and libgpg-error link statically: the program is one file.
target_link_libraries(velmora_portable PUBLIC velmora_flags
  ${CMAKE_FIND_ROOT_PATH}/lib/libgcrypt.a ${CMAKE_FIND_ROOT_PATH}/lib/libgpg-error.a ws2_32)

add_library(velmora_runtime STATIC ${VELMORA_RUNTIME_SOURCES})
# libjpeg (cross-built by scripts/setup.sh) decodes the frame pictures.
target_include_directories(velmora_runtime PRIVATE ${VELMORA_JPEG_PREFIX}/include)
target_link_libraries(velmora_runtime PUBLIC ${VELMORA_JPEG_PREFIX}/lib/libjpeg.a)
target_link_libraries(velmora_runtime PUBLIC velmora_portable
  comctl32 gdi32 user32 kernel32 shell32 ole32 oleaut32 uuid comdlg32 msimg32 winmm
  wininet iphlpapi ws2_32 winspool oleacc usp10)
# The class identifiers of the speech engine (SAPI 5).
target_link_libraries(velmora_runtime PUBLIC sapi)

add_library(velmora_app STATIC ${VELMORA_APP_SOURCES})
target_link_libraries(velmora_app PUBLIC velmora_runtime)

# The icon, the version and the manifest (common controls 6, the systems the program knows).
enable_language(RC)
add_library(velmora_resources OBJECT src/resources/velmora.rc)
set_source_files_properties(src/resources/velmora.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/src/resources/velmora.ico;${PROJECT_SOURCE_DIR}/src/resources/velmora.manifest")

add_executable(Velmora WIN32 src/main.cpp $<TARGET_OBJECTS:velmora_resources>)
target_link_libraries(Velmora PRIVATE velmora_app)
target_link_options(Velmora PRIVATE ${VELMORA_STATIC_LINK})

# The test programs and the benchmarks live in folders of their own: each is a program whose
# folder holds its configuration file, and they start from none, so beside Velmora.exe they
# would delete the one scripts/run.sh uses. The tests' folder gets a copy of Velmora.exe for
# the tests that start the program as a second instance (it finds the running one through the
# configuration file of its own folder).
set(VELMORA_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
set(VELMORA_BENCH_DIR ${CMAKE_BINARY_DIR}/bench)
add_custom_command(TARGET Velmora POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_TEST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Velmora> ${VELMORA_TEST_DIR}/)

# GoogleTest cross-built from Debian's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every Windows test program: our own main (code page check, runtime set-up), run by Wine.
add_library(velmora_test_main STATIC tests/harness/win_test_main.cpp tests/harness/ui_test.cpp
  tests/harness/program_test.cpp tests/harness/local_http_server.cpp tests/harness/layout_check.cpp)
target_include_directories(velmora_test_main PUBLIC ${PROJECT_SOURCE_DIR}/tests/harness)
target_link_libraries(velmora_test_main PUBLIC gtest velmora_runtime)

# velmora_wine_test(name sources... [RUN_THROUGH script] [ARGS arguments...]): RUN_THROUGH names
# a script that prepares what the suite needs and then runs its command; the arguments go to the
# test program.
function(velmora_wine_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ALONE" "RUN_THROUGH" "ARGS")
  # With the program's manifest: the tests meet the controls the program's users see.
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS} $<TARGET_OBJECTS:velmora_resources>)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_TEST_DIR})
  target_link_libraries(${name} PRIVATE velmora_test_main velmora_app)
  target_link_options(${name} PRIVATE ${VELMORA_STATIC_LINK})
  # Each suite in a lane of its own (a prefix and a display), so suites run side by side; ALONE
  # for a suite that needs the machine to itself.
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/lane.sh ${arg_RUN_THROUGH}
            ${PROJECT_SOURCE_DIR}/tests/harness/wine-test.sh $<TARGET_FILE:${name}> ${arg_ARGS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(arg_ALONE)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# The Win32-free suites run under Wine as well, against the Windows build of the same code.
velmora_wine_test(win_portable_tests ${VELMORA_PORTABLE_TESTS})
include(${PROJECT_SOURCE_DIR}/tests/win/tests.cmake)


# Benchmarks: programs that print figures (tools/bench.sh runs them).
add_executable(velmora_open_bench tools/bench/open_bench.cpp)
set_target_properties(velmora_open_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_open_bench PRIVATE velmora_app)
target_link_options(velmora_open_bench PRIVATE ${VELMORA_STATIC_LINK})
add_executable(velmora_boundary_bench tools/bench/boundary_bench.cpp)
set_target_properties(velmora_boundary_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_boundary_bench PRIVATE velmora_app)
target_link_options(velmora_boundary_bench PRIVATE ${VELMORA_STATIC_LINK})
add_executable(velmora_memory_bench tools/bench/memory_bench.cpp)
set_target_properties(velmora_memory_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_memory_bench PRIVATE velmora_app psapi)
target_link_options(velmora_memory_bench PRIVATE ${VELMORA_STATIC_LINK})
add_executable(velmora_edit_bench tools/bench/edit_bench.cpp)
set_target_properties(velmora_edit_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_edit_bench PRIVATE velmora_app)
target_link_options(velmora_edit_bench PRIVATE ${VELMORA_STATIC_LINK})

# With the program's manifest: the page editor and the bare control it is measured against are
# the edit control the program's users see.
add_executable(velmora_feed_bench tools/bench/feed_bench.cpp $<TARGET_OBJECTS:velmora_resources>)
set_target_properties(velmora_feed_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_feed_bench PRIVATE velmora_app)
target_link_options(velmora_feed_bench PRIVATE ${VELMORA_STATIC_LINK})

# From outside: starts the packaged program's file as a user does, beside Wine's notepad; nothing
# of the program is linked in.
add_executable(velmora_user_bench tools/bench/user_bench.cpp)
set_target_properties(velmora_user_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMORA_BENCH_DIR})
target_link_libraries(velmora_user_bench PRIVATE velmora_flags gdi32 psapi)
target_link_options(velmora_user_bench PRIVATE ${VELMORA_STATIC_LINK})

# Makes src/common/frame_jpeg.inc (tools/make_frame_jpeg.sh).
add_executable(velmora_make_frame_jpeg tools/art/make_frame_jpeg.cpp)
target_include_directories(velmora_make_frame_jpeg PRIVATE ${VELMORA_JPEG_PREFIX}/include)
target_link_libraries(velmora_make_frame_jpeg PRIVATE velmora_runtime)
target_link_options(velmora_make_frame_jpeg PRIVATE ${VELMORA_STATIC_LINK})

# The zip scripts/package.sh makes, and the program from it started under Wine.
add_test(NAME package_tests COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/lane.sh bash ${PROJECT_SOURCE_DIR}/tests/package_test.sh)
get_filename_component(VELMORA_BUILD_PARENT ${CMAKE_BINARY_DIR} DIRECTORY)
set_tests_properties(package_tests PROPERTIES TIMEOUT 300 ENVIRONMENT "VELMORA_BUILD=${VELMORA_BUILD_PARENT}")
