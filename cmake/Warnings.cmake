# Compile options shared by every target of the project's own code.
add_library(kelvane_options INTERFACE)
target_compile_options(kelvane_options INTERFACE -Wall -Wextra -Werror)
if(KELVANE_SANITIZE)
  target_compile_options(kelvane_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kelvane_options INTERFACE -fsanitize=address,undefined)
endif()
