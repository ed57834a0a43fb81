# Project-wide build helpers.

function(lpr_apply_global_options)
  add_compile_options(-Wall -Wextra)
  if(LPR_WERROR)
    add_compile_options(-Werror)
  endif()
  if(LPR_FUZZ)
    # Coverage for everything linked into a fuzzer; the fuzzer itself adds the driver.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined)
  endif()
  if(LPR_SANITIZE)
    list(JOIN LPR_SANITIZE "," sanitizers)
    add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${sanitizers})
    if("thread" IN_LIST LPR_SANITIZE)
      # Boost.Asio uses atomic_thread_fence, which ThreadSanitizer cannot model; GCC warns.
      add_compile_options(-Wno-tsan)
    endif()
    if("undefined" IN_LIST LPR_SANITIZE)
      add_compile_options(-fno-sanitize-recover=undefined)
    endif()
  endif()
endfunction()

# System code keeps its texts in GBK: every narrow literal is compiled to GBK bytes, and a
# character outside GBK fails the build. The standard library of GCC 12 holds one literal GBK
# cannot encode: <chrono> spells the microseconds suffix "\u00b5s" (C++20 duration output, which
# the system never uses). GCC 13 can spell it "us" (_GLIBCXX_USE_ALT_MICROSECONDS_SUFFIX); for
# GCC 12 the build keeps a copy of <chrono> with that spelling, searched first by GBK targets.
# Clang (used only for fuzzing) cannot do this and keeps UTF-8 literals.
set(LPR_GBK_INCLUDE_DIR "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  foreach(dir IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    if(EXISTS "${dir}/chrono")
      # An update of the standard library makes the copy again.
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${dir}/chrono")
      file(READ "${dir}/chrono" chrono)
      string(FIND "${chrono}" "\"\\u00b5s\"" micro)
      if(micro GREATER -1)
        string(REPLACE "\"\\u00b5s\"" "\"us\"" chrono "${chrono}")
        set(LPR_GBK_INCLUDE_DIR ${CMAKE_BINARY_DIR}/gbk-include)
        file(WRITE ${LPR_GBK_INCLUDE_DIR}/chrono "${chrono}")
      endif()
      break()
    endif()
  endforeach()
endif()

function(lpr_gbk_texts target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
    if(LPR_GBK_INCLUDE_DIR)
      target_include_directories(${target} SYSTEM BEFORE PRIVATE ${LPR_GBK_INCLUDE_DIR})
    endif()
  endif()
endfunction()

# add_lpr_test(name SOURCES a.cpp ... LIBS lpr::x ... [GBK] [RESOURCE_LOCK lock])
# One GoogleTest binary per module; each test case runs as its own CTest test. Tests that share
# state of the whole machine (the programs' named flags) name one lock: ctest runs them one at a time.
function(add_lpr_test name)
  cmake_parse_arguments(T "GBK" "RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} lpr::test_main GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(T_GBK)
    lpr_gbk_texts(${name})
  endif()
  set(lock)
  if(T_RESOURCE_LOCK)
    set(lock RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 ${lock})
  # The environment is a list, which the discovery's argument passing would split into separate
  # properties; a script read after the discovered tests gives it to each of them as one value.
  set(environment_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${environment_script}
    "foreach(test IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${LPR_TEST_ENVIRONMENT}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_script})
endfunction()

# add_lpr_fuzzer(name SOURCES a.cpp ... LIBS ...): a libFuzzer target, part of lpr_fuzzers.
function(add_lpr_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  # Undefined behaviour stops the run like a crash, so that the finding is kept as a reproducer.
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(lpr_fuzzers ${name})
endfunction()
