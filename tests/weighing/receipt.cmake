# Receipts: Add's checks, the writing of a receipt, two desks at once, and the Add button.
set(_here ${CMAKE_CURRENT_LIST_DIR})

add_executable(receipt_writer ${_here}/receipt_writer.cpp)
target_link_libraries(receipt_writer PRIVATE tvweighing)

tarvolen_test(tst_receipt SOURCES ${_here}/tst_receipt.cpp LIBS tvweighing)
add_dependencies(tst_receipt receipt_writer)

tarvolen_test(tst_add SOURCES ${_here}/tst_add.cpp LIBS tvweighing tvadmin)
