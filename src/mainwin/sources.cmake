target_sources(kalvo_core PRIVATE
    mainwin/compositiontext.cpp
)
target_sources(kalvo_gui PRIVATE
    mainwin/compositionareas.cpp
    mainwin/fontlists.cpp
    mainwin/mainactions.cpp
    mainwin/mainbody.cpp
    mainwin/mainmenus.cpp
    mainwin/tmainfrm.cpp
)
