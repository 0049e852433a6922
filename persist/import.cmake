# Statement and older-file importers.
target_sources(pennyfold_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/OfxCharset.h ${CMAKE_CURRENT_LIST_DIR}/OfxCharset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxElementReader.h ${CMAKE_CURRENT_LIST_DIR}/OfxElementReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxImport.h ${CMAKE_CURRENT_LIST_DIR}/OfxImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxProp.h ${CMAKE_CURRENT_LIST_DIR}/OfxProp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxTypeTable.h ${CMAKE_CURRENT_LIST_DIR}/OfxTypeTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OfxValue.h ${CMAKE_CURRENT_LIST_DIR}/OfxValue.cpp
)
target_sources(pennyfold_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LegacyCipher.h ${CMAKE_CURRENT_LIST_DIR}/LegacyCipher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyHeader.h ${CMAKE_CURRENT_LIST_DIR}/LegacyHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyImport.h ${CMAKE_CURRENT_LIST_DIR}/LegacyImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyReader.h ${CMAKE_CURRENT_LIST_DIR}/LegacyReader.cpp
)
