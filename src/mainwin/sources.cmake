target_sources(kalvo_gui PRIVATE
    mainwin/fontlists.cpp
    mainwin/tmainfrm.cpp
)
