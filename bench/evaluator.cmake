add_executable(evaluator_bench ${CMAKE_CURRENT_LIST_DIR}/evaluator_bench.cpp)
target_link_libraries(evaluator_bench PRIVATE lirvan_evaluator benchmark::benchmark)
lirvan_warnings(evaluator_bench)
