list(APPEND VELTARO_CORE_SOURCES
  checks/CodFiscCheck.cpp
  checks/PartitaIvaCheck.cpp
  checks/IbanCheck.cpp
  checks/CardCheck.cpp
)
list(APPEND VELTARO_UI_SOURCES
  checks/CheckDialog.cpp
)
