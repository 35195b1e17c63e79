target_sources(kalvo_core PRIVATE
    wordbook/reportmodel.cpp
)
target_sources(kalvo_gui PRIVATE
    wordbook/reportview.cpp
    wordbook/wordbookpage.cpp
)
