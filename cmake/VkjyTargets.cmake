# vkjy_library(<name> [DEPS <targets...>])
# One static library per folder, built from every .cpp below it. Headers are
# included from src/, e.g. "platform/foundation/Timer.h".
function(vkjy_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    vkjy_precompile_standard_headers(${name})
    set_property(GLOBAL APPEND PROPERTY VKJY_LIBRARIES ${name})
endfunction()

# The standard headers most files include. Parsing them is most of the time a library file takes
# to compile (over 100,000 lines for some), so they are parsed once, into one precompiled header
# that every library uses (one copy: each is some 70 MB on disk). The compiler takes a precompiled
# header only where the position independence matches, so with it every library is compiled as
# position independent code, as most are for Qt anyway. -DVKJY_PCH=OFF parses them in every file.
set(VKJY_STANDARD_HEADERS
    <algorithm> <cmath> <cstdint> <functional> <map> <memory> <mutex> <optional> <string>
    <string_view> <utility> <vector>)
if(VKJY_PCH)
    add_library(vkjy_standard_headers OBJECT ${CMAKE_CURRENT_LIST_DIR}/StandardHeaders.cpp)
    set_target_properties(vkjy_standard_headers PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_precompile_headers(vkjy_standard_headers PRIVATE ${VKJY_STANDARD_HEADERS})
endif()
function(vkjy_precompile_standard_headers target)
    if(VKJY_PCH)
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
        target_precompile_headers(${target} REUSE_FROM vkjy_standard_headers)
    endif()
endfunction()

# vkjy_unity(<target> [ALONE <files...>])
# Compiles a test target's files in batches of eight, each batch as one file (a unity build): the
# headers and the inline and template code that test files share (GoogleTest, the session
# fixtures, the record templates) are then compiled once per batch instead of once per file, about
# half the work. ALONE names files whose file-local names clash with a sibling's; they are
# compiled on their own. -DVKJY_UNITY=OFF compiles every file on its own.
# Which files share a batch shifts with every file added or removed, and two that define the same
# file-local name then break the build. So a build step, <target>-batches, compiles all of the
# target's batched files as one (scripts/check-test-batches), again whenever one of them or a
# header they read changes: any two files that could ever meet in a batch meet there.
function(vkjy_unity target)
    cmake_parse_arguments(ARG "" "" "ALONE" ${ARGN})
    set_target_properties(${target} PROPERTIES UNITY_BUILD ${VKJY_UNITY} UNITY_BUILD_BATCH_SIZE 8)
    # A fixture in an anonymous namespace is right in a test file; the warning is meant for
    # headers, and in a batch every test file looks like one.
    target_compile_options(${target} PRIVATE $<$<BOOL:${VKJY_UNITY}>:-Wno-subobject-linkage>)
    list(TRANSFORM ARG_ALONE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_source_files_properties(${ARG_ALONE} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    if(NOT VKJY_UNITY)
        return()
    endif()
    get_target_property(batched ${target} SOURCES)
    list(FILTER batched INCLUDE REGEX "\\.cpp$")
    if(ARG_ALONE)
        list(REMOVE_ITEM batched ${ARG_ALONE})
    endif()
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-batches.stamp)
    add_custom_command(OUTPUT ${stamp}
                       COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-test-batches
                               ${CMAKE_BINARY_DIR} ${target} ${stamp} ${batched}
                       DEPENDS ${PROJECT_SOURCE_DIR}/scripts/check-test-batches ${batched}
                       DEPFILE ${stamp}.d
                       COMMENT "Compiling the batched files of ${target} as one"
                       VERBATIM)
    add_custom_target(${target}-batches ALL DEPENDS ${stamp})
endfunction()

# The device zones that suites showing exchange times run in, as tag=TZ pairs: the exchange's
# own (UTC+8), a half-hour zone west of it, one zone east of it and one west of UTC (POSIX rules,
# no zone files needed).
set(VKJY_DEVICE_ZONES "utc+8=<+08>-8" "utc+0530=<+0530>-5:30" "utc+9=<+09>-9" "utc-5=<-05>5")

# Limits that only stop a hung case or a hung test program: a case takes seconds (the longest
# some 25 s with the sanitizers) and a program lists its cases in under a second, but both grow
# with the machine's load, which they must never meet.
set(VKJY_TEST_CASE_SECONDS 600)
set(VKJY_TEST_LIST_SECONDS 120)

# vkjy_test(<name> [DEVICE_ZONES] [DEPS <targets...>] [ALONE <files...>])
# One test program per test folder, from every .cpp in it; registered with CTest
# per test case so ctest -j spreads them over the cores. With DEVICE_ZONES every case is
# registered once per device zone ("case@utc-5"), with TZ set and snapshots saved in a
# folder of that zone (VKJY_SNAPSHOT_ZONE).
function(vkjy_test name)
    cmake_parse_arguments(ARG "DEVICE_ZONES" "" "DEPS;ALONE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gmock)
    vkjy_unity(${name} ALONE ${ARG_ALONE})
    if(NOT ARG_DEVICE_ZONES)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                             DISCOVERY_TIMEOUT ${VKJY_TEST_LIST_SECONDS}
                             PROPERTIES TIMEOUT ${VKJY_TEST_CASE_SECONDS})
        return()
    endif()
    foreach(zone IN LISTS VKJY_DEVICE_ZONES)
        string(REPLACE "=" ";" parts "${zone}")
        list(GET parts 0 tag)
        list(GET parts 1 tz)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES TEST_SUFFIX "@${tag}"
                             DISCOVERY_TIMEOUT ${VKJY_TEST_LIST_SECONDS}
                             PROPERTIES TIMEOUT ${VKJY_TEST_CASE_SECONDS} ENVIRONMENT "TZ=${tz}"
                             ENVIRONMENT_MODIFICATION "VKJY_SNAPSHOT_ZONE=set:${tag}")
    endforeach()
endfunction()
