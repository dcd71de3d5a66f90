# Installing into a scratch prefix, and the Debian package unpacked into a scratch root with
# its binary started far enough to show its window.
foreach(mode install package)
    add_test(NAME ${mode}_check
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_test.sh ${mode} ${PROJECT_BINARY_DIR})
    set_tests_properties(${mode}_check PROPERTIES TIMEOUT 300)
endforeach()
