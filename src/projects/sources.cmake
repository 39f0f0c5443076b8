list(APPEND VELTARO_CORE_SOURCES
  projects/ProjectRecord.cpp
)
