list(APPEND VELTARO_CORE_SOURCES
  app/Routines.cpp
  app/ProgramFolder.cpp
  app/HelpTopics.cpp
  app/Backup.cpp
  app/SearchEverywhere.cpp
  app/FolderLock.cpp
)
list(APPEND VELTARO_UI_SOURCES
  app/Menus.cpp
  app/Calendario.cpp
  app/Password.cpp
  app/Screens.cpp
  app/Guida.cpp
  app/Info.cpp
  app/GuideWriter.cpp
  app/StartBackup.cpp
  app/PrintStored.cpp
  app/SearchEverywhereScreen.cpp
)
