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

# A Qt-free static library of our own.
function(kyvo_library name)
  add_library(${name} STATIC ${ARGN})
  kyvo_strict(${name})
endfunction()

# A GoogleTest executable registered with CTest. Widgets run headless.
function(kyvo_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  kyvo_strict(${name})
  if(T_QT)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Widgets)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KYVO_TEST_DATA=${CMAKE_BINARY_DIR}/testdata"
    DISCOVERY_TIMEOUT 60)
endfunction()
