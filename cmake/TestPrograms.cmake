# One test program of GoogleTest cases, registered case by case with CTest.
#   pomrola_add_gtest(<name> SOURCES <files...> LIBRARIES <targets...>
#                     [ENVIRONMENT <VAR=value...>] [WIDGETS])
# WIDGETS: the cases make windows, so they run under Qt's offscreen platform
# and take their main() from the QApplication test main; the others are plain
# C++ with GoogleTest's own main.
function(pomrola_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS" "" "SOURCES;LIBRARIES;ENVIRONMENT")
    add_executable(${name} ${arg_SOURCES})
    if(arg_WIDGETS)
        target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} pomrola_qt_test_main)
        list(PREPEND arg_ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    else()
        target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main)
        set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    endif()
    if(arg_ENVIRONMENT)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
