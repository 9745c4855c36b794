# The shift report from the weighing window (F8).
tarvolen_test(tst_shift_report_key SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shift_report_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvweighing Qt6::PrintSupport)
