# Layout switching (core) and the Qt piece that makes a text field type Russian (gui).
target_sources(kalvo_core PRIVATE input/imeswitch.cpp)
target_sources(kalvo_gui PRIVATE input/russianfield.cpp)
