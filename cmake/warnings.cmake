# Our own targets compile with this warning set, clean; third-party code (GoogleTest) does not.
function(quill_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2 -Wundef)
endfunction()
