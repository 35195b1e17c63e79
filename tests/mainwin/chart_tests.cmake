kalvo_add_test(tst_charchart SOURCES mainwin/tst_charchart.cpp LIBS kalvo_gui)
