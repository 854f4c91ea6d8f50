# Two instrumented builds beside the ordinary one, each in its own tree:
#
#   ZORBEL_FUZZ=ON      clang only: our code with the fuzzer's coverage hooks
#                       and AddressSanitizer + UndefinedBehaviorSanitizer;
#                       only the fuzz targets of tests/fuzz/ are built.
#   ZORBEL_SANITIZE=ON  gcc or clang: the whole program and its tests with
#                       AddressSanitizer + UndefinedBehaviorSanitizer.
#
# Every undefined-behaviour report aborts (no recovery), so that a report can
# never scroll past unnoticed in a passing run.
option(ZORBEL_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)
option(ZORBEL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(ZORBEL_FUZZ AND ZORBEL_SANITIZE)
  message(FATAL_ERROR "ZORBEL_FUZZ and ZORBEL_SANITIZE each want a build tree of their own")
endif()

set(zorbel_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(ZORBEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZORBEL_FUZZ needs clang (configure with CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link ${zorbel_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
elseif(ZORBEL_SANITIZE)
  add_compile_options(${zorbel_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
endif()
