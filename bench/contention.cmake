# Four desks adding at once, without and with the indexes, at 200,000 stored receipts.
add_executable(bench_contention ${CMAKE_CURRENT_LIST_DIR}/bench_contention.cpp)
target_link_libraries(bench_contention PRIVATE tvadmin Qt6::Sql)
add_dependencies(bench_contention db_peer)
