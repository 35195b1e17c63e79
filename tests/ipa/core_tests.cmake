kalvo_add_test(tst_uipa SOURCES ipa/tst_uipa.cpp LIBS kalvo_core)
kalvo_add_test(tst_ipacatalogue SOURCES ipa/tst_ipacatalogue.cpp LIBS kalvo_core)
kalvo_add_test(tst_candidatemode SOURCES ipa/tst_candidatemode.cpp LIBS kalvo_core)
