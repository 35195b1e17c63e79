target_sources(kalvo_gui PRIVATE
    ipa/candidatefilter.cpp
    ipa/ipafonts.cpp
    ipa/tipapad.cpp
)
