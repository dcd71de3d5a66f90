# The real program under memcheck for a short scripted play: no invalid access and no use of
# uninitialised values outside what the suppressions lay at the libraries' door.
find_program(VALGRIND valgrind)
if(VALGRIND)
    set(memcheck "${VALGRIND} --error-exitcode=99 --leak-check=no --num-callers=30"
                 "--suppressions=${CMAKE_CURRENT_SOURCE_DIR}/valgrind.supp")
    string(JOIN " " memcheck ${memcheck})
    add_test(NAME valgrind_play
             COMMAND e2e_tests --gtest_filter=EndToEnd.AShortPlayEndsWithEscapeAndStatusZero)
    set_tests_properties(valgrind_play PROPERTIES ENVIRONMENT "TARNVIK_LAUNCHER=${memcheck}"
                                                  TIMEOUT 900)
endif()
