list(APPEND VELTARO_CORE_SOURCES
  archive/TextCodec.cpp
  archive/RecordLayout.cpp
  archive/Archivio.cpp
)
