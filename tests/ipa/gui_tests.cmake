kalvo_add_test(tst_candidatefilter SOURCES ipa/tst_candidatefilter.cpp LIBS kalvo_gui)
kalvo_add_test(tst_tipapad SOURCES ipa/tst_tipapad.cpp LIBS kalvo_gui)
