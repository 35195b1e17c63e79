kalvo_add_test(tst_mainfrm_lifecycle SOURCES mainwin/tst_mainfrm_lifecycle.cpp LIBS kalvo_gui)
kalvo_add_test(tst_messagebox SOURCES mainwin/tst_messagebox.cpp LIBS kalvo_gui)
kalvo_add_test(tst_fontlists SOURCES mainwin/tst_fontlists.cpp LIBS kalvo_gui)
kalvo_add_test(tst_compositiontext SOURCES mainwin/tst_compositiontext.cpp LIBS kalvo_core)
