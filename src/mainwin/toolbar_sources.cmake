target_sources(kalvo_gui PRIVATE
    mainwin/maintoolbar.cpp
    mainwin/targetlamp.cpp
)
