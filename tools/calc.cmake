# lirvan-calc EXPR: prints what the calculator shows after Enter.
add_executable(lirvan-calc ${CMAKE_CURRENT_LIST_DIR}/lirvan_calc.cpp)
target_link_libraries(lirvan-calc PRIVATE lirvan_evaluator)
lirvan_warnings(lirvan-calc)
