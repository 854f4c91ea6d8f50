# Warnings are errors in our own code; third-party headers come in as
# system includes, so their warnings stay out of our way.
function(zorbel_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC judges array bounds on the code AddressSanitizer has rewritten and
  # then sees Qt's one-byte empty array behind every sized QByteArray; in
  # that build the sanitizer checks every access at run time instead.
  if(ZORBEL_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds)
  endif()
endfunction()
