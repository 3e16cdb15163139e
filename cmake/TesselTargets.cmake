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

# tessel_qt_precompiled_headers(TARGET [EXTRA headers...]): Qt's headers are
# most of what each file of a Qt target compiles, so they are compiled once per
# target. Not under a compiler launcher (ccache): it cannot cache files that
# use a precompiled header, and a cache hit is faster still.
function(tessel_qt_precompiled_headers target)
  if(CMAKE_CXX_COMPILER_LAUNCHER OR DEFINED ENV{CMAKE_CXX_COMPILER_LAUNCHER})
    return()
  endif()
  target_precompile_headers(${target} PRIVATE
    <QComboBox> <QDialog> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QMenu> <QMouseEvent>
    <QPainter> <QPixmap> <QPushButton> <QString> <QTableWidget> <QTimer> <QWidget>
    <filesystem> <functional> <map> <memory> <optional> <span> <string> <vector> ${ARGN})
endfunction()
