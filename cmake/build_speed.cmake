# What makes a build of the whole tree fast on a small machine: the headers
# of Qt Widgets and GoogleTest compiled once (precompiled headers shared by
# every target that includes them), the test code compiled without
# optimisation (the code under test keeps its own flags), a fast linker when
# there is one, and ccache for developers who rebuild often.

find_program(QV_CCACHE ccache)
if(QV_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  # Precompiled headers carry their defines and times: ccache must be told
  # that is fine, or it would never cache the files that use them.
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${QV_CCACHE})
endif()

find_program(QV_MOLD mold)
if(QV_MOLD)
  add_link_options(-fuse-ld=mold)
endif()

# The compile options of test code: unoptimised, with line tables only.
set(QV_TEST_COMPILE_OPTIONS -O0 -g1)

set(QV_WIDGETS_PCH_HEADERS
  <QApplication> <QWidget> <QDialog> <QMainWindow> <QPushButton> <QLabel> <QLineEdit>
  <QPlainTextEdit> <QTextEdit> <QListWidget> <QComboBox> <QCheckBox> <QRadioButton> <QGroupBox>
  <QBoxLayout> <QGridLayout> <QScrollArea> <QMessageBox> <QTimer> <QPainter> <QKeyEvent>
  <QMouseEvent> <QString> <QStringList> <QFont> <QColor> <QPixmap> <QImage>
  <string> <vector> <map> <memory> <optional> <functional> <filesystem> <algorithm>)

# A target that only makes a precompiled header for others to reuse.
function(qv_add_pch name)
  cmake_parse_arguments(PCH "" "" "LIBS;OPTIONS;HEADERS" ${ARGN})
  file(WRITE ${CMAKE_BINARY_DIR}/${name}.cpp "// precompiled headers only\n")
  add_library(${name} OBJECT ${CMAKE_BINARY_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE ${PCH_LIBS})
  target_compile_options(${name} PRIVATE ${PCH_OPTIONS})
  target_precompile_headers(${name} PRIVATE ${PCH_HEADERS})
endfunction()

# Applies the precompiled header of `pch` to the targets that exist.
function(qv_use_pch pch)
  foreach(target ${ARGN})
    if(TARGET ${target})
      target_precompile_headers(${target} REUSE_FROM ${pch})
    endif()
  endforeach()
endfunction()
