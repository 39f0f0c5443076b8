list(APPEND VELTARO_CORE_SOURCES
  archive/TextCodec.cpp
  archive/RecordLayout.cpp
  archive/Archivio.cpp
  archive/ArchiveKinds.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/CardScreen.cpp
)
