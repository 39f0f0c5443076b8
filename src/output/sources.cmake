list(APPEND VELTARO_CORE_SOURCES
  output/SheetExport.cpp
)
list(APPEND VELTARO_UI_SOURCES
  output/CardPrint.cpp
  output/ExportScreen.cpp
  output/CardCommands.cpp
)
