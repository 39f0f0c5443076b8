list(APPEND VELTARO_CORE_SOURCES
  app/Crypt.cpp
  app/PasswordFile.cpp
)
