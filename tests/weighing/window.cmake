# The weighing window: shift context, receipts grid, keys and the F8 shift report; the village
# lookup.
foreach(_t tst_window tst_lookup)
  tarvolen_test(${_t} SERVER SOURCES ${CMAKE_CURRENT_LIST_DIR}/${_t}.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvweighing)
endforeach()
target_link_libraries(tst_window PRIVATE tvscale Qt6::Network Qt6::PrintSupport)
# Pasting and dropping into the window's text fields.
tarvolen_test(tst_paste SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_paste.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvweighing)
# The window's one way of waiting for its database work.
tarvolen_test(tst_companywork SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_companywork.cpp LIBS tvweighing)
# The middle button's selection paste needs a real display: run under Xvfb.
add_executable(tst_paste_x11 ${CMAKE_CURRENT_LIST_DIR}/tst_paste_x11.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h)
target_link_libraries(tst_paste_x11 PRIVATE testkit Qt6::Test tvweighing)
add_test(NAME tst_paste_x11 COMMAND xvfb-run -a $<TARGET_FILE:tst_paste_x11>)
set_tests_properties(tst_paste_x11 PROPERTIES TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;TARVOLEN_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
# What a supervisor approves at the desk: a weight typed by hand, receipts corrected and
# cancelled, the supervisor's word refused and paused, the grid's marks.
tarvolen_test(tst_supervisor SERVER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_supervisor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvsignin tvdates tvweighing tvscale
  Qt6::Network)
