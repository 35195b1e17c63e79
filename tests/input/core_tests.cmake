kalvo_add_test(tst_keytables SOURCES input/tst_keytables.cpp LIBS kalvo_core)
kalvo_add_test(tst_urussian SOURCES input/tst_urussian.cpp LIBS kalvo_core)
kalvo_add_test(tst_layoutengine SOURCES input/tst_layoutengine.cpp LIBS kalvo_core)
