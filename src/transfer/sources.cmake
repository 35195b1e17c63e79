target_sources(kalvo_core PRIVATE
    transfer/clipboardforms.cpp
    transfer/richtextforms.cpp
)
target_sources(kalvo_gui PRIVATE
    transfer/areafonts.cpp
    transfer/transfercontroller.cpp
)
