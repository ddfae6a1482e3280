# Warnings and sanitizers, carried by one interface target that every library and test links.
add_library(pc_options INTERFACE)
target_compile_options(pc_options INTERFACE -Wall -Wextra -Wpedantic)
if(PC_WERROR)
  target_compile_options(pc_options INTERFACE -Werror)
endif()
target_include_directories(pc_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_definitions(pc_options INTERFACE QT_NO_KEYWORDS)
# Qt's deprecated interfaces, pinned to the oldest Qt the program builds with (6.4): what was
# deprecated up to it is gone from the headers, so the code cannot use it; what a later Qt
# deprecates stays usable and warns (up to Qt 7), so a newer Qt adds warnings, never errors of its
# own. Both spellings: Qt 6.4 reads the first pair, 6.5 and later the second.
target_compile_definitions(pc_options INTERFACE
  QT_DISABLE_DEPRECATED_BEFORE=0x060400 QT_DEPRECATED_WARNINGS_SINCE=0x070000
  QT_DISABLE_DEPRECATED_UP_TO=0x060400 QT_WARN_DEPRECATED_UP_TO=0x070000)

if(PC_SANITIZE STREQUAL "address")
  target_compile_options(pc_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pc_options INTERFACE -fsanitize=address,undefined)
elseif(PC_SANITIZE STREQUAL "thread")
  target_compile_options(pc_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(pc_options INTERFACE -fsanitize=thread)
elseif(NOT PC_SANITIZE STREQUAL "")
  message(FATAL_ERROR "PC_SANITIZE must be empty, address or thread")
endif()

# pc_library(<name> [SOURCES...] [DEPS targets...]): the static library pc_<name>, or an
# INTERFACE library when it has no sources (a header-only one).
function(pc_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_SOURCES)
    add_library(pc_${name} STATIC ${ARG_SOURCES})
    target_link_libraries(pc_${name} PUBLIC pc_options ${ARG_DEPS})
  else()
    add_library(pc_${name} INTERFACE)
    target_link_libraries(pc_${name} INTERFACE pc_options ${ARG_DEPS})
  endif()
endfunction()

# pc_add_test(<tst_name> <libs...>): registers tests/<dir>/<tst_name>.cpp as a QtTest program
# run by CTest on the offscreen platform.
function(pc_add_test name)
  add_executable(${name} ${name}.cpp)
  target_link_libraries(${name} PRIVATE pc_options pc_testsupport Qt6::Test ${ARGN})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FATAL_WARNINGS=0;${PC_TEST_ENV}"
    TIMEOUT 300)
endfunction()

# pc_add_scaled_runs(<test>...): each test once more at 1.5 and at 2 times the scale, as
# <test>_1.5x and <test>_2x. Anything drawn at the wrong scale blurs or shifts there.
function(pc_add_scaled_runs)
  foreach(test IN LISTS ARGN)
    foreach(scale 1.5 2)
      add_test(NAME ${test}_${scale}x COMMAND ${test})
      set_tests_properties(${test}_${scale}x PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale};QT_FATAL_WARNINGS=0;${PC_TEST_ENV}"
        TIMEOUT 300)
    endforeach()
  endforeach()
endfunction()

# Environment for every registered test (a CMake list, appended to by the sanitizer settings).
set(PC_TEST_ENV "XDG_RUNTIME_DIR=${PROJECT_BINARY_DIR}/runtime")
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/runtime)
file(CHMOD ${PROJECT_BINARY_DIR}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
if(PC_SANITIZE STREQUAL "address")
  list(APPEND PC_TEST_ENV
    "ASAN_OPTIONS=detect_leaks=1:intercept_strndup=0"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
elseif(PC_SANITIZE STREQUAL "thread")
  list(APPEND PC_TEST_ENV
    "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp:halt_on_error=0:second_deadlock_stack=1")
endif()
