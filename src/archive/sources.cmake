list(APPEND VELTARO_CORE_SOURCES
  archive/TextCodec.cpp
  archive/RecordLayout.cpp
  archive/Archivio.cpp
  archive/ArchiveScan.cpp
  archive/ArchiveKinds.cpp
  archive/ResultLines.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/CardScreen.cpp
  archive/CardForm.cpp
)
list(APPEND VELTARO_CORE_SOURCES
  archive/FindEngine.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/ResultList.cpp
  archive/FindScreen.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/AllegaCartella.cpp
)
