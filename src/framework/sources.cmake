list(APPEND VELTARO_CORE_SOURCES
  framework/Clock.cpp
  framework/FileOps.cpp
  framework/FileReplacement.cpp
  framework/Routines.cpp
)
list(APPEND VELTARO_UI_SOURCES
  framework/Dialogs.cpp
  framework/Desktop.cpp
  framework/Documents.cpp
  framework/BoxBehaviour.cpp
  framework/Keyboard.cpp
  framework/WorkWindow.cpp
  framework/HelpHook.cpp
  framework/ProgramFormats.cpp
  framework/WrappedLineEdit.cpp
  framework/CalendarDialog.cpp
)
list(APPEND VELTARO_UI_SOURCES
  framework/Printing.cpp
  framework/Report.cpp
)
