# Fails when libcartoframe.so exports a defined symbol other than the members
# of CGISViewerFrame and the diagnostics hook, or misses one of those.
#   cmake -DLIBRARY=path/to/libcartoframe.so -P CheckExports.cmake
cmake_minimum_required(VERSION 3.25)
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only -C ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}: ${errors}")
endif()

# What the toolchain may add to any shared library.
set(toolchain_symbols _init _fini _edata _end __bss_start)
set(required
  "CGISViewerFrame::CGISViewerFrame()"
  "CGISViewerFrame::CGISViewerFrame(CGISViewerFrame const&)"
  "CGISViewerFrame::~CGISViewerFrame()"
  "CGISViewerFrame::operator=(CGISViewerFrame const&)"
  "CGISViewerFrame::OpenViewFrame(void*, QWidget*, char*, int, int, int, int)"
  "CGISViewerFrame::GetViewFrameHandle()"
  "vtable for CGISViewerFrame"
  "typeinfo for CGISViewerFrame"
  "CartoframeSetDiagnostics")

string(REPLACE "\n" ";" lines "${listing}")
set(found "")
set(unexpected "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>"; the name may hold spaces.
  if(NOT line MATCHES "^[0-9a-fA-F]+ [A-Za-z] (.+)$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  list(APPEND found "${name}")
  if(name IN_LIST toolchain_symbols OR name STREQUAL "CartoframeSetDiagnostics"
     OR name MATCHES "^CGISViewerFrame::" OR name MATCHES "^(vtable|typeinfo|typeinfo name) for CGISViewerFrame$")
    continue()
  endif()
  list(APPEND unexpected "${name}")
endforeach()

set(missing "")
foreach(name IN LISTS required)
  if(NOT name IN_LIST found)
    list(APPEND missing "${name}")
  endif()
endforeach()

if(unexpected OR missing)
  list(JOIN unexpected "\n  " unexpected_text)
  list(JOIN missing "\n  " missing_text)
  message(FATAL_ERROR "libcartoframe.so exports\n  ${unexpected_text}\nbeyond its interface, and lacks\n  ${missing_text}")
endif()
list(LENGTH found count)
message(STATUS "libcartoframe.so exports ${count} symbols, all of its interface")
