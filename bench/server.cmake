# A receipt write and a lookup keystroke on a PostgreSQL server at 1,000,000 receipts and
# 50,000 villages, against the same statements bare through libpq.
pkg_check_modules(LIBPQ IMPORTED_TARGET libpq)
if(LIBPQ_FOUND)
  add_executable(bench_server ${CMAKE_CURRENT_LIST_DIR}/bench_server.cpp)
  target_link_libraries(bench_server PRIVATE tvweighing tvadmin PkgConfig::LIBPQ)
endif()
