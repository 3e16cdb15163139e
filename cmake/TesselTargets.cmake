# Shared compile settings for every target of the project.
add_library(tessel_warnings INTERFACE)
target_compile_options(tessel_warnings INTERFACE -Wall -Wextra)

# tessel_area(NAME DIR... [DEPS ...]) builds folders of src/ as a static
# library of its own, so each area compiles and is tested in isolation; the
# aggregate targets tessel_core and tessel_ui link them together.
function(tessel_area name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS A_UNPARSED_ARGUMENTS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # Header-only so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/torvex/include)
    target_link_libraries(${name} INTERFACE tessel_warnings ${A_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/torvex/include)
  target_link_libraries(${name} PUBLIC tessel_warnings ${A_DEPS})
endfunction()
