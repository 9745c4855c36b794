# The shift report of 2,000 receipts on 20 routes among 1,000,000 stored, against its
# statements run bare on SQLite.
add_executable(bench_report ${CMAKE_CURRENT_LIST_DIR}/bench_report.cpp)
target_link_libraries(bench_report PRIVATE tvreport tvadmin Qt6::Gui PkgConfig::SQLITE3)
