list(APPEND VELTARO_CORE_SOURCES
  workers/WorkerRecord.cpp
)
list(APPEND VELTARO_UI_SOURCES
  workers/WorkerCardScreen.cpp
  workers/WorkerFindScreen.cpp
)
list(APPEND VELTARO_CORE_SOURCES
  workers/WorkerFind.cpp
)
list(APPEND VELTARO_UI_SOURCES
)
