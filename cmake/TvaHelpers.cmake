# Shared helpers for tests and fuzz targets.

find_package(GTest REQUIRED)

# Adds every immediate subdirectory of DIR that has a CMakeLists.txt.
function(tva_add_subdirs dir)
  file(GLOB children CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*/CMakeLists.txt)
  foreach(f ${children})
    get_filename_component(d ${f} DIRECTORY)
    add_subdirectory(${d})
  endforeach()
endfunction()

# tva_add_gtest(NAME SOURCES src... [LIBS lib...] [LABELS label...])
# One GoogleTest program, its cases registered with ctest one by one.
function(tva_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_compile_definitions(${name} PRIVATE
    TVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TVA_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()

# tva_add_fuzz(NAME SOURCES src... [LIBS lib...] [CORPUS dir])
# With TVA_FUZZ the target is a libFuzzer binary (clang). Otherwise it is built
# with a small driver that feeds it every file of its corpus, and that replay
# runs as a test, so a crash found once stays found.
function(tva_add_fuzz name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(TVA_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
  elseif(TVA_TESTS)
    add_executable(${name} ${F_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    if(F_CORPUS)
      add_test(NAME ${name}_replay COMMAND ${name} ${F_CORPUS})
    endif()
  endif()
endfunction()

# tva_library(NAME SRCVAR): a static library of the sources in SRCVAR, or an
# interface library while the module has none yet. Sets NAME_vis to the
# visibility keyword to use for its usage requirements.
macro(tva_library name srcvar)
  if(${srcvar})
    add_library(${name} STATIC ${${srcvar}})
    set(${name}_vis PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(${name}_vis INTERFACE)
  endif()
endmacro()
