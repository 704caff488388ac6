# The compile settings of every build of Orbelin's code: the native one and
# the page's WebAssembly one alike.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_compile_options(-Wall -Wextra)
# Results are bit-exact only when every product is rounded on its own:
# no fused multiply-add, whatever the target's default.
add_compile_options(-ffp-contract=off)
option(ORBELIN_WERROR "Treat warnings as errors (CI)" OFF)
if(ORBELIN_WERROR)
  add_compile_options(-Werror)
endif()
