list(APPEND VELTARO_CORE_SOURCES
  archive/TextCodec.cpp
  archive/RecordLayout.cpp
  archive/ArchiveMapping.cpp
  archive/ArchiveScan.cpp
  archive/ResultLines.cpp
  archive/ArchiveFile.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/CardScreen.cpp
  archive/CardForm.cpp
  archive/AttachFolderDialog.cpp
)
list(APPEND VELTARO_CORE_SOURCES
  archive/FindEngine.cpp
)
list(APPEND VELTARO_UI_SOURCES
  archive/ResultList.cpp
  archive/FindScreen.cpp
)
