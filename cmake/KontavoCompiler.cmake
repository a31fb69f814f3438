# Compiler flags shared by every target of the project.

add_library(kontavo_warnings INTERFACE)
target_compile_options(kontavo_warnings INTERFACE -Wall -Wextra)

add_library(kontavo_sanitize INTERFACE)
if(KONTAVO_SANITIZE)
  target_compile_options(kontavo_sanitize INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kontavo_sanitize INTERFACE -fsanitize=address,undefined)
endif()

if(KONTAVO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KONTAVO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  # Every library is instrumented for coverage so the fuzzers see into it.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
