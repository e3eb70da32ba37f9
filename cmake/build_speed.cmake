# What makes a build of the whole tree fast on a small machine: the headers
# of Qt Widgets and GoogleTest compiled once (precompiled headers shared by
# every target that includes them), the test code compiled without
# optimisation (the code under test keeps its own flags), and a fast linker
# when there is one.

# ccache is not switched on here: measured on this tree, it made a fresh
# build a fifth slower (it reads each precompiled header, over 100 MB, to
# hash every file that uses it). A developer who rebuilds often may still
# pass -DCMAKE_CXX_COMPILER_LAUNCHER=ccache.

find_program(QV_MOLD mold)
if(QV_MOLD)
  add_link_options(-fuse-ld=mold)
endif()

# The compile options of test code: unoptimised (the code under test keeps
# its own flags), and position-independent everywhere, as Qt asks of the code
# that includes it, so that one precompiled GoogleTest header serves every
# test (GCC refuses a precompiled header made with other -fPIC settings).
set(QV_TEST_COMPILE_OPTIONS -O0 -fPIC)

# Each target's files are compiled in batches, one translation unit per
# batch: most of a small file's compile time is the headers it shares with
# its neighbours. A file's internal names must therefore be unique within
# its target (or in a namespace named after the file).
option(QV_UNITY_BUILD "Compile each target's files in batches" ON)
set(CMAKE_UNITY_BUILD ${QV_UNITY_BUILD})

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
