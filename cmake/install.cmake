# `cmake --install` lays out one folder the player can write to (the memories page is written
# beside the program): the two programs, txt/, img/, icons/ and bgm.mid; plus a desktop entry and
# the icon in the user's application menu.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND DEFINED ENV{HOME})
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local/opt/porukami" CACHE PATH "Install folder" FORCE)
endif()

foreach(target porukami porukami-cli)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION .)
  endif()
endforeach()
if(PORUKAMI_BUILD_CONTENT)
  install(DIRECTORY ${PORUKAMI_APP_DIR}/txt ${PORUKAMI_APP_DIR}/img ${PORUKAMI_APP_DIR}/icons
          DESTINATION .)
  install(FILES ${PORUKAMI_APP_DIR}/bgm.mid DESTINATION .)
endif()

# The desktop entry and icons go to the user's data folder ($XDG_DATA_HOME, else ~/.local/share),
# decided when installing, so `--prefix` is honoured in the entry's command.
set(DESKTOP_IN ${CMAKE_SOURCE_DIR}/packaging/porukami.desktop.in)
set(code [[
  if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
    set(data "$ENV{XDG_DATA_HOME}")
  else()
    set(data "$ENV{HOME}/.local/share")
  endif()
  set(prefix "${CMAKE_INSTALL_PREFIX}")
  file(READ "@DESKTOP_IN@" entry)
  string(REPLACE "%PREFIX%" "${prefix}" entry "${entry}")
  file(WRITE "${data}/applications/porukami.desktop" "${entry}")
  message(STATUS "Installing: ${data}/applications/porukami.desktop")
  foreach(size 32 256)
    if(EXISTS "${prefix}/icons/icon${size}.png")
      file(MAKE_DIRECTORY "${data}/icons/hicolor/${size}x${size}/apps")
      file(COPY_FILE "${prefix}/icons/icon${size}.png"
           "${data}/icons/hicolor/${size}x${size}/apps/porukami.png")
    endif()
  endforeach()
]])
string(CONFIGURE "${code}" code @ONLY)
install(CODE "${code}")
