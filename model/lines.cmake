# Currencies, categories, ledger lines and the text forms of amounts and dates.
target_sources(pennyfold_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Amount.h
  ${CMAKE_CURRENT_LIST_DIR}/PackedDate.h
  ${CMAKE_CURRENT_LIST_DIR}/ColumnKind.h
  ${CMAKE_CURRENT_LIST_DIR}/CategoryAttr.h ${CMAKE_CURRENT_LIST_DIR}/CategoryAttr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Category.h ${CMAKE_CURRENT_LIST_DIR}/Category.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CurFmt.h ${CMAKE_CURRENT_LIST_DIR}/CurFmt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HalfWidth.h ${CMAKE_CURRENT_LIST_DIR}/HalfWidth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AmountText.h ${CMAKE_CURRENT_LIST_DIR}/AmountText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Calendar.h ${CMAKE_CURRENT_LIST_DIR}/Calendar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateText.h ${CMAKE_CURRENT_LIST_DIR}/DateText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DescToken.h
  ${CMAKE_CURRENT_LIST_DIR}/YenTable.h
  ${CMAKE_CURRENT_LIST_DIR}/Receipt.h ${CMAKE_CURRENT_LIST_DIR}/Receipt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListCheck.h ${CMAKE_CURRENT_LIST_DIR}/ListCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewLedger.h ${CMAKE_CURRENT_LIST_DIR}/NewLedger.cpp
)
