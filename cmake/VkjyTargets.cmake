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
    set_property(GLOBAL APPEND PROPERTY VKJY_LIBRARIES ${name})
endfunction()

# vkjy_test(<name> [DEPS <targets...>])
# One test program per test folder, from every .cpp in it; registered with CTest
# per test case so ctest -j spreads them over the cores.
function(vkjy_test name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gmock)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;VKJY_RESOURCES=${PROJECT_SOURCE_DIR}/resources;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
        TIMEOUT 120)
endfunction()
