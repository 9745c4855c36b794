# Writing a receipt (both running numbers and the row in one transaction) at 1,000 and
# 1,000,000 stored receipts, against the same statements run bare on SQLite.
add_executable(bench_receipt ${CMAKE_CURRENT_LIST_DIR}/bench_receipt.cpp)
target_link_libraries(bench_receipt PRIVATE tvweighing tvadmin PkgConfig::SQLITE3)
