list(APPEND VELTARO_CORE_SOURCES
  app/Routines.cpp
  app/ProgramFolder.cpp
)
