# Receipts: Add's checks and the cans field in the window, and the writing of a receipt, also by
# two desks at once (the test runs itself as the second desk).
tarvolen_test(tst_receipt SERVER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_receipt.cpp LIBS tvweighing)
tarvolen_test(tst_add SERVER SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_add.cpp LIBS tvweighing)
