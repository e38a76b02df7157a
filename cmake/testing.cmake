# Test and benchmark support: GoogleTest for every build, Google Benchmark, the Wine emulator.
enable_testing()

# GoogleTest from Debian's source package, so that the same version builds natively and for
# MinGW. Found under the system prefixes (src/googletest) unless LUMATAB_GOOGLETEST_SOURCE is set.
find_path(LUMATAB_GOOGLETEST_SOURCE NAMES googletest/CMakeLists.txt PATH_SUFFIXES src/googletest
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${LUMATAB_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(CMAKE_CROSSCOMPILING)
    # ctest runs Windows test programs under Wine with a prefix inside the build tree: the i686
    # build under 32-bit Wine in a 32-bit prefix. Test scripts that start Wine themselves get the
    # same WINEARCH (lumatab_wine_test).
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(LUMATAB_WINEARCH win32)
    else()
        set(LUMATAB_WINEARCH win64)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEARCH=${LUMATAB_WINEARCH}
        ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
endif()

# lumatab_add_test(NAME SOURCES... LIBS...): one GoogleTest executable registered with ctest.
function(lumatab_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumatab_options GTest::gtest_main)
    # One translation unit per test program: each file's GoogleTest and Windows headers are read
    # once, which halves the tests' build.
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# lumatab_wine_test(NAME SCRIPT ARGS...): a bash test that runs Windows programs under Wine itself,
# on the two-monitor X server.
function(lumatab_wine_test name script)
    add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES LABELS two-monitors
        ENVIRONMENT WINEARCH=${LUMATAB_WINEARCH})
endfunction()
