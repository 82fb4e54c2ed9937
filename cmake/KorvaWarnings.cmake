# Warnings for our own targets; call korva_target_warnings(<target>) on each.
function(korva_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KORVA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
option(KORVA_WERROR "Treat warnings as errors" OFF)
