# Helpers that keep each folder's CMakeLists.txt to a few lines. Paths are taken from this file's
# place, so a folder (the platform layer) also builds inside another project.

# Precompiled headers for the folder libraries: a clean build (CI's) parses the standard library,
# and above state/ the game state's header, once per target instead of once per file, which saves
# about half of those files' compile time. Off by default where ccache builds (the developers'
# builds): ccache does not cache a file compiled with one, and its cache saves more.
if(NOT DEFINED DERAZODO_PCH)
  set(DERAZODO_PCH ON)
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(DERAZODO_PCH OFF)
  endif()
endif()
set(DERAZODO_PCH ${DERAZODO_PCH} CACHE BOOL "Precompiled headers per target")
# Unity builds: a target's files are compiled in batches, one compiler run per batch, which halves
# the compile time of a clean build (headers are parsed once per batch). On in every build, ccache's
# too, so that a name clash shows where it is made and not first in CI: names in a file's anonymous
# namespace must differ from those of its folder's other files.
if(NOT DEFINED DERAZODO_UNITY)
  set(DERAZODO_UNITY ON)
endif()
set(DERAZODO_UNITY ${DERAZODO_UNITY} CACHE BOOL "Unity builds per target")
# Files per batch; 0 puts each target's files in one batch, where any local name two files of a
# target share stops the build (the sanitizer pass builds so, which checks the rule in CI).
set(DERAZODO_UNITY_BATCH 16 CACHE STRING "Files per unity batch, 0 for one batch a target")
function(derazodo_unity target)
  if(DERAZODO_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${DERAZODO_UNITY_BATCH})
    # GCC takes a batch's files for headers and warns of every test fixture in an anonymous namespace.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  endif()
endfunction()

# The linker: lld where it is installed (scripts/setup installs it); GNU ld takes several times as
# long over the large test programs.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld DERAZODO_LLD)
if(DERAZODO_LLD)
  add_link_options(-fuse-ld=lld)
endif()

set(derazodo_std_headers <algorithm> <array> <atomic> <cstdint> <cstring> <functional> <map> <memory>
    <mutex> <optional> <set> <string> <unordered_map> <vector>)

# derazodo_library(<target> SOURCES <files...> DEPS <targets...> [SYSTEM_DEPS <libs...>])
# One folder is one static library; every target sees the repository root as include root.
function(derazodo_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.." ABSOLUTE)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_SYSTEM_DEPS})
  derazodo_unity(${target})
  if(DERAZODO_PCH)
    set(headers ${derazodo_std_headers})
    # Nearly every file of these folders reads the game state.
    if(target MATCHES "^(rules|ai|infowin|dialogs|editors|app)$")
      list(APPEND headers "${root}/state/game_state.h")
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
  endif()
endfunction()

# derazodo_test(<name> SOURCES <files...> DEPS <targets...>)
# A GoogleTest executable; each TEST becomes one ctest entry, discovered when ctest runs.
# Tests run with the program folder as working directory and DERAZODO_HEADLESS=1.
function(derazodo_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  # GoogleTest's header is a third of a test file's build time: it is compiled once per target.
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
  derazodo_unity(${name})
  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.." ABSOLUTE)
  # Sanitized code runs several times slower: the long game tests get room for it.
  set(timeout 120)
  if(DERAZODO_SANITIZE)
    set(timeout 600)
  endif()
  target_compile_definitions(${name} PRIVATE
    DERAZODO_SOURCE_DIR="${root}"
    DERAZODO_PROGRAM_DIR="${DERAZODO_PROGRAM_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${DERAZODO_PROGRAM_DIR}"
    # One variable per property: a ';' inside a value would split the property list.
    PROPERTIES ENVIRONMENT "DERAZODO_HEADLESS=1"
               ENVIRONMENT_MODIFICATION "DERAZODO_PROGRAM_DIR=set:${DERAZODO_PROGRAM_DIR}"
               TIMEOUT ${timeout}
    DISCOVERY_MODE PRE_TEST)
endfunction()

# derazodo_fuzzer(<name> SOURCES <files...> DEPS <targets...>)
function(derazodo_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# derazodo_folder_library(<target> [DEPS <targets...>] [OPTIONAL_DEPS <targets...>] [SYSTEM_DEPS <libs...>])
# The folder's library from every .cpp file in it (not its subfolders). OPTIONAL_DEPS are linked
# when those targets exist, so a folder can be built before its later neighbours arrive.
function(derazodo_folder_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;OPTIONAL_DEPS;SYSTEM_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(deps ${ARG_DEPS})
  foreach(dep ${ARG_OPTIONAL_DEPS})
    if(TARGET ${dep})
      list(APPEND deps ${dep})
    endif()
  endforeach()
  derazodo_library(${target} SOURCES ${sources} DEPS ${deps} SYSTEM_DEPS ${ARG_SYSTEM_DEPS})
endfunction()

# derazodo_folder_test(<name> DEPS <targets...>)
# One test executable from every *_test.cpp (and helper .cpp) in the current test folder.
function(derazodo_folder_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(deps)
  foreach(dep ${ARG_DEPS})
    if(TARGET ${dep})
      list(APPEND deps ${dep})
    endif()
  endforeach()
  derazodo_test(${name} SOURCES ${sources} DEPS ${deps})
endfunction()
