target_sources(kalvo_gui PRIVATE
    input/tkeybutton.cpp
    input/truspad.cpp
)
