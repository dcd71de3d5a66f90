# Layout and static analysis of the whole tree, each a test of its own. The file lists are
# globbed so that a new file cannot slip past them.
file(GLOB_RECURSE checked_sources CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
     ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
     ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.cpp)
file(GLOB game_sources ${PROJECT_SOURCE_DIR}/src/*.cpp)

find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT)
    add_test(NAME format COMMAND ${CLANG_FORMAT} --dry-run -Werror ${checked_sources})
endif()

find_program(RUN_CLANG_TIDY NAMES run-clang-tidy run-clang-tidy-14)
if(RUN_CLANG_TIDY)
    add_test(NAME clang_tidy
             COMMAND ${RUN_CLANG_TIDY} -p ${PROJECT_BINARY_DIR} -j 2 -quiet
                     "${PROJECT_SOURCE_DIR}/(src|tests|bench)/")
endif()

find_program(CPPCHECK cppcheck)
if(CPPCHECK)
    add_test(NAME cppcheck
             COMMAND ${CPPCHECK} --enable=warning,style,performance,portability --inline-suppr
                     --error-exitcode=1 --quiet --std=c++17 --language=c++
                     -I ${PROJECT_SOURCE_DIR}/src ${game_sources})
endif()
