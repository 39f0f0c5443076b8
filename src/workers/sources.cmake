list(APPEND VELTARO_CORE_SOURCES
  workers/WorkerRecord.cpp
)
