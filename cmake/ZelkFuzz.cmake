# ZELK_BUILD_FUZZERS: the libFuzzer harnesses under fuzz/. Only clang has
# libFuzzer, so with another compiler the option is ignored. When it is on,
# everything built in this tree is instrumented for coverage and checked by
# AddressSanitizer and UndefinedBehaviorSanitizer, since the faults sought
# lie in the libraries, not in the harnesses. Meant for a build folder of
# its own (scripts/fuzz-dbf uses build-fuzz/).
option(ZELK_BUILD_FUZZERS "Build the libFuzzer harnesses (clang only)" OFF)

set(ZELK_FUZZING OFF)
if(ZELK_BUILD_FUZZERS)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(ZELK_FUZZING ON)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  else()
    message(WARNING "ZELK_BUILD_FUZZERS needs clang; the fuzzers are not built")
  endif()
endif()
