target_sources(kalvo_core PRIVATE
    core/textdocument.cpp
)
target_sources(kalvo_gui PRIVATE
    mainwin/textdocuments.cpp
)
