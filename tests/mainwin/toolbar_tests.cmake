kalvo_add_test(tst_maintoolbar SOURCES mainwin/tst_maintoolbar.cpp LIBS kalvo_gui)
