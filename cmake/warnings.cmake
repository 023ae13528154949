# The warning flags of every build, the main tree's and the fuzz tree's alike.
# DTM_WERROR is off by default: a newer or older compiler may warn where ours does not,
# and a user's build must not fail on that. CI turns it on.
option(DTM_WERROR "Treat compiler warnings as errors" OFF)

add_compile_options(-Wall -Wextra)
if(DTM_WERROR)
  add_compile_options(-Werror)
endif()
