# Shared target settings: strict warnings for our own code and the optional
# sanitizer build.

if(KYVO_SANITIZE)
  add_compile_options(-fsanitize=${KYVO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${KYVO_SANITIZE})
  add_compile_definitions(KYVO_SANITIZED=1)
endif()

# Our code builds without a single warning.
function(kyvo_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual)
endfunction()

# The logic lives in small toolkit-free libraries, testable without a display;
# windows only translate events into calls on that logic and draw its results.
# The build holds to this: a kyvo_library that reaches Qt, directly or through
# any library of ours it links, stops the configure step.

# A toolkit-free static library of our own: no Qt, not even through the
# libraries it links. Checked once the whole tree is configured, so that links
# added after this call count too.
function(kyvo_library name)
  add_library(${name} STATIC ${ARGN})
  kyvo_strict(${name})
  # A deferred call reads its arguments when it runs: the name goes in as text.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _kyvo_require_toolkit_free [[${name}]])")
endfunction()

# A static library of our own that may use Qt: a window, its drawing, the
# platform layer over Qt, the application. Keep it thin; what can be decided
# without a window belongs in a kyvo_library beside it.
function(kyvo_qt_library name)
  add_library(${name} STATIC ${ARGN})
  kyvo_strict(${name})
endfunction()

# Qt's targets, whatever their version prefix.
function(_kyvo_is_qt item result)
  if(item MATCHES "(^|[^A-Za-z0-9_])Qt[0-9]*::")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Walks the link closure of `target` through our own (non-imported) targets.
# Sets `result` to the chain "a -> b -> Qt6::Core" of the first Qt target
# found, or to "" when there is none. The variable named by `seen_var` lists
# the targets already walked and grows as targets are walked.
function(_kyvo_find_qt target chain seen_var result)
  set(seen ${${seen_var}})
  set(found "")
  get_target_property(aliased ${target} ALIASED_TARGET)
  if(aliased)
    set(target ${aliased})
  endif()
  list(APPEND seen ${target})
  get_target_property(type ${target} TYPE)
  set(links "")
  # The target's own link line counts for the library checked and for the
  # static libraries it pulls in; a shared library keeps its private links.
  if(NOT type STREQUAL "INTERFACE_LIBRARY" AND (chain STREQUAL "" OR type MATCHES "^(STATIC|OBJECT)_LIBRARY$"))
    get_target_property(own ${target} LINK_LIBRARIES)
    if(own)
      list(APPEND links ${own})
    endif()
  endif()
  get_target_property(public ${target} INTERFACE_LINK_LIBRARIES)
  if(public)
    list(APPEND links ${public})
  endif()
  foreach(item IN LISTS links)
    # A private link of a static library shows as $<LINK_ONLY:name>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    _kyvo_is_qt("${item}" qt)
    if(qt)
      set(found "${chain}${target} -> ${item}")
      break()
    endif()
    if(TARGET ${item} AND NOT item IN_LIST seen)
      get_target_property(imported ${item} IMPORTED)
      if(NOT imported)
        _kyvo_find_qt(${item} "${chain}${target} -> " seen found)
        if(found)
          break()
        endif()
      endif()
    endif()
  endforeach()
  set(${seen_var} ${seen} PARENT_SCOPE)
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

function(_kyvo_require_toolkit_free name)
  set(seen "")
  _kyvo_find_qt(${name} "" seen chain)
  if(chain)
    message(FATAL_ERROR "${name} is a toolkit-free kyvo_library but depends on Qt: ${chain}. "
      "Keep the Qt part in a kyvo_qt_library (a window or the application) and the logic free of Qt.")
  endif()
endfunction()

# The headers nearly every test parses: GoogleTest, GoogleMock, the standard
# library and, for widget tests, Qt's. They are precompiled once per kind of
# test and shared, which builds the tests in about half the time. A
# precompiled header only serves code compiled with the same flags (position-
# independent executables among them), so each is made by a small program
# compiled like the tests; -Winvalid-pch turns a header that could not be used
# into an error instead of a silent slow build.
set(_kyvo_test_pch_headers <gtest/gtest.h> <gmock/gmock.h> <algorithm> <atomic> <chrono> <cmath> <cstdint>
  <cstdio> <cstdlib> <cstring> <filesystem> <fstream> <functional> <map> <memory> <mutex> <optional> <set>
  <sstream> <string> <string_view> <thread> <vector>)
set(_kyvo_test_pch_qt_headers <QApplication> <QDir> <QFile> <QImage> <QPainter> <QProcess> <QString>
  <QTemporaryDir> <QThread> <QTimer> <QWidget>)

function(_kyvo_test_pch name qt)
  if(TARGET ${name})
    return()
  endif()
  add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/support/pch_host.cpp)
  _kyvo_test_flags(${name})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock)
  set(headers ${_kyvo_test_pch_headers})
  if(qt)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
    list(APPEND headers ${_kyvo_test_pch_qt_headers})
  endif()
  target_precompile_headers(${name} PRIVATE ${headers})
endfunction()

# The compile flags every test shares, so that the precompiled headers fit.
function(_kyvo_test_flags name)
  kyvo_strict(${name})
  # Test code itself is compiled without optimisation: it builds in about half
  # the time, and the code under test keeps its own flags in its libraries.
  # Qt hands -fPIC to whatever links it, toolkit-free tests get -fPIE: all
  # tests take -fPIC, so that one precompiled header fits them all.
  target_compile_options(${name} PRIVATE -O0 -fPIC -Winvalid-pch)
endfunction()

# A test program made without kyvo_test (its own main, its own registration)
# compiled like the others, with the shared headers; QT for one that uses Qt.
function(kyvo_test_program name)
  cmake_parse_arguments(T "QT" "" "" ${ARGN})
  _kyvo_test_flags(${name})
  if(T_QT)
    _kyvo_test_pch(kyvo_test_pch_qt TRUE)
    target_precompile_headers(${name} REUSE_FROM kyvo_test_pch_qt)
  else()
    _kyvo_test_pch(kyvo_test_pch FALSE)
    target_precompile_headers(${name} REUSE_FROM kyvo_test_pch)
  endif()
endfunction()

# A GoogleTest executable registered with CTest. Widgets run headless.
# LABEL puts its tests under a label of their own; SERIAL runs them one at a
# time (real displays, the browser engine); LOCK names a resource its tests
# hold one at a time, while other tests run beside them.
function(kyvo_test name)
  cmake_parse_arguments(T "QT;SERIAL" "LABEL;LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Widgets)
    kyvo_test_program(${name} QT)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    kyvo_test_program(${name})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  if(T_LABEL)
    list(APPEND properties LABELS ${T_LABEL} TIMEOUT 120)
  endif()
  if(T_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  if(T_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${name} PROPERTIES ${properties} DISCOVERY_TIMEOUT 60)
endfunction()
