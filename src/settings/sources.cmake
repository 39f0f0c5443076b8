list(APPEND VELTARO_CORE_SOURCES
  settings/Backup.cpp
  settings/ArchiveNames.cpp
  settings/FolderLock.cpp
  settings/ProgramFolder.cpp
  settings/Crypt.cpp
  settings/PasswordFile.cpp
  settings/IniText.cpp
)
