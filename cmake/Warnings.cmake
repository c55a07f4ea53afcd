# Warnings on everywhere and kept at zero; sanitizers for the second test pass.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(KESTRIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
