# Native build: the Win32-free code and its tests, with AddressSanitizer and UBSan.
find_package(GTest REQUIRED)
include(GoogleTest)

set(VELMORA_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

add_library(velmora_portable STATIC ${VELMORA_PORTABLE_SOURCES} ${VELMORA_NATIVE_ONLY_SOURCES})
target_include_directories(velmora_portable PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(velmora_portable PUBLIC velmora_flags gcrypt gpg-error)
target_compile_options(velmora_portable PUBLIC ${VELMORA_SANITIZE})
target_link_options(velmora_portable PUBLIC ${VELMORA_SANITIZE})

add_executable(native_tests ${VELMORA_PORTABLE_TESTS})
target_link_libraries(native_tests PRIVATE velmora_portable GTest::gtest GTest::gtest_main)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

# The scripts the README tells a user to run have their run bit.
add_test(NAME readme_scripts COMMAND bash ${PROJECT_SOURCE_DIR}/tests/readme_scripts_test.sh)
