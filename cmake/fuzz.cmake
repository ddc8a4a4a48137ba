# Fuzz targets: the portable sources and one libFuzzer program per target in tests/fuzz/, built
# by clang with AddressSanitizer and UBSan (scripts/fuzz.sh runs them). clang writes narrow
# literals only in UTF-8, so every source is compiled from a copy whose literals hold their GBK
# bytes as escapes (tools/gbk_literals.cpp); the copies live in this build folder.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz targets need clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

# A tool of the build itself, uninstrumented.
add_executable(velmora_gbk_literals tools/gbk_literals.cpp)

set(VELMORA_GBK_COPIES ${CMAKE_BINARY_DIR}/gbk)

# The copies of the given files (paths in the repository); their paths go to out_var.
function(velmora_gbk_copies out_var)
  set(copies)
  foreach(file IN LISTS ARGN)
    set(copy ${VELMORA_GBK_COPIES}/${file})
    add_custom_command(OUTPUT ${copy}
      COMMAND velmora_gbk_literals ${PROJECT_SOURCE_DIR}/${file} ${copy}
      DEPENDS velmora_gbk_literals ${PROJECT_SOURCE_DIR}/${file}
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  set(${out_var} ${copies} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE velmora_headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.inc ${PROJECT_SOURCE_DIR}/tests/fuzz/*.h)
velmora_gbk_copies(header_copies ${velmora_headers})
velmora_gbk_copies(portable_copies ${VELMORA_PORTABLE_SOURCES} ${VELMORA_NATIVE_ONLY_SOURCES})

set(VELMORA_FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# The copies of the headers and included tables are sources too: they exist before anything
# includes them.
add_library(velmora_portable STATIC ${portable_copies} ${header_copies})
target_include_directories(velmora_portable PUBLIC ${VELMORA_GBK_COPIES}/src)
target_link_libraries(velmora_portable PUBLIC velmora_flags gcrypt gpg-error)
target_compile_options(velmora_portable PUBLIC ${VELMORA_FUZZ_SANITIZE} -fsanitize=fuzzer-no-link)
target_link_options(velmora_portable PUBLIC ${VELMORA_FUZZ_SANITIZE})

file(GLOB velmora_fuzz_targets RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(file IN LISTS velmora_fuzz_targets)
  get_filename_component(name ${file} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  velmora_gbk_copies(target_copy ${file})
  add_executable(fuzz_${name} ${target_copy})
  target_include_directories(fuzz_${name} PRIVATE ${VELMORA_GBK_COPIES}/tests/fuzz)
  target_link_libraries(fuzz_${name} PRIVATE velmora_portable)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
