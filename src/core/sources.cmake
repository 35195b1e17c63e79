target_sources(kalvo_core PRIVATE
    core/codecs.cpp
    core/commatext.cpp
    core/folders.cpp
    core/install.cpp
    core/placement.cpp
    core/rngfile.cpp
    core/session.cpp
    core/settingstable.cpp
    core/singleinstance.cpp
    core/textlines.cpp
    core/ulib.cpp
)
target_sources(kalvo_gui PRIVATE
    core/messagebox.cpp
    core/searchforms.cpp
)
