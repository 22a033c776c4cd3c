# Strict warnings for every target of this project; warnings are errors.
function(nav_strict_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow -Werror)
endfunction()

# The solar arithmetic must come out bit for bit the same on every build:
# no fused multiply-add, no reassociation.
function(nav_exact_floating_point target)
  target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)
endfunction()
