target_sources(kalvo_gui PRIVATE mainwin/tcharchart.cpp)
