# Compile options shared by every target of the project's own code.
add_library(kelvane_options INTERFACE)
target_compile_options(kelvane_options INTERFACE -Wall -Wextra -Werror)
if(KELVANE_SANITIZE)
  target_compile_options(kelvane_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kelvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(KELVANE_FUZZ)
  # Coverage for the fuzzer in every file of the engine; the fuzzer's own target links
  # libFuzzer. Another compiler's warnings are not this build's business.
  target_compile_options(kelvane_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -Wno-error)
  target_link_options(kelvane_options INTERFACE -fsanitize=address,undefined)
endif()
