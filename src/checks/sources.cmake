list(APPEND VELTARO_CORE_SOURCES
  app/Crypt.cpp
  app/PasswordFile.cpp
  app/IniText.cpp
  checks/CodFiscCheck.cpp
  checks/PartitaIvaCheck.cpp
  checks/IbanCheck.cpp
  checks/CardCheck.cpp
)
list(APPEND VELTARO_UI_SOURCES
  checks/CheckScreens.cpp
)
