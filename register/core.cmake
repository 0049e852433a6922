# Window-free parts of the register: columns, periods, clipboard forms and edit planning.
target_sources(pennyfold_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RegColumns.h ${CMAKE_CURRENT_LIST_DIR}/RegColumns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegPeriod.h ${CMAKE_CURRENT_LIST_DIR}/RegPeriod.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegClipData.h
  ${CMAKE_CURRENT_LIST_DIR}/RegClipboard.h ${CMAKE_CURRENT_LIST_DIR}/RegClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegPasteBuffer.h ${CMAKE_CURRENT_LIST_DIR}/RegPasteBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegEdit.h ${CMAKE_CURRENT_LIST_DIR}/RegEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecEditEntry.h ${CMAKE_CURRENT_LIST_DIR}/RecEditEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecEditLoop.h ${CMAKE_CURRENT_LIST_DIR}/RecEditLoop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DescMatcher.h ${CMAKE_CURRENT_LIST_DIR}/DescMatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegRefusal.h ${CMAKE_CURRENT_LIST_DIR}/RegRefusal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegWindowPlan.h ${CMAKE_CURRENT_LIST_DIR}/RegWindowPlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegPrintLayout.h ${CMAKE_CURRENT_LIST_DIR}/RegPrintLayout.cpp
)
