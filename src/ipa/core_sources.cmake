target_sources(kalvo_core PRIVATE
    ipa/candidatemode.cpp
    ipa/ipacatalogue.cpp
    ipa/uipa.cpp
    ipa/ipa.qrc
)
