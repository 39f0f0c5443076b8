list(APPEND VELTARO_UI_SOURCES
  shell/HelpViewer.cpp
  shell/LinkText.cpp
  shell/GuideWriter.cpp
  shell/InfoDialogs.cpp
  shell/MainMenu.cpp
  shell/ModuleMenu.cpp
  shell/YearMenu.cpp
  shell/PaymentsMenu.cpp
  shell/LoginDialog.cpp
  shell/PrintStored.cpp
  shell/ScreenRegistry.cpp
  shell/SearchEverywhereScreen.cpp
  shell/StartBackup.cpp
)
list(APPEND VELTARO_CORE_SOURCES
  shell/HelpTopics.cpp
  shell/ArchiveKinds.cpp
  shell/SearchEverywhere.cpp
)
