# bench_lookup: one keystroke in the village lookup and one reload of the receipts grid, at
# full size (50,000 villages, 1,000,000 receipts), against the bare SQLite statements.
add_executable(bench_lookup ${CMAKE_CURRENT_LIST_DIR}/bench_lookup.cpp)
target_link_libraries(bench_lookup PRIVATE tvweighing tvadmin PkgConfig::SQLITE3)
