# Helpers shared by every target of the project.

set_property(GLOBAL PROPERTY TARV_ENGINE_TARGETS "")

function(tarv_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough)
    if(TARV_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# tarv_engine_library(NAME SOURCES ... DEPENDS ...)
# A static library of the engine. Engine libraries may depend on Qt Core and Gui and on each
# other, never on Qt Widgets; tarv_check_engine_targets() enforces that at configure time.
function(tarv_engine_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    tarv_set_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY TARV_ENGINE_TARGETS ${name})
endfunction()

function(_tarv_collect_links target out_var)
    set(seen ${${out_var}})
    if(NOT TARGET ${target})
        set(${out_var} ${seen} PARENT_SCOPE)
        return()
    endif()
    get_target_property(aliased ${target} ALIASED_TARGET)
    if(aliased)
        set(target ${aliased})
    endif()
    if(target IN_LIST seen)
        set(${out_var} ${seen} PARENT_SCOPE)
        return()
    endif()
    list(APPEND seen ${target})
    set(links "")
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(direct ${target} LINK_LIBRARIES)
        if(direct)
            list(APPEND links ${direct})
        endif()
    endif()
    get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
    if(iface)
        list(APPEND links ${iface})
    endif()
    foreach(dep IN LISTS links)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" dep "${dep}")
        if(dep MATCHES "^\\$<")
            continue()
        endif()
        _tarv_collect_links(${dep} seen)
    endforeach()
    set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(tarv_check_engine_targets)
    get_property(engine GLOBAL PROPERTY TARV_ENGINE_TARGETS)
    foreach(target IN LISTS engine)
        set(all "")
        _tarv_collect_links(${target} all)
        foreach(dep IN LISTS all)
            if(dep MATCHES "Widgets|PrintSupport")
                message(FATAL_ERROR "Engine library ${target} must not link ${dep}")
            endif()
        endforeach()
    endforeach()
endfunction()

# Checks the folder order of the engine's includes on every build (cmake/CheckLayering.cmake);
# the libraries' links enforce it for what they use.
function(tarv_check_layering)
    add_custom_target(tarv_layering ALL
        COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayering.cmake
        COMMENT "Checking the folder order of the engine's includes"
        VERBATIM)
endfunction()

# tarv_add_gtest(NAME SOURCES ... DEPENDS ...): a GoogleTest program registered with CTest,
# one CTest entry per test case. Runs headless.
function(tarv_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} tarv_test_support GTest::gtest)
    tarv_set_warnings(${name})
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
        DISCOVERY_TIMEOUT 30)
endfunction()
