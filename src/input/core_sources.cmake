target_sources(kalvo_core PRIVATE input/keytables.cpp input/urussian.cpp input/layoutengine.cpp)
