# The ledger document: document/view layer, recomputation, exchange, budgets, undo.
target_sources(pennyfold_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UpdateHint.h
  ${CMAKE_CURRENT_LIST_DIR}/DocView.h
  ${CMAKE_CURRENT_LIST_DIR}/Document.h ${CMAKE_CURRENT_LIST_DIR}/Document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Exchg.h
  ${CMAKE_CURRENT_LIST_DIR}/ExchangeBuilder.h ${CMAKE_CURRENT_LIST_DIR}/ExchangeBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BudgetTable.h ${CMAKE_CURRENT_LIST_DIR}/BudgetTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecItem.h ${CMAKE_CURRENT_LIST_DIR}/RecItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineRange.h
  ${CMAKE_CURRENT_LIST_DIR}/Action.h ${CMAKE_CURRENT_LIST_DIR}/Action.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LedgerContent.h
  ${CMAKE_CURRENT_LIST_DIR}/CofferDoc.h ${CMAKE_CURRENT_LIST_DIR}/CofferDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CofferDocRecompute.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CofferDocUndo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CofferDocIndex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CofferDocLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BalanceEntry.h ${CMAKE_CURRENT_LIST_DIR}/BalanceEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropList.h
)
