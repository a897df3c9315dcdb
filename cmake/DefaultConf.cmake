# Writes the default settings only when the run folder has none yet.
if(NOT EXISTS "${CONF}")
    file(WRITE "${CONF}" "isFullscreen=false\npostProcessing=true\nwidth=1280\nheight=720\nsfxEnabled=true\nmusicEnabled=true\npalette=0\n")
endif()
