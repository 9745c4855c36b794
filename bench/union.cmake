# Two centres' desks adding receipts, with and without the union subscribed, and the lag at the
# union (three PostgreSQL servers with wal_level = logical, given on the command line).
add_executable(bench_union ${CMAKE_CURRENT_LIST_DIR}/bench_union.cpp)
target_link_libraries(bench_union PRIVATE tvweighing tvadmin)
add_dependencies(bench_union tarvolen-admin)
