# Warnings are errors in our own code; third-party headers come in as
# system includes, so their warnings stay out of our way.
function(zorbel_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
