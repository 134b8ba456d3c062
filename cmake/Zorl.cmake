# zorl_add_gtest(<name> LABEL <unit|window|e2e> [TIMEOUT s] [QT_MAIN] SOURCES ... LIBS ...)
# QT_MAIN: the tests run inside one QApplication (tests/qtmain.cpp).
# Every GoogleTest case becomes its own CTest test, so each runs in a fresh
# process with a fresh port table (the library never frees its eight slots).
function(zorl_add_gtest name)
  cmake_parse_arguments(ARG "QT_MAIN" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 60)
  endif()
  if(ARG_QT_MAIN)
    list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/tests/qtmain.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 30
    PROPERTIES LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT QT_QPA_PLATFORM=offscreen
               # A second variable in ENVIRONMENT would be split off as a property name.
               ENVIRONMENT_MODIFICATION ASAN_OPTIONS=set:detect_leaks=0)
endfunction()
