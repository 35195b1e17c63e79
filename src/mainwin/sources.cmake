target_sources(kalvo_gui PRIVATE
    mainwin/tmainfrm.cpp
)
